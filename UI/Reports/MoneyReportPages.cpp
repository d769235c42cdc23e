#include "MoneyReportPages.h"

#include "GRStringUtils.h"
#include "GRUtils.h"
#include "Money.h"

namespace gr::ui {

namespace {

using core::MoneyText;
using reports::Cents;

std::string Cell(const char* align, const char* width, const std::string& content) {
    return std::string("<td align='") + align + "' width='" + width + "'>" + content + "</td>";
}

std::string BoldCell(const char* align, const char* width, const std::string& content) {
    return Cell(align, width, "<b>" + content + "</b>");
}

std::string BalanceCell(const char* width, Cents balance) {
    return std::string("<td align='right' width='") + width + "'><b><font color='" +
           BalanceColor(balance) + "'>" + MoneyText(balance) + "</font></b></td>";
}

std::string RowStart(const std::string& color) {
    return "<tr bgcolor='" + color + "'>";
}

std::string LeagueRow(int32_t n, const reports::LeagueMoneyRow& row) {
    return RowStart(GetRowColor(n)) + Cell("center", "6%", std::to_string(n) + ".") +
           Cell("left", "30%", HtmlEscape(row.name) + " [" + std::to_string(row.managerId) + "]") +
           Cell("center", "16%", std::to_string(row.seasons)) +
           Cell("right", "16%", MoneyText(row.fees)) +
           Cell("right", "16%", MoneyText(row.winnings)) + BalanceCell("16%", row.balance) +
           "</tr>";
}

std::string SectionRow(const std::string& title) {
    return "<tr bgcolor='6666FF'><td align='left' width='100%' colspan='6'>" + title + "</td></tr>";
}

}  // namespace

std::string BalanceColor(Cents balance) {
    if (balance == 0) return "black";
    return balance > 0 ? "green" : "red";
}

std::string CurrentSeasonPage(const reports::SeasonMoney& money) {
    std::string html =
        "<table width='100%'>" + RowStart(GetHighlightColor()) + Cell("center", "10%", "SNo") +
        Cell("left", "30%", "Manager") + Cell("center", "20%", "Fee Paid?") +
        Cell("right", "20%", "Total Winnings ($)") + Cell("right", "20%", "Balance ($)") + "</tr>";
    int32_t i = 0;
    for (const reports::SeasonMoneyRow& row : money.rows) {
        ++i;
        html += RowStart(GetRowColor(i)) + Cell("center", "10%", std::to_string(i) + ".") +
                Cell("left", "30%", HtmlEscape(row.name)) +
                Cell("center", "20%", row.feePaid ? "Yes" : "No") +
                Cell("right", "20%", MoneyText(row.winnings)) + BalanceCell("20%", row.balance) +
                "</tr>";
    }
    html += RowStart(GetHighlightColor()) + Cell("center", "10%", "") + Cell("center", "30%", "") +
            Cell("center", "20%", "") + Cell("right", "20%", MoneyText(money.totalWinnings)) +
            Cell("center", "20%", "") + "</tr></table>";
    return html;
}

std::string AllSeasonsPage(const reports::LeagueMoney& money) {
    std::string html =
        "<table width='100%'>" + RowStart(GetHighlightColor()) + Cell("center", "6%", "SNo") +
        Cell("left", "30%", "Manager") + Cell("center", "16%", "Total Seasons") +
        Cell("right", "16%", "Total Fees ($)") + Cell("right", "16%", "Total Winnings ($)") +
        Cell("right", "16%", "Balance ($)") + "</tr>";
    int32_t n = 0;
    html += SectionRow("Playing Managers");
    for (const auto& row : money.playing) html += LeagueRow(++n, row);
    html += SectionRow("Non-Playing Managers");
    for (const auto& row : money.nonPlaying) html += LeagueRow(++n, row);
    html += RowStart(GetHighlightColor()) + Cell("center", "6%", "") + Cell("center", "30%", "") +
            BoldCell("center", "16%", std::to_string(money.seasonCount)) +
            BoldCell("right", "16%", MoneyText(money.totalFees)) +
            BoldCell("right", "16%", MoneyText(money.totalWinnings)) +
            BoldCell("right", "16%", MoneyText(money.totalBalance)) + "</tr></table>";
    return html;
}

std::string PastWinnersPage(const std::vector<reports::PastWinnerRow>& rows) {
    std::string html = "<table width='100%'>" + RowStart(GetHighlightColor()) +
                       Cell("center", "10%", "SNo") + Cell("center", "10%", "Season") +
                       Cell("left", "40%", "Champion") + Cell("left", "40%", "Runner Up") + "</tr>";
    int32_t n = 0;
    for (const reports::PastWinnerRow& row : rows) {
        ++n;
        html += RowStart(GetRowColor(n)) + Cell("center", "10%", std::to_string(n)) +
                Cell("center", "10%", std::to_string(row.year)) +
                Cell("left", "40%", HtmlEscape(row.champion)) +
                Cell("left", "40%", HtmlEscape(row.runnerUp)) + "</tr>";
    }
    return html + "</table>";
}

}  // namespace gr::ui
