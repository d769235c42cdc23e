// Winning records through the data service: keys of new records, consecutive ids, removal,
// records that are never written, a stored record saved again, and all or nothing.
#include <string>
#include <vector>

#include "OpsFixture.h"

using namespace gr;
using gr::testing::LeagueWriter;
using gr::testing::OpsFixture;
using Texts = std::vector<std::string>;

namespace {

class WinningsStore : public OpsFixture {
  protected:
    // A new record of the current season, filled and marked for adding.
    static ComPtr<IWinningInfo> Won(const ComPtr<IDataService>& service, const std::string& manager,
                                    const std::string& prize, int32_t week,
                                    ActionTypeEnum action = ActionTypeAdd) {
        ComPtr<IWinningInfo> win;
        EXPECT_TRUE(service->AddWinning(win));
        if (!win) return win;
        win->let_SeasonID(service->get_CurrentSeasonID());
        win->let_ManagerID(manager);
        win->let_PrizeID(prize);
        win->let_Week(week);
        win->let_Action(action);
        return win;
    }
    int64_t Rows(const ComPtr<IDataService>& service) {
        return Read(service, "select count(*) from [winning info]");
    }
};

TEST_F(WinningsStore, NewRecordsAreKeyedByARunningNumberAndJoinTheSeason) {
    CreateOpsLeague();
    auto service = StartService();
    ComPtr<IWinningInfo> first;
    ComPtr<IWinningInfo> second;
    ASSERT_TRUE(service->AddWinning(first));
    ASSERT_TRUE(service->AddWinning(second));
    EXPECT_EQ(first->get_Key(), "KNEW1");
    EXPECT_EQ(second->get_Key(), "KNEW2");
    EXPECT_EQ(first->get_ID(), 0);
    auto winnings = service->GetCurrentSeasonInfo()->get_Winnings();
    EXPECT_EQ(winnings->ItemAs<IWinningInfo>("KNEW2").get(), second.get());
}

TEST_F(WinningsStore, RecordsSavedTogetherTakeConsecutiveIdsAfterTheHighest) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Season(2, 2023, 4, 3);
        w.Winning(20, 2, 1, 1, 0);
        w.Winning(7, 1, 2, 5, 3);
    });
    auto service = StartService();
    auto weekly = Won(service, "3", "5", 4);
    auto champion = Won(service, "1", "1", 0);
    // The row belongs to the current season whatever the record says.
    champion->let_SeasonID(2);
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_EQ(weekly->get_ID(), 21);
    EXPECT_EQ(champion->get_ID(), 22);
    EXPECT_EQ(weekly->get_Key(), "KNEW1");
    EXPECT_EQ(Read(service, "select [week #] from [winning info] where [id] = 21"), 4);
    EXPECT_EQ(Read(service, "select [week #] from [winning info] where [id] = 22"), -1);
    EXPECT_EQ(Read(service, "select [season id] from [winning info] where [id] = 22"), 1);
    EXPECT_EQ(Read(service,
                   "select [manager id] * 10 + [prize id] from [winning info] "
                   "where [id] = 21"),
              35);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(WinningsStore, ARecordRemovedBeforeItWasStoredNeverReachesTheTable) {
    CreateOpsLeague();
    auto service = StartService();
    auto win = Won(service, "1", "5", 2);
    win->let_Action(ActionTypeRemove);
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_FALSE(service->GetCurrentSeasonInfo()->get_Winnings()->Contains("KNEW1"));
    EXPECT_EQ(Rows(service), 0);
}

TEST_F(WinningsStore, ARecordWithoutActionIsNeverWritten) {
    CreateOpsLeague();
    auto service = StartService();
    auto win = Won(service, "1", "5", 2, ActionTypeNone);
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_EQ(Rows(service), 0);
    EXPECT_EQ(win->get_ID(), 0);
    EXPECT_TRUE(service->GetCurrentSeasonInfo()->get_Winnings()->Contains("KNEW1"));
}

TEST_F(WinningsStore, AStoredRecordSavedAgainIsNeverInsertedTwice) {
    CreateOpsLeague();
    auto service = StartService();
    auto win = Won(service, "2", "5", 6);
    ASSERT_TRUE(service->SaveWinnings());
    ASSERT_EQ(win->get_ID(), 1);
    // Still marked for adding; the user corrects the week and saves again.
    win->let_Week(7);
    ASSERT_TRUE(service->SaveWinnings());
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_EQ(Rows(service), 1);
    EXPECT_EQ(win->get_ID(), 1);
    EXPECT_EQ(Read(service, "select [week #] from [winning info] where [id] = 1"), 7);
}

TEST_F(WinningsStore, AStoredRecordMarkedRemovedLeavesTableAndSeason) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Winning(7, 1, 1, 5, 3);
        w.Winning(8, 1, 2, 1, 0);
    });
    auto service = StartService();
    auto winnings = service->GetCurrentSeasonInfo()->get_Winnings();
    winnings->ItemAs<IWinningInfo>("K7")->let_Action(ActionTypeRemove);
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_FALSE(winnings->Contains("K7"));
    EXPECT_TRUE(winnings->Contains("K8"));
    EXPECT_EQ(Read(service, "select count(*) from [winning info] where [id] = 7"), 0);
    EXPECT_EQ(Rows(service), 1);
}

TEST_F(WinningsStore, RoundTripAddSaveRemoveSaveReload) {
    CreateOpsLeague();
    auto service = StartService();
    auto kept = Won(service, "4", "5", 9);
    auto dropped = Won(service, "3", "1", 0);
    ASSERT_TRUE(service->SaveWinnings());
    dropped->let_Action(ActionTypeRemove);
    ASSERT_TRUE(service->SaveWinnings());
    ASSERT_TRUE(m_reports.empty());

    service = nullptr;
    auto reread = StartService();
    auto winnings = reread->GetCurrentSeasonInfo()->get_Winnings();
    ASSERT_EQ(winnings->Count(), 1);
    auto loaded = winnings->ItemAs<IWinningInfo>(1);
    EXPECT_EQ(loaded->get_Key(), "K" + std::to_string(kept->get_ID()));
    EXPECT_EQ(loaded->get_ManagerID(), "4");
    EXPECT_EQ(loaded->get_PrizeID(), "5");
    EXPECT_EQ(loaded->get_Week(), 9);
    EXPECT_EQ(loaded->get_SeasonID(), 1);
}

TEST_F(WinningsStore, SaveWinningsIsAllOrNothingAndCanBeRetried) {
    CreateOpsLeague([](LeagueWriter& w) { w.Winning(7, 1, 1, 5, 3); });
    auto service = StartService();
    auto good = Won(service, "1", "5", 4);
    auto bad = Won(service, "55", "5", 4);  // no such manager
    EXPECT_FALSE(service->SaveWinnings());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving winnings.\n", 0), 0u);
    m_reports.clear();
    EXPECT_EQ(Rows(service), 1);
    EXPECT_EQ(good->get_ID(), 0);

    bad->let_ManagerID("2");
    ASSERT_TRUE(service->SaveWinnings());
    EXPECT_EQ(good->get_ID(), 8);
    EXPECT_EQ(bad->get_ID(), 9);
    EXPECT_EQ(Rows(service), 3);
}

TEST_F(WinningsStore, AnIdThatIsNotANumberIsRefusedWithItsText) {
    CreateOpsLeague();
    auto service = StartService();
    auto win = Won(service, "abc", "5", 1);
    EXPECT_FALSE(service->SaveWinnings());
    EXPECT_EQ(m_reports,
              (Texts{"Gridora Service|Error in saving winnings.\nInvalid manager id: \"abc\"."}));
    m_reports.clear();
    win->let_ManagerID("1");
    win->let_PrizeID("");
    EXPECT_FALSE(service->SaveWinnings());
    EXPECT_EQ(m_reports,
              (Texts{"Gridora Service|Error in saving winnings.\nInvalid prize id: \"\"."}));
    m_reports.clear();
    EXPECT_EQ(Rows(service), 0);
}

}  // namespace
