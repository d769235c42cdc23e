// Search of players, teams, managers, prizes and positions through the data service: the
// word rules, the result orders, names with quotes and wildcard characters, and search on
// a service whose caches are still empty.
#include <algorithm>
#include <string>
#include <vector>

#include "DataKeys.h"
#include "OpsFixture.h"
#include "SearchQuery.h"

using namespace gr;
using gr::testing::LeagueWriter;
using gr::testing::OpsFixture;
using Texts = std::vector<std::string>;

namespace {

class Search : public OpsFixture {};

// ---- Word splitting ---------------------------------------------------------------------

TEST(SearchWords, TwoWordsSeparatedByOneBlankGiveTwoWords) {
    EXPECT_EQ(data::SplitSearchWords("Josh Allen"), (Texts{"Josh", "Allen"}));
}

TEST(SearchWords, EmptyTextGivesOneEmptyWord) {
    EXPECT_EQ(data::SplitSearchWords(""), (Texts{""}));
}

TEST(SearchWords, CommasAndSemicolonsSplitLikeBlanks) {
    EXPECT_EQ(data::SplitSearchWords("Allen,Josh;Hill"), (Texts{"Allen", "Josh", "Hill"}));
    EXPECT_EQ(data::SplitSearchWords("Allen, Josh"), (Texts{"Allen", "Josh", ""}));
}

TEST(SearchWords, EveryEmptyPartLeavesOneEmptyWordAtTheEnd) {
    EXPECT_EQ(data::SplitSearchWords("a  b"), (Texts{"a", "b", ""}));
    EXPECT_EQ(data::SplitSearchWords(" a"), (Texts{"a", ""}));
    EXPECT_EQ(data::SplitSearchWords("a,,b;"), (Texts{"a", "b", "", ""}));
}

TEST(SearchWords, EscapingMakesWildcardsAndTheEscapeLiteral) {
    EXPECT_EQ(data::EscapeLike("50%_a\\b'c"), "50\\%\\_a\\\\b'c");
    EXPECT_EQ(data::LikePrefix("Ka'"), "Ka'%");
    EXPECT_EQ(data::LikeContains("_"), "%\\_%");
}

// ---- Players and teams ------------------------------------------------------------------

TEST_F(Search, OneWordFindsPlayersByTheStartOfEitherName) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "T")),
              (Texts{"Tua Tagovailoa", "Tyreek Hill"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "allen")), (Texts{"Josh Allen"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "llen")), Texts{});
}

TEST_F(Search, RetiredPlayersAreFoundOnlyWhenAskedFor) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Timer")), Texts{});
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Timer", false, false)),
              (Texts{"Old Timer"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "T", false, false)),
              (Texts{"Old Timer", "Tua Tagovailoa", "Tyreek Hill"}));
}

TEST_F(Search, TwoWordsMatchLastAndFirstNameInEitherOrder) {
    CreateOpsLeague([](LeagueWriter& w) { w.Player(10, "Allen", "Joshua", 1, 2); });
    auto service = StartService();
    const Texts both{"Allen Joshua", "Josh Allen"};
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Josh Allen")), both);
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Allen Josh")), both);
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Allen;Josh")), both);
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Al Jos")), both);
    // Both words must match: a first name alone is not enough.
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Josh Hill")), Texts{});
}

TEST_F(Search, EmptyTextListsEveryActivePlayerThenEveryTeam) {
    CreateOpsLeague();
    auto service = StartService();
    const Texts expected{"CeeDee Lamb",      "D'Onta Foreman", "Ja'Marr Chase",  "Josh Allen",
                         "Ka'imi Fairbairn", "Stefon Diggs",   "Tua Tagovailoa", "Tyreek Hill",
                         "Buffalo",          "Dallas",         "Miami",          "Nowhere"};
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "")), expected);
    EXPECT_EQ(service->Search(TypePlayerOrTeam, "", false, false)->Count(), 13);
}

TEST_F(Search, PlayersComeFirstThenTeamsByNameNicknameOrAbbreviation) {
    CreateOpsLeague();
    auto service = StartService();
    // "D" begins Diggs and D'Onta, the team Dallas and the nickname Dolphins (Miami).
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "D")),
              (Texts{"D'Onta Foreman", "Stefon Diggs", "Dallas", "Miami"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Bills")), (Texts{"Buffalo"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "mia")), (Texts{"Miami"}));
}

TEST_F(Search, NamesWithApostrophesAreFoundByEveryPrefix) {
    CreateOpsLeague();
    auto service = StartService();
    for (const char* prefix : {"D", "D'", "d'o", "D'Onta", "D'Onta Foreman"}) {
        Texts found = Names(service->Search(TypePlayerOrTeam, prefix));
        EXPECT_NE(std::find(found.begin(), found.end(), "D'Onta Foreman"), found.end()) << prefix;
    }
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Ka'")), (Texts{"Ka'imi Fairbairn"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Ja'Marr Chase")), (Texts{"Ja'Marr Chase"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Chase Ja'")), (Texts{"Ja'Marr Chase"}));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, PercentAndUnderscoreMatchThemselves) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Player(10, "Al_x", "Wild", 1, 1);
        w.Player(11, "Alex", "Wild", 1, 1);
        w.Player(12, "Zed", "100%Pure", 1, 1);
        w.Player(13, "Zed", "1000Pure", 1, 1);
    });
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Al_")), (Texts{"Al_x Wild"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "100%")), (Texts{"Zed 100%Pure"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "%")), Texts{});
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "_")), Texts{});
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "*")), Texts{});
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, QuotesBackslashesAndLongTextsFindNothingWithoutError) {
    CreateOpsLeague();
    auto service = StartService();
    std::string manyWords;
    for (int i = 0; manyWords.size() < 195; ++i) manyWords += "w" + std::to_string(i) + " ";
    for (const std::string& text :
         {std::string("'"), std::string("\""), std::string("\\"), std::string("O'Brien\\"),
          std::string("';drop table [player info];--"), std::string(200, 'x'), manyWords}) {
        auto found = service->Search(TypePlayerOrTeam, text);
        ASSERT_TRUE(found) << text;
        EXPECT_EQ(found->Count(), 0) << text;
    }
    EXPECT_TRUE(m_reports.empty());
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Allen")), (Texts{"Josh Allen"}));
}

TEST_F(Search, SeparatorsInARowAndBlanksAroundAWordStillFindIt) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Josh,,Allen")), (Texts{"Josh Allen"}));
    // Two empty words pair with each other and match any name: the player is among them.
    Texts wide = Names(service->Search(TypePlayerOrTeam, "Josh ; Allen"));
    EXPECT_NE(std::find(wide.begin(), wide.end(), "Josh Allen"), wide.end());
    // One empty word pairs with "Allen": either name beginning with it is found.
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Allen ")), (Texts{"Josh Allen"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, ",Lamb")), (Texts{"CeeDee Lamb"}));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, NonAsciiLettersMatchThemselves) {
    CreateOpsLeague([](LeagueWriter& w) { w.Player(10, "Léa", "Straße", 4, 3); });
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Lé")), (Texts{"Léa Straße"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Straß")), (Texts{"Léa Straße"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "Straß Léa")), (Texts{"Léa Straße"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "é")), Texts{});
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, ResultsComeInReadingOrderWithoutRegardToCase) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Player(20, "DeVante", "Parker", 4, 3);
        w.Player(21, "DeeJay", "Dallas", 4, 3);
        w.Player(22, "Deebo", "Samuel", 4, 3);
        w.Player(23, "DeAndre", "Hopkins", 4, 3);
        w.Player(24, "deebo", "Junior", 4, 3);  // equal but for case: capital first
        w.Team(21, "denver", "Broncos", "DEN", 1);
        w.Team(22, "Detroit", "Lions", "DET", 1);
        w.Manager(20, "DeVon", "Ames");
        w.Manager(21, "Dean", "Ames");
    });
    Execute(
        "insert into [prize info] ([id], [desc], [type id]) values (20, 'Most Points', 1), "
        "(21, 'most Losses', 1);"
        "insert into [position info] ([id], [abbr], [desc]) values (20, 'P', 'Punter'), "
        "(21, 'PR', 'punt Returner');");
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "De")),
              (Texts{"DeAndre Hopkins", "Deebo Samuel", "deebo Junior", "DeeJay Dallas",
                     "DeVante Parker", "denver", "Detroit"}));
    EXPECT_EQ(Names(service->Search(TypeManager, "Ames")), (Texts{"Dean Ames", "DeVon Ames"}));
    EXPECT_EQ(Names(service->Search(TypePrize, "most")), (Texts{"most Losses", "Most Points"}));
    EXPECT_EQ(Names(service->Search(TypePosition, "pun")), (Texts{"punt Returner", "Punter"}));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, LettersBeyondAsciiMatchWithoutRegardToCase) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Player(20, "Émile", "Øberg", 4, 3);
        w.Player(21, "élan", "Zoë", 4, 3);
        w.Manager(20, "Ørjan", "Ålund");
    });
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "émile")), (Texts{"Émile Øberg"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "ØBERG É")), (Texts{"Émile Øberg"}));
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "ZOË")), (Texts{"élan Zoë"}));
    // Reading order folds case too; accented letters follow the plain alphabet.
    EXPECT_EQ(Names(service->Search(TypePlayerOrTeam, "É")), (Texts{"élan Zoë", "Émile Øberg"}));
    EXPECT_EQ(Names(service->Search(TypeManager, "åLUND")), (Texts{"Ørjan Ålund"}));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, FoundPlayersAreTheCachedInstancesThatDraftPicksHold) {
    CreateOpsLeague([](LeagueWriter& w) { w.Draft(1, 1, 1, 1, 0); });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    auto drafted = season->get_Drafts()->ItemAs<IDraftInfo>(1)->get_PlayerOrTeam();
    auto found = service->Search(TypePlayerOrTeam, "Allen");
    ASSERT_EQ(found->Count(), 1);
    EXPECT_EQ(found->ItemAs<IPickable>(1).get(), drafted.get());
    EXPECT_EQ(service->Search(TypePlayerOrTeam, "Josh")->ItemAs<IPickable>(1).get(), drafted.get());
    // A found team is the instance of the teams list.
    auto team = service->Search(TypePlayerOrTeam, "Buffalo")->ItemAs<IPickable>(1);
    EXPECT_EQ(team.get(), service->GetTeams()->ItemAs<IPickable>("K1").get());
}

TEST_F(Search, FoundPlayersCarryTheirPositionTeamAndRetiredFlag) {
    CreateOpsLeague();
    auto service = StartService();
    auto timer = service->Search(TypePlayerOrTeam, "Timer", false, false)->ItemAs<IPlayerInfo>(1);
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->get_IsRetired());
    EXPECT_EQ(timer->get_Position()->get_Abbr(), "RB");
    EXPECT_FALSE(timer->get_Team());
    auto chase = service->Search(TypePlayerOrTeam, "Chase")->ItemAs<IPlayerInfo>(1);
    EXPECT_EQ(chase->get_ID(), 8);
    EXPECT_EQ(chase->get_Team()->get_Name(), "Buffalo");
    EXPECT_FALSE(chase->get_IsRetired());
}

// ---- Managers ---------------------------------------------------------------------------

TEST_F(Search, ManagersByTheStartOfEitherNameInNameOrder) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypeManager, "d")), (Texts{"Bo Diaz", "Di Ro"}));
    EXPECT_EQ(Names(service->Search(TypeManager, "")),
              (Texts{"Ann Lee", "Bo Diaz", "Cy Ng", "Di Ro", "Ed Out"}));
    EXPECT_EQ(Names(service->Search(TypeManager, "'")), Texts{});
}

TEST_F(Search, CurrentSeasonManagersAreThoseWhoPlayInIt) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypeManager, "", true)),
              (Texts{"Ann Lee", "Bo Diaz", "Cy Ng", "Di Ro"}));
    EXPECT_EQ(Names(service->Search(TypeManager, "Ed", true)), Texts{});
    EXPECT_EQ(Names(service->Search(TypeManager, "Ed", false)), (Texts{"Ed Out"}));
}

TEST_F(Search, FoundManagersAreTheMastersTheSeasonHolds) {
    CreateOpsLeague();
    auto service = StartService();
    auto bo = SeasonManager(service, 2);
    ASSERT_TRUE(bo);
    auto found = service->Search(TypeManager, "Bo");
    ASSERT_EQ(found->Count(), 1);
    EXPECT_EQ(found->ItemAs<IManagerTmplInfo>(1).get(), bo->get_ManagerTmpl().get());
}

// ---- Prizes and positions -----------------------------------------------------------------

TEST_F(Search, PrizesAreFoundByAnyPartWithoutLoadingThemFirst) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePrize, "score")), (Texts{"Weekly High Score"}));
    EXPECT_EQ(Names(service->Search(TypePrize, "p")),
              (Texts{"Champion", "Regular Season Points Leader", "Runner-up", "Third Place"}));
    EXPECT_EQ(Names(service->Search(TypePrize, "", true)),
              (Texts{"Champion", "Weekly High Score"}));
    EXPECT_EQ(Names(service->Search(TypePrize, "-")), (Texts{"Runner-up"}));
    EXPECT_EQ(Names(service->Search(TypePrize, "%")), Texts{});
    EXPECT_TRUE(m_reports.empty());
    auto champion = service->Search(TypePrize, "Champ")->ItemAs<IPickable>(1);
    EXPECT_EQ(champion.get(), service->GetPrizeTmpls()->ItemAs<IPickable>("K1").get());
}

TEST_F(Search, PositionsAreFoundByAnyPartWithoutLoadingThemFirst) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_EQ(Names(service->Search(TypePosition, "back")), (Texts{"Quarterback", "Running Back"}));
    EXPECT_EQ(Names(service->Search(TypePosition, "_")), Texts{});
    EXPECT_TRUE(m_reports.empty());
    auto kicker = service->Search(TypePosition, "Kick")->ItemAs<IPickable>(1);
    EXPECT_EQ(kicker.get(), service->GetPlayerPositions()->ItemAs<IPickable>("K5").get());
}

// ---- Failures ------------------------------------------------------------------------------

TEST_F(Search, AnUnknownKindFindsNothingAndReportsNothing) {
    CreateOpsLeague();
    auto service = StartService();
    EXPECT_FALSE(service->Search(static_cast<InfoTypeEnum>(9), "a"));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Search, AnEngineErrorIsReportedUnderTheKindsMessage) {
    CreateOpsLeague();
    auto service = StartService();
    service->CloseDatabase();
    EXPECT_FALSE(service->Search(TypePlayerOrTeam, "a"));
    EXPECT_FALSE(service->Search(TypeManager, "a"));
    EXPECT_FALSE(service->Search(TypePrize, "a"));
    EXPECT_FALSE(service->Search(TypePosition, "a"));
    EXPECT_EQ(m_reports,
              (Texts{"Gridora Service|Error in searching players/teams.\nThe database is not open.",
                     "Gridora Service|Error in searching managers.\nThe database is not open.",
                     "Gridora Service|Error in searching prizes.\nThe database is not open.",
                     "Gridora Service|Error in searching positions.\nThe database is not open."}));
    m_reports.clear();
}

}  // namespace
