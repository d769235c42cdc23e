// report current|all|winners: the money reports and past winners as text, CSV, JSON or HTML,
// computed by the report windows' own MoneyReport and laid out from its tables.
#include <charconv>
#include <ostream>
#include <sstream>

#include "Commands.h"
#include "HtmlEscape.h"
#include "Json.h"
#include "MoneyReport.h"
#include "MoneyReportTables.h"
#include "OutputFile.h"
#include "TextTable.h"

namespace gr::admin {

namespace {

using reports::ReportTable;

struct ReportRequest {
    std::string kind;    // current, all or winners
    std::string format;  // text, csv, json or html
    int32_t year = 0;    // 0: no --season
};

// What a report produced: its table, its JSON document and, when worth saying, a note.
struct ReportResult {
    ReportTable table;
    Json json;
    std::string note;
    bool noWinnings = false;  // written, but without a single winning yet
    std::string error;        // the report cannot be made
};

bool ParseYear(const std::string& text, int32_t& year) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
    return ec == std::errc() && end == text.data() + text.size() && year > 0;
}

// The usage error of the request, or empty text.
std::string CheckRequest(const AdminArgs& args, ReportRequest& request) {
    request.kind = args.operands[0];
    if (request.kind != "current" && request.kind != "all" && request.kind != "winners")
        return "Unknown report " + request.kind + ": use current, all or winners.";
    request.format = args.format.empty() ? "text" : args.format;
    if (request.format != "text" && request.format != "csv" && request.format != "json" &&
        request.format != "html")
        return "Unknown format " + request.format + ": use text, csv, json or html.";
    if (!args.season.empty()) {
        if (request.kind == "all")
            return "The report of all seasons takes no --season; current and winners do.";
        if (!ParseYear(args.season, request.year))
            return "--season needs a year such as 2023, not " + args.season + ".";
    }
    return {};
}

ComPtr<ISeasonInfo> SeasonOfYear(IDataService& data, int32_t year) {
    if (const ComPtr<Collection> all = data.GetAllSeasons())
        for (const auto& season : all->ItemsAs<ISeasonInfo>())
            if (season->get_Year() == year) return season;
    return nullptr;
}

ReportResult SeasonReport(const CommandContext& ctx, int32_t year) {
    ReportResult result;
    const ComPtr<ISeasonInfo> season =
        year ? SeasonOfYear(ctx.Data(), year) : ctx.Data().GetCurrentSeasonInfo();
    if (!season) {
        result.error = year ? "There is no season " + std::to_string(year) + "."
                            : "There is no current season.";
        return result;
    }
    const reports::SeasonMoney money = reports::SeasonMoneyOf(season);
    Json managers = Json::array();
    bool anyWinnings = false;
    for (const reports::SeasonMoneyRow& row : money.rows) {
        anyWinnings = anyWinnings || row.winnings != 0;
        managers.push_back({{"id", row.managerId},
                            {"name", row.name},
                            {"fee_paid", row.feePaid},
                            {"winnings", JsonMoney(row.winnings)},
                            {"balance", JsonMoney(row.balance)}});
    }
    result.json = {{"report", "current"},
                   {"season", money.year},
                   {"fee", JsonMoney(money.fee)},
                   {"managers", std::move(managers)},
                   {"total_winnings", JsonMoney(money.totalWinnings)}};
    result.table = reports::SeasonMoneyTable(money);
    result.noWinnings = !anyWinnings;
    if (!anyWinnings)
        result.note = "Season " + std::to_string(money.year) +
                      " has no winnings yet: the report shows its fees only.";
    return result;
}

Json LeagueRowJson(const reports::LeagueMoneyRow& row, bool playing) {
    return {{"id", row.managerId},
            {"name", row.name},
            {"playing", playing},
            {"seasons", row.seasons},
            {"fees", JsonMoney(row.fees)},
            {"winnings", JsonMoney(row.winnings)},
            {"balance", JsonMoney(row.balance)}};
}

ReportResult LeagueReport(const CommandContext& ctx) {
    ReportResult result;
    const reports::LeagueMoney money = reports::AllSeasonsMoney(ctx.session.Data());
    Json managers = Json::array();
    for (const auto& row : money.playing) managers.push_back(LeagueRowJson(row, true));
    for (const auto& row : money.nonPlaying) managers.push_back(LeagueRowJson(row, false));
    result.json = {{"report", "all"},
                   {"seasons", money.seasonCount},
                   {"managers", std::move(managers)},
                   {"total_fees", JsonMoney(money.totalFees)},
                   {"total_winnings", JsonMoney(money.totalWinnings)},
                   {"total_balance", JsonMoney(money.totalBalance)}};
    result.table = reports::LeagueMoneyTable(money);
    result.noWinnings = money.totalWinnings == 0;
    if (result.noWinnings) result.note = "No season has winnings yet.";
    return result;
}

Json NameOrNull(const std::string& name) {
    return name.empty() ? Json() : Json(name);
}

ReportResult WinnersReport(const CommandContext& ctx, int32_t year) {
    ReportResult result;
    std::vector<reports::PastWinnerRow> rows = reports::PastWinners(ctx.session.Data());
    if (year) {
        const ComPtr<ISeasonInfo> season = SeasonOfYear(ctx.Data(), year);
        const std::string yearText = std::to_string(year);
        if (!season) {
            result.error = "There is no season " + yearText + ".";
            return result;
        }
        if (!season->get_IsSeasonLocked()) {
            result.error = "Season " + yearText + " is not locked yet: its winners are not final.";
            return result;
        }
        std::erase_if(rows, [year](const auto& row) { return row.year != year; });
    }
    Json seasons = Json::array();
    for (const reports::PastWinnerRow& row : rows)
        seasons.push_back({{"season", row.year},
                           {"champion", NameOrNull(row.champion)},
                           {"runner_up", NameOrNull(row.runnerUp)}});
    result.json = {{"report", "winners"}, {"seasons", std::move(seasons)}};
    result.table = reports::PastWinnersTable(rows);
    if (rows.empty()) result.note = "No season is locked yet.";
    return result;
}

std::string TextReport(const ReportTable& table) {
    TextTable text;
    std::vector<std::string> header;
    for (const auto& column : table.columns) header.push_back(column.name);
    text.AddRow(header);
    for (const auto& row : table.rows) text.AddRow(row);
    if (!table.totals.empty()) text.AddRow(table.totals);
    return table.title + "\n\n" + text.Render("  ");
}

std::string HtmlRow(const ReportTable& table, const std::vector<std::string>& cells,
                    const char* tag) {
    std::string html = "<tr>";
    for (size_t i = 0; i < cells.size() && i < table.columns.size(); ++i)
        html += std::string("<") + tag + (table.columns[i].number ? " class='n'>" : ">") +
                core::HtmlEscape(cells[i]) + "</" + tag + ">";
    return html + "</tr>\n";
}

// A page of its own, to print or mail: the head repeats on every printed page.
std::string HtmlReport(const ReportTable& table) {
    std::vector<std::string> header;
    for (const auto& column : table.columns) header.push_back(column.name);
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset='utf-8'><title>" +
        core::HtmlEscape(reports::ReportFileName(table)) +
        "</title>\n<style>body{font-family:sans-serif}table{border-collapse:collapse}"
        "th,td{padding:2px 8px;text-align:left}.n{text-align:right}thead{display:table-header-"
        "group;background:#ccccff}tfoot td{font-weight:bold;border-top:1px solid}</style>\n"
        "</head><body>\n<h1>" +
        core::HtmlEscape(table.title) + "</h1>\n<table>\n<thead>" + HtmlRow(table, header, "th") +
        "</thead>\n<tbody>\n";
    for (const auto& row : table.rows) html += HtmlRow(table, row, "td");
    html += "</tbody>\n";
    if (!table.totals.empty())
        html += "<tfoot>" + HtmlRow(table, table.totals, "td") + "</tfoot>\n";
    return html + "</table>\n</body></html>\n";
}

std::string Render(const ReportResult& result, const std::string& format) {
    if (format == "csv") return reports::ReportCsv(result.table);
    if (format == "json") return JsonDump(result.json);
    if (format == "html") return HtmlReport(result.table);
    return TextReport(result.table);
}

}  // namespace

int RunReport(const CommandContext& ctx) {
    ReportRequest request;
    if (const std::string usage = CheckRequest(ctx.args, request); !usage.empty())
        return ctx.Fail(usage, kExitUsage);
    ReportResult result;
    if (request.kind == "current")
        result = SeasonReport(ctx, request.year);
    else if (request.kind == "all")
        result = LeagueReport(ctx);
    else
        result = WinnersReport(ctx, request.year);
    if (!result.error.empty()) return ctx.Fail(result.error);
    const std::string text = Render(result, request.format);
    if (ctx.args.output.empty()) {
        ctx.out << text;
    } else if (std::string error;
               !WriteWholeFile(ctx.args.output, text, FileAccess::UserDefault, error)) {
        return ctx.Fail(error);
    }
    if (!result.note.empty()) ctx.err << "gridora-admin: " << result.note << std::endl;
    return result.noWinnings ? kExitNoWinnings : kExitOk;
}

}  // namespace gr::admin
