// The money figures and the three report pages over a league of three seasons whose every
// figure is worked out by hand below, read through the real services from a real league file.
#include <gtest/gtest.h>

#include "GRServiceUtils.h"
#include "HtmlDocument.h"
#include "MoneyReport.h"
#include "MoneyReportPages.h"
#include "ScriptedUser.h"
#include "SqlDatabase.h"
#include "ViewDriver.h"
#include "frmReports.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

using reports::Cents;

// Three seasons. Prizes: 1 Champion, 2 Runner-up, 4 Points Leader (season prizes, type 1),
// 5 Weekly High Score (type 2) and 6 Playoff Bonus (type 3: no week, its winners counted
// together under week 0).
//
// 2021, fee 20, locked. Carl (paid), al (paid), Bea (not paid).
//   Champion 100: Carl. Runner-up 50: al. Weekly 25: week 3 Carl and al (12.50 each), week 4
//   Carl, al and Bea (8.33 each).
//   Carl 120.83, al 70.83, Bea 8.33.
// 2022, fee 30, not locked. Carl, al, Dan.
//   Points Leader 100 won in week 2 by al and in week 9 by Dan: one season prize, 50 each.
//   Playoff Bonus 40: Carl and Dan, 20 each. Champion 90 won by Bea, who does not play this
//   season: valued for nobody. A Runner-up winning for Carl: the prize is not in this season.
//   Carl 20, al 50, Dan 70.
// 2023, fee 20, locked, the current season. al (paid), Bea (not paid), Eve (not paid).
//   Champion 60: al. Weekly 10: week 3 al and Eve (5 each), week 4 Bea, week 5 Bea.
//   al 65 (balance 65.00), Bea 20 (balance 0.00), Eve 5 (balance -15.00); total 90.00.
//
// All seasons (fees counted paid or not):
//   al [2]    3 seasons, fees  70, winnings 185.83, balance 115.83   playing
//   Bea [3]   2 seasons, fees  40, winnings  28.33, balance -11.67   playing
//   Eve [5]   1 season,  fees  20, winnings   5.00, balance -15.00   playing
//   Carl [1]  2 seasons, fees  50, winnings 140.83, balance  90.83   not playing
//   Dan [4]   1 season,  fees  30, winnings  70.00, balance  40.00   not playing
//   totals: 3 seasons, fees 210.00, winnings 429.99, balance 219.99
// Past winners (locked seasons, newest first): 2023 al Avery and nobody; 2021 Carl Cole and
// al Avery.
constexpr const char* kLeague = R"SQL(
insert into [prize type info] ([type id], [type name]) values (3, 'Playoff');
insert into [prize info] ([id], [desc], [type id]) values (6, 'Playoff Bonus', 3);
insert into [manager info] ([id], [first name], [last name]) values
  (1, 'Carl', 'Cole'), (2, 'al', 'Avery'), (3, 'Bea', 'Bell'), (4, 'Dan', 'Dean'),
  (5, 'Eve', 'O''Neil <Jr>');
insert into [season info] ([id], [season year], [no of players], [no of rounds],
  [money contribution], [no of regular weeks], [total no of weeks], [is ranking locked],
  [is draft locked], [is season locked], [has season started]) values
  (1, 2021, 3, 2, 20, 14, 17, 1, 1, 1, 1),
  (2, 2022, 3, 2, 30, 14, 17, 1, 1, 0, 1),
  (3, 2023, 3, 2, 20, 14, 17, 1, 1, 1, 1);
insert into [playing info] ([season id], [manager id], [ranking], [fee paid]) values
  (1, 1, 1, 1), (1, 2, 2, 1), (1, 3, 3, 0),
  (2, 1, 1, 1), (2, 2, 2, 1), (2, 4, 3, 1),
  (3, 2, 1, 1), (3, 3, 2, 0), (3, 5, 3, 0);
insert into [money distribution info] ([season id], [prize id], [money]) values
  (1, 1, 100), (1, 2, 50), (1, 5, 25),
  (2, 1, 90), (2, 4, 100), (2, 6, 40),
  (3, 1, 60), (3, 5, 10);
insert into [winning info] ([id], [season id], [manager id], [prize id], [week #]) values
  (1, 1, 1, 1, null), (2, 1, 2, 2, null),
  (3, 1, 1, 5, 3), (4, 1, 2, 5, 3),
  (5, 1, 1, 5, 4), (6, 1, 2, 5, 4), (7, 1, 3, 5, 4),
  (8, 2, 2, 4, 2), (9, 2, 4, 4, 9), (10, 2, 1, 6, null), (11, 2, 4, 6, null),
  (12, 2, 3, 1, null), (13, 2, 1, 2, null),
  (14, 3, 2, 1, null), (15, 3, 2, 5, 3), (16, 3, 5, 5, 3), (17, 3, 3, 5, 4),
  (18, 3, 3, 5, 5);
update [settings] set [current season id] = 3 where [ID] = 1;
)SQL";

class MoneyReportsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        {
            db::Database league(databases.File("Gridora - Blank.mdb"), GetDatabaseKey());
            league.Execute(kLeague);
        }
        databases.UseType(DBBlank);
        setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        service = setup->get_DataService();
    }

    // The cell texts of the report window's table, row by row.
    std::vector<std::vector<std::string>> ReportCells(int32_t kind) {
        frmReports window;
        window.Initialize(kind, service);
        window.show();
        window.Activated();
        EXPECT_TRUE(WaitForDocument(*window.wbDisplay));
        std::vector<std::vector<std::string>> rows;
        const auto tables = window.wbDisplay->document()->body()->children();
        if (tables.size() != 1) return rows;
        for (const ElementPtr& tr : tables[0]->rows()) {
            rows.emplace_back();
            for (const ElementPtr& td : tr->cells()) rows.back().push_back(td->innerText());
        }
        return rows;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> service;
};

TEST_F(MoneyReportsTest, CurrentSeasonFiguresAndPage) {
    const reports::SeasonMoney money = reports::CurrentSeasonMoney(service);
    ASSERT_TRUE(money.hasSeason);
    EXPECT_EQ(money.year, 2023);
    ASSERT_EQ(money.rows.size(), 3u);
    EXPECT_EQ(money.rows[0].name, "al Avery");
    EXPECT_EQ(money.rows[0].winnings, 6500);
    EXPECT_EQ(money.rows[0].balance, 6500);
    EXPECT_EQ(money.rows[1].name, "Bea Bell");
    EXPECT_EQ(money.rows[1].balance, 0);
    EXPECT_EQ(money.rows[2].winnings, 500);
    EXPECT_EQ(money.rows[2].balance, -1500);
    EXPECT_EQ(money.totalWinnings, 9000);

    // The page, exactly.
    EXPECT_EQ(
        CurrentSeasonPage(money),
        "<table width='100%'><tr bgcolor='99FF99'><td align='center' width='10%'>SNo</td>"
        "<td align='left' width='30%'>Manager</td><td align='center' width='20%'>Fee Paid?</td>"
        "<td align='right' width='20%'>Total Winnings ($)</td><td align='right' "
        "width='20%'>Balance ($)</td></tr>"
        "<tr bgcolor='CCFFFF'><td align='center' width='10%'>1.</td><td align='left' "
        "width='30%'>al Avery</td><td align='center' width='20%'>Yes</td><td align='right' "
        "width='20%'>65.00</td><td align='right' width='20%'><b><font "
        "color='green'>65.00</font></b></td></tr>"
        "<tr bgcolor='FFCCFF'><td align='center' width='10%'>2.</td><td align='left' "
        "width='30%'>Bea Bell</td><td align='center' width='20%'>No</td><td align='right' "
        "width='20%'>20.00</td><td align='right' width='20%'><b><font "
        "color='black'>0.00</font></b></td></tr>"
        "<tr bgcolor='CCFFFF'><td align='center' width='10%'>3.</td><td align='left' "
        "width='30%'>Eve O&#39;Neil &lt;Jr&gt;</td><td align='center' width='20%'>No</td><td "
        "align='right' width='20%'>5.00</td><td align='right' width='20%'><b><font "
        "color='red'>-15.00</font></b></td></tr>"
        "<tr bgcolor='99FF99'><td align='center' width='10%'></td><td align='center' "
        "width='30%'></td><td align='center' width='20%'></td><td align='right' "
        "width='20%'>90.00</td><td align='center' width='20%'></td></tr></table>");

    // The window shows the same, the name as it was typed.
    const auto cells = ReportCells(frmReports::CurrentSeason);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[3],
              (std::vector<std::string>{"3.", "Eve O'Neil <Jr>", "No", "5.00", "-15.00"}));
    EXPECT_EQ(cells[4][3], "90.00");
}

TEST_F(MoneyReportsTest, AllSeasonsSplitsPlayingAndNonPlayingManagers) {
    const reports::LeagueMoney money = reports::AllSeasonsMoney(service);
    EXPECT_EQ(money.seasonCount, 3);
    EXPECT_EQ(money.totalFees, 21000);
    EXPECT_EQ(money.totalWinnings, 42999);
    EXPECT_EQ(money.totalBalance, 21999);

    const auto cells = ReportCells(frmReports::AllSeasons);
    const std::vector<std::vector<std::string>> expected = {
        {"SNo", "Manager", "Total Seasons", "Total Fees ($)", "Total Winnings ($)", "Balance ($)"},
        {"Playing Managers"},
        {"1.", "al Avery [2]", "3", "70.00", "185.83", "115.83"},
        {"2.", "Bea Bell [3]", "2", "40.00", "28.33", "-11.67"},
        {"3.", "Eve O'Neil <Jr> [5]", "1", "20.00", "5.00", "-15.00"},
        {"Non-Playing Managers"},
        {"4.", "Carl Cole [1]", "2", "50.00", "140.83", "90.83"},
        {"5.", "Dan Dean [4]", "1", "30.00", "70.00", "40.00"},
        {"", "", "3", "210.00", "429.99", "219.99"},
    };
    EXPECT_EQ(cells, expected);

    const std::string page = AllSeasonsPage(money);
    EXPECT_NE(page.find("<tr bgcolor='6666FF'><td align='left' width='100%' colspan='6'>"
                        "Non-Playing Managers</td></tr><tr bgcolor='FFCCFF'><td align='center' "
                        "width='6%'>4.</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<td align='right' width='16%'><b><font color='red'>-11.67</font></b>"),
              std::string::npos);
    EXPECT_NE(page.find("<td align='center' width='16%'><b>3</b></td><td align='right' "
                        "width='16%'><b>210.00</b></td>"),
              std::string::npos);
}

TEST_F(MoneyReportsTest, PastWinnersListOnlyLockedSeasonsNumberedOnward) {
    const auto cells = ReportCells(frmReports::PastWinners);
    const std::vector<std::vector<std::string>> expected = {
        {"SNo", "Season", "Champion", "Runner Up"},
        {"1", "2023", "al Avery", ""},
        {"2", "2021", "Carl Cole", "al Avery"},
    };
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(PastWinnersPage({{2021, "Carl Cole", "al Avery"}}),
              "<table width='100%'><tr bgcolor='99FF99'><td align='center' width='10%'>SNo</td>"
              "<td align='center' width='10%'>Season</td><td align='left' "
              "width='40%'>Champion</td><td align='left' width='40%'>Runner Up</td></tr>"
              "<tr bgcolor='CCFFFF'><td align='center' width='10%'>1</td><td align='center' "
              "width='10%'>2021</td><td align='left' width='40%'>Carl Cole</td><td align='left' "
              "width='40%'>al Avery</td></tr></table>");
}

// A locked season whose champion no longer plays shows an empty cell.
TEST_F(MoneyReportsTest, AChampionWhoNoLongerPlaysLeavesTheCellEmpty) {
    const auto all = service->GetAllSeasons();
    for (const auto& season : all->ItemsAs<ISeasonInfo>())
        if (season->get_Year() == 2022) season->let_IsSeasonLocked(true);
    const auto rows = reports::PastWinners(service);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].year, 2022);
    EXPECT_EQ(rows[1].champion, "");           // Bea won it but does not play in 2022
    EXPECT_EQ(rows[1].runnerUp, "Carl Cole");  // not a prize of 2022, yet he won it
}

TEST_F(MoneyReportsTest, SharesRoundHalfToEvenAndCountPerWeek) {
    EXPECT_EQ(reports::PrizeShare(25, 2), 1250);
    EXPECT_EQ(reports::PrizeShare(25, 3), 833);
    EXPECT_EQ(reports::PrizeShare(100, 3), 3333);
    EXPECT_EQ(reports::PrizeShare(1, 8), 12);    // 0.125: the half goes to the even cent
    EXPECT_EQ(reports::PrizeShare(3, 8), 38);    // 0.375
    EXPECT_EQ(reports::PrizeShare(23, 40), 58);  // 0.575 on cents; in floating point 0.57
    EXPECT_EQ(reports::PrizeShare(10, 0), 1000);
    EXPECT_EQ(reports::PrizeShare(-25, 3), -833);

    // The current season's winnings, with one removed and one of an unknown prize.
    const auto season = service->GetCurrentSeasonInfo();
    ComPtr<IWinningInfo> removed;
    ASSERT_TRUE(service->AddWinning(removed));
    removed->let_ManagerID("5");
    removed->let_PrizeID("5");
    removed->let_Week(4);
    removed->let_Action(ActionTypeRemove);
    ComPtr<IWinningInfo> unknown;
    ASSERT_TRUE(service->AddWinning(unknown));
    unknown->let_ManagerID("5");
    unknown->let_PrizeID("4");
    unknown->let_Action(ActionTypeAdd);
    const auto counts = reports::CountPrizeWinners(season->get_Winnings(), season->get_Prizes());
    EXPECT_EQ(counts,
              (reports::PrizeWinnerCounts{{"K1^1", 1}, {"K5^3", 2}, {"K5^4", 1}, {"K5^5", 1}}));
    const auto table = reports::GetManagerWinnings(season->get_Winnings(), season->get_Prizes());
    EXPECT_EQ(table, (reports::ManagerWinnings{{"K2", 6500}, {"K3", 2000}, {"K5", 500}}));
    EXPECT_TRUE(reports::GetManagerWinnings(Collection::Create(), season->get_Prizes()).empty());
}

// Shares of 56 / 3, 5 / 7 and 5 / 8 (18.67, 0.71 and 0.62) add up to 20.000000000000004 in
// floating point; counted in cents they make exactly the fee of 20, a balance of 0 in black.
TEST_F(MoneyReportsTest, ABalanceOfExactlyZeroIsBlackWhateverTheShares) {
    const auto season = service->GetCurrentSeasonInfo();
    for (const auto& w : season->get_Winnings()->ItemsAs<IWinningInfo>())
        w->let_Action(ActionTypeRemove);
    season->get_Prizes()->ItemAs<IPrizeInfo>("K1")->let_Amount(56);
    season->get_Prizes()->ItemAs<IPrizeInfo>("K5")->let_Amount(5);
    const auto win = [&](const std::string& manager, const std::string& prize, int32_t week) {
        ComPtr<IWinningInfo> w;
        ASSERT_TRUE(service->AddWinning(w));
        w->let_ManagerID(manager);
        w->let_PrizeID(prize);
        w->let_Week(week);
        w->let_Action(ActionTypeAdd);
    };
    // Bea (id 3, fee not paid) shares each prize with managers of other seasons.
    for (const char* manager : {"3", "1", "4"}) win(manager, "1", 0);
    for (int32_t i = 0; i < 7; ++i) win(i == 0 ? "3" : "1", "5", 6);
    for (int32_t i = 0; i < 8; ++i) win(i == 0 ? "3" : "4", "5", 7);

    const reports::SeasonMoney money = reports::CurrentSeasonMoney(service);
    ASSERT_EQ(money.rows.size(), 3u);
    EXPECT_EQ(money.rows[1].name, "Bea Bell");
    EXPECT_EQ(money.rows[1].winnings, 2000);
    EXPECT_EQ(money.rows[1].balance, 0);
    EXPECT_NE(CurrentSeasonPage(money).find("Bea Bell</td><td align='center' width='20%'>No</td>"
                                            "<td align='right' width='20%'>20.00</td><td "
                                            "align='right' width='20%'><b><font "
                                            "color='black'>0.00</font>"),
              std::string::npos);
}

}  // namespace
}  // namespace gr::ui::test
