// The league as rows (ILeagueRecords): each write is one transaction, so one row the store
// refuses leaves every table as it was, and after a write the service's caches follow the rows.
#include <string>

#include "LeagueDocument.h"
#include "OpsFixture.h"

using namespace gr;
using gr::testing::OpsFixture;

namespace {

class LeagueRecords : public OpsFixture {
  protected:
    std::string Stored(ILeagueRecords& records) {
        LeagueRows rows;
        std::string message;
        EXPECT_TRUE(records.ReadLeague(rows, message)) << message;
        return history::LeagueJson(rows);
    }
};

TEST_F(LeagueRecords, ARefusedRowStoresNothingAndAStoredLeagueIsWhatTheServiceShows) {
    CreateOpsLeague();
    auto service = StartService();
    const ComPtr<ILeagueRecords> records = service.As<ILeagueRecords>();
    const ComPtr<ILeagueSettings> settings = service.As<ILeagueSettings>();
    ASSERT_TRUE(records && settings);
    ASSERT_TRUE(settings->SetLeagueSetting("site title", "Sunday League"));
    LeagueRows league;
    std::string message;
    ASSERT_TRUE(records->ReadLeague(league, message)) << message;
    const std::string original = history::LeagueJson(league);
    const ComPtr<ISeasonInfo> held = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(held);

    // The last row of each write names a manager the league lacks.
    LeagueRows whole = league;
    whole.winnings.push_back({900, league.seasons[0].id, 999, 1, 0});
    EXPECT_FALSE(records->ReplaceLeague(whole, message));
    EXPECT_EQ(message.rfind("The league was not changed: ", 0), 0u) << message;
    LeagueRows season;
    season.managers.push_back({77, "New", "Manager"});
    season.seasons.push_back({0, 2031, 4, 3, 50, 14, 17, false, false, false, false});
    season.seasons[0].id = 90;
    season.playing.push_back({90, 77, 1, true});
    season.drafts.push_back({90, 1, 999, 0, 0});
    EXPECT_FALSE(records->AddSeasonRows(season, message));
    EXPECT_EQ(Stored(*records), original);

    season.drafts.back().managerId = 77;
    ASSERT_TRUE(records->AddSeasonRows(season, message)) << message;
    LeagueRows added;
    ASSERT_TRUE(records->ReadLeague(added, message)) << message;
    ASSERT_EQ(added.seasons.back().year, 2031);
    EXPECT_EQ(added.managers.back().lastName, "Manager");
    EXPECT_EQ(added.drafts.back().managerId, 77);

    ASSERT_EQ(added.settings.size(), 1u);
    added.settings[0].value = "Monday League";
    added.managers[0].lastName = "Renamed";
    added.currentSeasonId = 90;
    ASSERT_TRUE(records->ReplaceLeague(added, message)) << message;
    EXPECT_EQ(Stored(*records), history::LeagueJson(added));
    // The service reads the rows afresh: the renamed manager, the season of the new current id.
    EXPECT_EQ(Names(service->Search(TypeManager, "Renamed")).size(), 1u);
    EXPECT_EQ(service->get_CurrentSeasonID(), 90);
    std::string title;
    bool found = false;
    EXPECT_TRUE(settings->GetLeagueSetting("site title", title, found));
    EXPECT_EQ(title, "Monday League");
    EXPECT_NE(service->GetCurrentSeasonInfo().get(), held.get());
    EXPECT_TRUE(m_reports.empty());
}

}  // namespace
