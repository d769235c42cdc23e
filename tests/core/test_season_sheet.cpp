// A season sheet read and planned against a small catalogue: names match without regard to
// case and guarded formulas read back as names, a sheet written from the planned league plans
// the same rows again, and each rule of the layout and of a season is told with its line.
#include <gtest/gtest.h>

#include "LeagueDocument.h"
#include "SeasonImport.h"
#include "SeasonSheet.h"

namespace gr::history {
namespace {

const char* const kSheet =
    "Season,2024\r\n"
    "Rounds,1\r\n"
    "Fee,100\r\n"
    "Regular weeks,14\r\n"
    "Total weeks,17\r\n"
    "\r\n"
    "Managers\r\n"
    "Rank,First name,Last name,Fee paid\r\n"
    "1,Ann,Lee,yes\r\n"
    "2,'=Bob,Ray,no,,\r\n"
    "Prizes\r\n"
    "Prize,Type,Amount\r\n"
    "champion,season,150.00\r\n"
    "Weekly High Score,Weekly,10\r\n"
    "Draft\r\n"
    "Round,Pick,Manager,Player or team,Position,Team\r\n"
    "1,1,ann lee,Josh Allen,QB,BUF\r\n"
    "1,2,'=Bob Ray,Buffalo Bills,,\r\n"
    "Winnings\r\n"
    "Prize,Week,Manager\r\n"
    "Champion,,Ann Lee\r\n"
    "Weekly High Score,3,'=Bob Ray\r\n";

LeagueRows Catalogue() {
    LeagueRows l;
    l.positions = {{1, "QB", "Quarterback"}, {6, "DEF", "Team Defense"}};
    l.teams = {{4, "Buffalo", "Bills", "BUF", 6}};
    l.players = {{21, "Josh", "Allen", 1, 4, false}, {22, "Josh", "Allen", 6, 0, true}};
    l.managers = {{1, "Ann", "Lee"}, {2, "=Bob", "Ray"}};
    l.prizeTypes = {{1, "Season"}, {2, "Weekly"}};
    l.prizes = {{1, "Champion", 1}, {5, "Weekly High Score", 2}};
    return l;
}

SeasonImportPlan Plan(const std::string& text, const LeagueRows& league, bool replace = false) {
    const SheetReading reading = ReadSeasonSheet(text);
    EXPECT_TRUE(reading.problems.empty()) << reading.problems.front().reason;
    return PlanSeasonImport(reading.sheet, league, {.addMissing = false, .replace = replace});
}

TEST(SeasonSheet, NamesMatchWithoutCaseAndAWrittenSheetPlansTheSameRows) {
    LeagueRows league = Catalogue();
    const SeasonImportPlan plan = Plan(kSheet, league);
    ASSERT_TRUE(plan.problems.empty())
        << plan.problems.front().line << plan.problems.front().reason;
    ASSERT_EQ(plan.rows.drafts.size(), 2u);
    EXPECT_EQ(plan.rows.drafts[0].playerId, 21);  // the quarterback of the two Josh Allens
    EXPECT_EQ(plan.rows.drafts[1].teamId, 4);
    EXPECT_EQ(plan.rows.drafts[1].managerId, 2);
    ASSERT_EQ(plan.rows.winnings.size(), 2u);
    EXPECT_EQ(plan.rows.winnings[1].week, 3);
    EXPECT_EQ(plan.rows.money[0].money, 150);

    league.seasons = plan.rows.seasons;
    league.playing = plan.rows.playing;
    league.money = plan.rows.money;
    league.drafts = plan.rows.drafts;
    league.winnings = plan.rows.winnings;
    const std::string written = SeasonSheetCsv(league, 2024);
    EXPECT_NE(written.find("'=Bob Ray"), std::string::npos) << written;
    const SeasonImportPlan again = Plan(written, league, true);
    ASSERT_TRUE(again.problems.empty()) << again.problems.front().reason;
    EXPECT_TRUE(again.replacesSeason);
    EXPECT_EQ(LeagueJson(again.rows), LeagueJson(plan.rows));
}

TEST(SeasonSheet, EachFaultIsToldWithItsLine) {
    struct Case {
        std::string from, to;
        int line;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"Fee,100", "Fee,100.50", 3, "the league keeps whole amounts, not 100.50"},
        {"Rounds,1", "Rounds,1\r\nDraft locked,maybe", 3, "Draft locked is yes or no, not 'maybe'"},
        {"Total weeks,17", "Total weeks,12", 5, "fewer weeks in all than regular weeks"},
        {"Rank,First name", "Rank,First", 8, "the Managers section needs the columns"},
        {"Prizes\r\n", "Prices\r\n", 0, "the Prizes section is missing"},
        {"1,1,ann lee", "2,1,ann lee", 17, "round 2 is beyond the season's 1 rounds"},
        {"QB,BUF", "QB,XYZ", 17, "unknown team 'XYZ'"},
        {"Josh Allen,QB,BUF", "Josh Allen,,", 17, "several players named 'Josh Allen'"},
        {"Josh Allen,QB,BUF", "Jim Nobody,,", 17, "a new player needs a known position"},
        {"1,2,'=Bob Ray", "1,2,Cy Young", 18, "manager 'Cy Young' does not play in the season"},
        {"Champion,,Ann Lee", "Champion,2,Ann Lee", 21, "leave its week empty"},
        {"Weekly High Score,3", "Weekly High Score,", 22, "a weekly prize needs its week"},
        {"Season,2024", "Season,20x4", 1, "Season needs a whole number"},
    };
    const LeagueRows league = Catalogue();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        std::string text = kSheet;
        text.replace(text.find(c.from), c.from.size(), c.to);
        const SheetReading reading = ReadSeasonSheet(text);
        std::vector<LineProblem> problems = reading.problems;
        if (problems.empty())
            problems = PlanSeasonImport(reading.sheet, league, {.addMissing = true}).problems;
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems.front().line, c.line) << problems.front().reason;
        EXPECT_NE(problems.front().reason.find(c.reason), std::string::npos)
            << problems.front().reason;
    }
}

}  // namespace
}  // namespace gr::history
