#include <gtest/gtest.h>

#include "Csv.h"
#include "Roster.h"

namespace gr::admin {
namespace {

const RosterReference kReference{
    {{1, "QB"}, {2, "RB"}, {3, "WR"}, {4, "TE"}, {5, "K"}},
    {{10, "ATL"}, {11, "BUF"}, {12, "KC"}},
};

CatalogPlayer Player(int32_t id, std::string last, std::string first, int32_t position,
                     int32_t team, bool retired = false) {
    return {id, std::move(last), std::move(first), position, team, retired};
}

std::string ProblemsText(const ImportPlan& plan) {
    std::string text;
    for (const auto& p : plan.problems) text += std::to_string(p.line) + ": " + p.reason + "\n";
    return text;
}

TEST(RosterImport, AddsChangesAndCountsUnchanged) {
    const std::vector<CatalogPlayer> catalogue = {Player(7, "Allen", "Josh", 1, 11),
                                                  Player(8, "Kelce", "Travis", 4, 11)};
    const auto plan = PlanRosterImport(
        "last_name,first_name,position,team\n"
        "Allen,Josh,QB,BUF\n"   // unchanged
        "Kelce,Travis,TE,KC\n"  // new team
        "Ali,Josh,WR,ATL\n",    // new player
        kReference, catalogue);
    ASSERT_TRUE(plan.problems.empty()) << ProblemsText(plan);
    EXPECT_EQ(plan.unchanged, 1);
    EXPECT_EQ(plan.changed, 1);
    EXPECT_EQ(plan.added, 1);
    ASSERT_EQ(plan.writes.size(), 2u);
    EXPECT_EQ(plan.writes[0].line, 3);
    EXPECT_EQ(plan.writes[0].after.id, 8);
    EXPECT_EQ(plan.writes[0].after.teamId, 12);
    EXPECT_EQ(plan.writes[1].after.id, 0);
    EXPECT_EQ(plan.writes[1].after.lastName, "Ali");
    EXPECT_EQ(plan.writes[1].after.positionId, 3);
    EXPECT_EQ(plan.writes[1].after.teamId, 10);
}

TEST(RosterImport, SameNameAtAnotherPositionIsAnotherPlayer) {
    const std::vector<CatalogPlayer> catalogue = {Player(7, "Allen", "Josh", 1, 11)};
    const auto plan = PlanRosterImport("last_name,first_name,position,team\nAllen,Josh,RB,BUF\n",
                                       kReference, catalogue);
    EXPECT_EQ(plan.added, 1);
    EXPECT_EQ(plan.changed, 0);
}

TEST(RosterImport, EveryBadRowIsNamedByLineAndNothingIsPlanned) {
    const auto plan = PlanRosterImport(
        "last_name,first_name,position,team\n"
        "Good,One,QB,ATL\n"
        "Bad,Team,QB,XXX\n"
        ",NoLast,QB,ATL\n"
        "NoFirst,,QB,ATL\n"
        "Bad,Position,LB,ATL\n"
        "Too,Many,QB,ATL,extra\n"
        "Good,Two,RB,KC\n",
        kReference, {});
    ASSERT_EQ(plan.problems.size(), 5u) << ProblemsText(plan);
    EXPECT_EQ(ProblemsText(plan),
              "3: unknown team 'XXX'\n"
              "4: missing last name\n"
              "5: missing first name\n"
              "6: unknown position 'LB'\n"
              "7: malformed CSV: expected 4 fields, found 5\n");
    EXPECT_TRUE(plan.writes.empty());
}

TEST(RosterImport, SeveralReasonsOfOneRowShareItsLine) {
    const auto plan =
        PlanRosterImport("last_name,first_name,position,team\n,,ZZ,YYY\n", kReference, {});
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_EQ(plan.problems[0].line, 2);
    EXPECT_EQ(plan.problems[0].reason,
              "missing last name; missing first name; unknown position 'ZZ'; unknown team 'YYY'");
}

TEST(RosterImport, MalformedCsvIsReportedWithThePhysicalLine) {
    const auto plan = PlanRosterImport(
        "last_name,first_name,position,team\n"
        "\"Multi\nLine\",Name,QB,ATL\n"  // lines 2-3: a line break inside a name
        "O\"Brien,Pat,QB,ATL\n",         // line 4
        kReference, {});
    ASSERT_EQ(plan.problems.size(), 2u) << ProblemsText(plan);
    EXPECT_EQ(plan.problems[0].line, 2);
    EXPECT_EQ(plan.problems[0].reason, "a name holds a line break or another control character");
    EXPECT_EQ(plan.problems[1].line, 4);
    EXPECT_EQ(plan.problems[1].reason, "malformed CSV: quote inside an unquoted field");
}

TEST(RosterImport, NamesInALegacyCodePageAreRefused) {
    // "Müller" as Windows-1252 stores it.
    const auto plan = PlanRosterImport(
        "last_name,first_name,position,team\nM\xFCller,J\xC3\xB6rg,QB,ATL\nFine,Name,QB,ATL\n",
        kReference, {});
    ASSERT_EQ(plan.problems.size(), 1u) << ProblemsText(plan);
    EXPECT_EQ(plan.problems[0].line, 2);
    EXPECT_EQ(plan.problems[0].reason, "a name is not UTF-8 text (save the file as CSV UTF-8)");
    EXPECT_TRUE(plan.writes.empty());
}

TEST(RosterImport, MissingPositionOrTeamForANewPlayer) {
    const auto plan =
        PlanRosterImport("last_name,first_name,position,team\nA,B,,\n", kReference, {});
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_EQ(plan.problems[0].reason, "missing position; missing team");
}

TEST(RosterImport, DuplicateRowsInTheFileAreRefused) {
    const auto plan = PlanRosterImport(
        "last_name,first_name,position,team\nA,B,QB,ATL\nC,D,QB,ATL\nA,B,qb,KC\n", kReference, {});
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_EQ(plan.problems[0].line, 4);
    EXPECT_EQ(plan.problems[0].reason, "the same player as line 2");
}

TEST(RosterImport, AmbiguousCatalogueMatchIsRefused) {
    const std::vector<CatalogPlayer> catalogue = {Player(3, "Smith", "Sam", 1, 10),
                                                  Player(9, "Smith", "Sam", 1, 11)};
    const auto plan = PlanRosterImport("last_name,first_name,position,team\nSmith,Sam,QB,KC\n",
                                       kReference, catalogue);
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_EQ(plan.problems[0].reason, "matches several players in the catalogue (ids 3, 9)");
}

TEST(RosterImport, HeaderColumnsInAnyOrderAndAbbreviationsInAnyCase) {
    const std::vector<CatalogPlayer> catalogue = {Player(7, "Allen", "Josh", 1, 11)};
    const auto plan = PlanRosterImport(
        "\xEF\xBB\xBF"
        "Team, Position ,FIRST_NAME,last_name\r\nbuf,qb,Josh,Allen\r\n",
        kReference, catalogue);
    ASSERT_TRUE(plan.problems.empty()) << ProblemsText(plan);
    EXPECT_EQ(plan.unchanged, 1);
}

TEST(RosterImport, BadHeadersAreReportedOnTheirLine) {
    EXPECT_EQ(ProblemsText(PlanRosterImport("last_name,first_name,position\n", kReference, {})),
              "1: missing column 'team' (the header is " + std::string(kRosterHeader) + ")\n");
    EXPECT_EQ(ProblemsText(
                  PlanRosterImport("\nlast_name,first_name,position,team,age\n", kReference, {})),
              "2: unknown column 'age'\n");
    EXPECT_EQ(ProblemsText(PlanRosterImport("last_name,last_name,first_name,position,team\n",
                                            kReference, {})),
              "1: column 'last_name' appears twice\n");
    EXPECT_EQ(PlanRosterImport("", kReference, {}).problems.size(), 1u);
}

TEST(RosterImport, RetiredColumnSetsTheFlagAndItsAbsenceKeepsIt) {
    const std::vector<CatalogPlayer> catalogue = {Player(7, "Brady", "Tom", 1, 10, true)};
    const auto keep = PlanRosterImport("last_name,first_name,position,team\nBrady,Tom,QB,ATL\n",
                                       kReference, catalogue);
    EXPECT_EQ(keep.unchanged, 1);
    const auto unretire = PlanRosterImport(
        "last_name,first_name,position,team,retired\nBrady,Tom,QB,ATL,no\nNew,Guy,K,KC,TRUE\n",
        kReference, catalogue);
    ASSERT_TRUE(unretire.problems.empty()) << ProblemsText(unretire);
    EXPECT_EQ(unretire.changed, 1);
    EXPECT_FALSE(unretire.writes[0].after.retired);
    EXPECT_TRUE(unretire.writes[1].after.retired);
    const auto bad = PlanRosterImport(
        "last_name,first_name,position,team,retired\nNew,Guy,K,KC,maybe\n", kReference, {});
    ASSERT_EQ(bad.problems.size(), 1u);
    EXPECT_EQ(bad.problems[0].reason,
              "retired must be 1 or 0 (or true/false, yes/no), not 'maybe'");
}

TEST(RosterImport, BlanksAroundFieldsAndBlankLinesAreIgnored) {
    const std::vector<CatalogPlayer> catalogue = {Player(7, "Allen", "Josh", 1, 11)};
    const auto plan =
        PlanRosterImport("last_name,first_name,position,team\n\n  Allen , Josh ,QB, BUF \n\n",
                         kReference, catalogue);
    ASSERT_TRUE(plan.problems.empty()) << ProblemsText(plan);
    EXPECT_EQ(plan.unchanged, 1);
}

TEST(RosterImport, CataloguePlayerWithoutTeamExportsAndReimportsUnchanged) {
    const std::vector<CatalogPlayer> catalogue = {Player(4, "Free", "Agent", 2, 0)};
    const auto plan = PlanRosterImport(RosterCsv(catalogue, kReference), kReference, catalogue);
    ASSERT_TRUE(plan.problems.empty()) << ProblemsText(plan);
    EXPECT_EQ(plan.unchanged, 1);
    // Giving him a team is a change.
    const auto signed_ = PlanRosterImport("last_name,first_name,position,team\nFree,Agent,RB,KC\n",
                                          kReference, catalogue);
    EXPECT_EQ(signed_.changed, 1);
}

TEST(RosterImport, AFieldOfMoreThanAThousandCharactersRefusesItsRow) {
    std::string name;  // characters count, not bytes: a thousand of two bytes each pass
    for (int i = 0; i < 1000; ++i) name += "\xC3\xA9";
    const std::string rows = name + ",A,QB,ATL\n" + name + "e,B,QB,ATL\n";
    const auto plan =
        PlanRosterImport("last_name,first_name,position,team\n" + rows, kReference, {});
    EXPECT_EQ(ProblemsText(plan), "3: a field is longer than 1000 characters\n");
}

TEST(RosterExport, WritesSortedRowsThatReimportWithoutChanges) {
    const std::vector<CatalogPlayer> catalogue = {
        Player(1, "O'Brien", "D'Onta", 2, 10), Player(2, "Smith, Jr.", "Jos\xC3\xA9", 3, 11, true),
        Player(3, "M\xC3\xBCller", "\"Tank\"", 4, 12), Player(4, "Allen", "Josh", 1, 11),
        Player(5, "-Dash", "'=x", 1, 10)};
    const std::string csv = RosterCsv(catalogue, kReference);
    EXPECT_EQ(csv,
              "last_name,first_name,position,team,retired\r\n"
              "'-Dash,''=x,QB,ATL,0\r\n"
              "Allen,Josh,QB,BUF,0\r\n"
              "M\xC3\xBCller,\"\"\"Tank\"\"\",TE,KC,0\r\n"
              "O'Brien,D'Onta,RB,ATL,0\r\n"
              "\"Smith, Jr.\",Jos\xC3\xA9,WR,BUF,1\r\n");
    const auto plan = PlanRosterImport(csv, kReference, catalogue);
    ASSERT_TRUE(plan.problems.empty()) << ProblemsText(plan);
    EXPECT_EQ(plan.unchanged, 5);
    EXPECT_TRUE(plan.writes.empty());
}

}  // namespace
}  // namespace gr::admin
