// The money reports and past winners as plain tables of text: a title, the columns, one row
// per manager (per season for past winners) and an optional totals row. The report window's
// CSV and every output of gridora-admin are written from these tables, so a file and the
// screen cannot disagree on a figure. Free of Qt.
#pragma once

#include <string>
#include <vector>

#include "MoneyReport.h"

namespace gr::reports {

struct ReportColumn {
    std::string name;
    bool number = false;  // figures, written as numbers and aligned to the right
};

struct ReportTable {
    std::string title;  // "Money 2026", "Money All Seasons", "Past Winners"
    std::vector<ReportColumn> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> totals;  // empty: the report has no totals row
};

ReportTable SeasonMoneyTable(const SeasonMoney& money);
ReportTable LeagueMoneyTable(const LeagueMoney& money);
ReportTable PastWinnersTable(const std::vector<PastWinnerRow>& rows);

// The header and the rows (not the totals, which a spreadsheet sums itself) as RFC 4180 CSV
// in UTF-8; names that a spreadsheet would run as formulas get a leading apostrophe.
std::string ReportCsv(const ReportTable& table);

// The file name a saved report is offered under, without extension: "Gridora - Money 2026".
std::string ReportFileName(const ReportTable& table);

}  // namespace gr::reports
