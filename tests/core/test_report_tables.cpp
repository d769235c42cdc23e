// The money reports as tables and CSV, from figures worked out by hand.
#include <gtest/gtest.h>

#include "MoneyReportTables.h"

namespace gr::reports {
namespace {

using Cells = std::vector<std::string>;

TEST(ReportTables, ASeasonsRowsAsTheyShowAndAsASpreadsheetReadsThem) {
    SeasonMoney money;
    money.hasSeason = true;
    money.year = 2026;
    money.fee = 12000;
    money.rows = {{7, "Ann Lee", true, 1250, 1250},
                  {8, "=HYPERLINK(\"x\")", false, 0, -12000},
                  {9, "-Dash, Jr.", false, 5, -11995}};
    money.totalWinnings = 1255;
    const ReportTable table = SeasonMoneyTable(money);
    EXPECT_EQ(table.title, "Money 2026");
    EXPECT_EQ(ReportFileName(table), "Gridora - Money 2026");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], (Cells{"2026", "Ann Lee", "Yes", "12.50", "12.50"}));
    EXPECT_EQ(table.totals, (Cells{"", "Total", "", "12.55", ""}));
    EXPECT_EQ(ReportCsv(table),
              "Season,Manager,Fee Paid,Winnings,Balance\r\n"
              "2026,Ann Lee,Yes,12.50,12.50\r\n"
              "2026,\"'=HYPERLINK(\"\"x\"\")\",No,0.00,-120.00\r\n"
              "2026,\"'-Dash, Jr.\",No,0.05,-119.95\r\n");
}

TEST(ReportTables, WithoutASeasonTheReportIsEmptyAndNamedPlainly) {
    const ReportTable table = SeasonMoneyTable(SeasonMoney{});
    EXPECT_EQ(ReportFileName(table), "Gridora - Money");
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(ReportCsv(table), "Season,Manager,Fee Paid,Winnings,Balance\r\n");
    EXPECT_EQ(ReportCsv(PastWinnersTable({})), "Season,Champion,Runner Up\r\n");
}

TEST(ReportTables, AllSeasonsListPlayingManagersFirstAndPastWinnersMayLackOne) {
    LeagueMoney money;
    money.playing = {{2, "Bea Bell", 2, 4000, 2833, -1167}};
    money.nonPlaying = {{1, "Carl Cole", 2, 5000, 14083, 9083}};
    money.seasonCount = 3;
    money.totalFees = 9000;
    money.totalWinnings = 16916;
    money.totalBalance = 7916;
    const ReportTable table = LeagueMoneyTable(money);
    EXPECT_EQ(ReportFileName(table), "Gridora - Money All Seasons");
    EXPECT_EQ(table.rows,
              (std::vector<Cells>{{"Bea Bell", "2", "Yes", "2", "40.00", "28.33", "-11.67"},
                                  {"Carl Cole", "1", "No", "2", "50.00", "140.83", "90.83"}}));
    EXPECT_EQ(table.totals, (Cells{"Total", "", "", "3", "90.00", "169.16", "79.16"}));

    const ReportTable winners = PastWinnersTable({{2023, "al Avery", ""}, {2021, "@Carl", "al"}});
    EXPECT_EQ(ReportCsv(winners),
              "Season,Champion,Runner Up\r\n2023,al Avery,\r\n2021,'@Carl,al\r\n");
}

}  // namespace
}  // namespace gr::reports
