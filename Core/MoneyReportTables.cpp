#include "MoneyReportTables.h"

#include "Csv.h"

namespace gr::reports {

namespace {

using core::MoneyText;

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

std::vector<std::string> LeagueRow(const LeagueMoneyRow& row, bool playing) {
    return {row.name,
            std::to_string(row.managerId),
            YesNo(playing),
            std::to_string(row.seasons),
            MoneyText(row.fees),
            MoneyText(row.winnings),
            MoneyText(row.balance)};
}

}  // namespace

ReportTable SeasonMoneyTable(const SeasonMoney& money) {
    ReportTable table;
    table.title = money.hasSeason ? "Money " + std::to_string(money.year) : "Money";
    table.columns = {{"Season", true},
                     {"Manager", false},
                     {"Fee Paid", false},
                     {"Winnings", true},
                     {"Balance", true}};
    for (const SeasonMoneyRow& row : money.rows)
        table.rows.push_back({std::to_string(money.year), row.name, YesNo(row.feePaid),
                              MoneyText(row.winnings), MoneyText(row.balance)});
    table.totals = {"", "Total", "", MoneyText(money.totalWinnings), ""};
    return table;
}

ReportTable LeagueMoneyTable(const LeagueMoney& money) {
    ReportTable table;
    table.title = "Money All Seasons";
    table.columns = {{"Manager", false}, {"Manager ID", true}, {"Playing", false},
                     {"Seasons", true},  {"Fees", true},       {"Winnings", true},
                     {"Balance", true}};
    for (const LeagueMoneyRow& row : money.playing) table.rows.push_back(LeagueRow(row, true));
    for (const LeagueMoneyRow& row : money.nonPlaying) table.rows.push_back(LeagueRow(row, false));
    table.totals = {"Total",
                    "",
                    "",
                    std::to_string(money.seasonCount),
                    MoneyText(money.totalFees),
                    MoneyText(money.totalWinnings),
                    MoneyText(money.totalBalance)};
    return table;
}

ReportTable PastWinnersTable(const std::vector<PastWinnerRow>& rows) {
    ReportTable table;
    table.title = "Past Winners";
    table.columns = {{"Season", true}, {"Champion", false}, {"Runner Up", false}};
    for (const PastWinnerRow& row : rows)
        table.rows.push_back({std::to_string(row.year), row.champion, row.runnerUp});
    return table;
}

std::string ReportCsv(const ReportTable& table) {
    std::vector<csv::CsvCell> cells;
    for (const ReportColumn& column : table.columns)
        cells.push_back(csv::CsvCell::Text(column.name));
    std::string text = csv::SpreadsheetLine(cells);
    for (const auto& row : table.rows) {
        cells.clear();
        for (size_t i = 0; i < row.size() && i < table.columns.size(); ++i)
            cells.push_back(table.columns[i].number ? csv::CsvCell::Number(row[i])
                                                    : csv::CsvCell::Text(row[i]));
        text += csv::SpreadsheetLine(cells);
    }
    return text;
}

std::string ReportFileName(const ReportTable& table) {
    return "Gridora - " + table.title;
}

}  // namespace gr::reports
