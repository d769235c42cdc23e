#include "SitePages.h"

#include <algorithm>
#include <map>

#include "CaselessOrder.h"
#include "HtmlEscape.h"
#include "Money.h"
#include "PositionColours.h"

namespace gr::site {

namespace {

using core::HtmlEscape;
using core::MoneyText;

// ---- Pieces every page shares --------------------------------------------------------------

std::string Page(const SiteLeague& league, const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>" +
           HtmlEscape(title) + "</title>\n<link rel=\"stylesheet\" href=\"" + kStylesheetFile +
           "\">\n</head>\n<body>\n<header class=\"site\"><a href=\"" + kIndexFile + "\">" +
           HtmlEscape(league.title) + "</a></header>\n<main>\n" + body +
           "</main>\n<footer class=\"site\">Published with Gridora.</footer>\n</body>\n</html>\n";
}

std::string Link(const std::string& href, const std::string& text) {
    return "<a href=\"" + HtmlEscape(href) + "\">" + HtmlEscape(text) + "</a>";
}

std::string Section(const std::string& heading, const std::string& content) {
    return "<section>\n<h2>" + HtmlEscape(heading) + "</h2>\n" + content + "</section>\n";
}

std::string Cell(const std::string& html, const char* cls = nullptr) {
    return cls ? "<td class=\"" + std::string(cls) + "\">" + html + "</td>"
               : "<td>" + html + "</td>";
}

std::string Amount(core::Cents cents) {
    return Cell(MoneyText(cents), "n");
}

// The balance coloured as the report window colours it: green above zero, red below.
std::string Balance(core::Cents cents) {
    const char* cls = cents > 0 ? "n gain" : cents < 0 ? "n loss" : "n even";
    return Cell(MoneyText(cents), cls);
}

std::string Head(std::initializer_list<std::pair<const char*, bool>> columns) {
    std::string html = "<thead><tr>";
    for (const auto& [name, number] : columns)
        html += number ? "<th class=\"n\">" + std::string(name) + "</th>"
                       : "<th>" + std::string(name) + "</th>";
    return html + "</tr></thead>\n";
}

std::string Table(const char* id, const char* cls, const std::string& inner) {
    return "<table id=\"" + std::string(id) + "\" class=\"" + cls + "\">\n" + inner + "</table>\n";
}

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

std::string ManagerLink(int32_t id, const std::string& name) {
    return id > 0 ? Link(ManagerFile(id), name) : HtmlEscape(name);
}

std::string PickItem(const SitePick& pick) {
    return "<li class=\"" + PositionClass(pick.position) + "\"><span class=\"pos\">" +
           HtmlEscape(pick.position) + "</span> " + HtmlEscape(pick.name) +
           " <span class=\"no\">#" + std::to_string(pick.pick) + "</span></li>";
}

std::string PickList(const std::vector<const SitePick*>& picks) {
    std::string html = "<ol class=\"picks\">";
    for (const SitePick* pick : picks) html += PickItem(*pick);
    return html + "</ol>\n";
}

std::vector<const SitePick*> PicksOf(const SiteSeason& season, int32_t managerId) {
    std::vector<const SitePick*> picks;
    for (const SitePick& pick : season.picks)
        if (pick.managerId == managerId) picks.push_back(&pick);
    return picks;
}

// ---- Front page ---------------------------------------------------------------------------

std::string CurrentMoney(const reports::SeasonMoney& money) {
    if (!money.hasSeason) return Section("Money", "<p>There is no current season.</p>\n");
    std::string rows;
    for (const auto& row : money.rows)
        rows += "<tr data-manager=\"" + std::to_string(row.managerId) + "\">" +
                Cell(ManagerLink(row.managerId, row.name)) + Cell(YesNo(row.feePaid)) +
                Amount(row.winnings) + Balance(row.balance) + "</tr>\n";
    const std::string table =
        Head({{"Manager", false}, {"Fee Paid", false}, {"Winnings", true}, {"Balance", true}}) +
        "<tbody>\n" + rows + "</tbody>\n<tfoot><tr><td>Total</td><td></td>" +
        Amount(money.totalWinnings) + "<td></td></tr></tfoot>\n";
    return Section("Money " + std::to_string(money.year),
                   "<p>Entry fee " + MoneyText(money.fee) + " per manager.</p>\n" +
                       Table("money-current", "money", table));
}

// The heading in a body of its own, so that the rows below are striped from their first.
std::string LeagueRows(const std::vector<reports::LeagueMoneyRow>& rows, const char* group) {
    std::string html = "<tbody class=\"group\"><tr><th colspan=\"5\">" + std::string(group) +
                       "</th></tr></tbody>\n<tbody>\n";
    for (const auto& row : rows)
        html += "<tr data-manager=\"" + std::to_string(row.managerId) + "\">" +
                Cell(ManagerLink(row.managerId, row.name)) +
                Cell(std::to_string(row.seasons), "n") + Amount(row.fees) + Amount(row.winnings) +
                Balance(row.balance) + "</tr>\n";
    return html + "</tbody>\n";
}

std::string AllSeasonsMoney(const reports::LeagueMoney& money) {
    const std::string table =
        Head({{"Manager", false},
              {"Seasons", true},
              {"Fees", true},
              {"Winnings", true},
              {"Balance", true}}) +
        LeagueRows(money.playing, "Playing Managers") +
        LeagueRows(money.nonPlaying, "Non-Playing Managers") + "<tfoot><tr><td>Total</td>" +
        Cell(std::to_string(money.seasonCount), "n") + Amount(money.totalFees) +
        Amount(money.totalWinnings) + Balance(money.totalBalance) + "</tr></tfoot>\n";
    return Section("All Seasons", Table("money-all", "money", table));
}

std::string PastChampions(const std::vector<reports::PastWinnerRow>& winners) {
    if (winners.empty()) return Section("Past Champions", "<p>No season is finished yet.</p>\n");
    std::string rows;
    for (const auto& row : winners)
        rows += "<tr>" + Cell(Link(SeasonFile(row.year), std::to_string(row.year))) +
                Cell(HtmlEscape(row.champion)) + Cell(HtmlEscape(row.runnerUp)) + "</tr>\n";
    return Section("Past Champions",
                   Table("champions", "money",
                         Head({{"Season", false}, {"Champion", false}, {"Runner Up", false}}) +
                             "<tbody>\n" + rows + "</tbody>\n"));
}

std::string SeasonList(const SiteLeague& league) {
    std::string html = "<ul class=\"seasons\">";
    for (auto it = league.seasons.rbegin(); it != league.seasons.rend(); ++it)
        html += "<li>" + Link(SeasonFile(it->year), std::to_string(it->year)) + "</li>";
    return Section("Seasons", html + "</ul>\n");
}

// ---- Season page --------------------------------------------------------------------------

std::string SeasonFacts(const SiteSeason& s) {
    return "<p class=\"facts\">" + std::to_string(s.managers.size()) + " managers, " +
           std::to_string(s.rounds) + " rounds, entry fee " + MoneyText(s.fee) + ", " +
           std::to_string(s.regularWeeks) + " regular weeks of " + std::to_string(s.totalWeeks) +
           (s.locked ? "; finished." : "; in progress.") + "</p>\n";
}

std::string SeasonPager(const SiteLeague& league, const SiteSeason& season) {
    const auto at = std::find_if(league.seasons.begin(), league.seasons.end(),
                                 [&](const auto& s) { return s.year == season.year; });
    std::string html = "<nav class=\"pager\">";
    if (at != league.seasons.begin())
        html += "<a rel=\"prev\" href=\"" + SeasonFile((at - 1)->year) + "\">&larr; " +
                std::to_string((at - 1)->year) + "</a>";
    if (at != league.seasons.end() && at + 1 != league.seasons.end())
        html += "<a rel=\"next\" href=\"" + SeasonFile((at + 1)->year) + "\">" +
                std::to_string((at + 1)->year) + " &rarr;</a>";
    return html + "</nav>\n";
}

std::string SeasonManagers(const SiteSeason& s) {
    std::string rows;
    for (const auto& m : s.managers)
        rows += "<tr data-manager=\"" + std::to_string(m.id) + "\">" +
                Cell(std::to_string(m.rank), "n") + Cell(ManagerLink(m.id, m.name)) +
                Cell(YesNo(m.feePaid)) + Amount(m.winnings) + Balance(m.balance) + "</tr>\n";
    const std::string table = Head({{"Rank", true},
                                    {"Manager", false},
                                    {"Fee Paid", false},
                                    {"Winnings", true},
                                    {"Balance", true}}) +
                              "<tbody>\n" + rows + "</tbody>\n<tfoot><tr><td></td><td>Total</td>" +
                              "<td></td>" + Amount(s.totalWinnings) + "<td></td></tr></tfoot>\n";
    return Section("Managers", Table("managers", "money", table));
}

std::string Legend() {
    std::string html = "<ul class=\"legend\">";
    for (const PositionColour& colour : PositionColours())
        html += "<li class=\"" + PositionClass(colour.abbr) + "\">" + HtmlEscape(colour.abbr) +
                " " + HtmlEscape(colour.name) + "</li>";
    return html + "</ul>\n";
}

std::string BoardCell(const SitePick* pick) {
    if (!pick) return "<td></td>";
    return "<td class=\"" + PositionClass(pick->position) + "\"><span class=\"name\">" +
           HtmlEscape(pick->name) + "</span> <span class=\"meta\">" + HtmlEscape(pick->position) +
           " #" + std::to_string(pick->pick) + "</span></td>";
}

// Rounds down, managers across in draft order; each cell a pick coloured by position.
std::string DraftBoard(const SiteSeason& s) {
    if (s.picks.empty()) return Section("Draft Board", "<p>No picks yet.</p>\n");
    std::map<std::pair<int32_t, int32_t>, const SitePick*> byRoundAndManager;
    for (const SitePick& pick : s.picks) byRoundAndManager[{pick.round, pick.managerId}] = &pick;
    std::string html = "<thead><tr><th>Round</th>";
    for (const auto& m : s.managers) html += "<th>" + ManagerLink(m.id, m.name) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (int32_t round = 1; round <= s.rounds; ++round) {
        html += "<tr><th class=\"n\">" + std::to_string(round) + "</th>";
        for (const auto& m : s.managers) {
            const auto found = byRoundAndManager.find({round, m.id});
            html += BoardCell(found == byRoundAndManager.end() ? nullptr : found->second);
        }
        html += "</tr>\n";
    }
    return Section("Draft Board", Legend() + "<div class=\"board-wrap\">" +
                                      Table("board", "board", html + "</tbody>\n") + "</div>\n");
}

std::string PicksByManager(const SiteSeason& s) {
    if (s.picks.empty()) return {};
    std::string html = "<div class=\"cards\">\n";
    for (const auto& m : s.managers)
        html += "<section class=\"card\"><h3>" + ManagerLink(m.id, m.name) + "</h3>" +
                PickList(PicksOf(s, m.id)) + "</section>\n";
    return Section("Picks by Manager", html + "</div>\n");
}

std::string Prizes(const SiteSeason& s) {
    std::string rows;
    for (const auto& p : s.prizes)
        rows += "<tr>" + Cell(HtmlEscape(p.name)) + Cell(HtmlEscape(p.type)) + Amount(p.amount) +
                "</tr>\n";
    return Section("Prizes", Table("prizes", "money",
                                   Head({{"Prize", false}, {"Type", false}, {"Amount", true}}) +
                                       "<tbody>\n" + rows + "</tbody>\n"));
}

std::string Winnings(const SiteSeason& s) {
    if (s.winnings.empty()) return Section("Winnings", "<p>No winnings yet.</p>\n");
    std::string rows;
    for (const auto& w : s.winnings)
        rows += "<tr>" + Cell(w.week ? std::to_string(w.week) : "Season") +
                Cell(HtmlEscape(w.prize)) + Cell(ManagerLink(w.managerId, w.manager)) +
                Amount(w.share) + "</tr>\n";
    return Section(
        "Winnings Week by Week",
        Table("winnings", "money",
              Head({{"Week", false}, {"Prize", false}, {"Manager", false}, {"Share", true}}) +
                  "<tbody>\n" + rows + "</tbody>\n"));
}

// ---- Manager page -------------------------------------------------------------------------

const SiteManager* ManagerIn(const SiteSeason& season, int32_t id) {
    const auto found = std::find_if(season.managers.begin(), season.managers.end(),
                                    [&](const auto& m) { return m.id == id; });
    return found == season.managers.end() ? nullptr : &*found;
}

// Season by season; the balance to date counts every fee, paid or not, as the all-seasons
// report does, so the last one is the manager's balance there.
std::string ManagerSeasons(const SiteLeague& league, const reports::LeagueMoneyRow& row) {
    std::string rows;
    core::Cents toDate = 0;
    for (const SiteSeason& season : league.seasons) {
        const SiteManager* m = ManagerIn(season, row.managerId);
        if (!m) continue;
        toDate += m->winnings - season.fee;
        rows += "<tr>" + Cell(Link(SeasonFile(season.year), std::to_string(season.year))) +
                Cell(std::to_string(m->rank), "n") + Amount(season.fee) + Cell(YesNo(m->feePaid)) +
                Amount(m->winnings) + Balance(toDate) + "</tr>\n";
    }
    const std::string table = Head({{"Season", false},
                                    {"Rank", true},
                                    {"Fee", true},
                                    {"Paid", false},
                                    {"Winnings", true},
                                    {"Balance", true}}) +
                              "<tbody>\n" + rows + "</tbody>\n<tfoot><tr><td>Total</td><td></td>" +
                              Amount(row.fees) + "<td></td>" + Amount(row.winnings) +
                              Balance(row.balance) + "</tr></tfoot>\n";
    return Section("Season by Season", Table("seasons", "money", table));
}

std::string ManagerPicks(const SiteLeague& league, int32_t managerId) {
    std::string html;
    for (auto it = league.seasons.rbegin(); it != league.seasons.rend(); ++it) {
        const std::vector<const SitePick*> picks = PicksOf(*it, managerId);
        if (picks.empty()) continue;
        html += "<section class=\"card\"><h3>" +
                Link(SeasonFile(it->year), std::to_string(it->year)) + "</h3>" + PickList(picks) +
                "</section>\n";
    }
    if (html.empty()) return {};
    return Section("Picks by Season", "<div class=\"cards\">\n" + html + "</div>\n");
}

}  // namespace

std::string SeasonFile(int32_t year) {
    return "season-" + std::to_string(year) + ".html";
}

std::string ManagerFile(int32_t managerId) {
    return "manager-" + std::to_string(managerId) + ".html";
}

std::string PositionClass(std::string_view abbr) {
    const PositionColour& colour = PositionColourOf(std::string(abbr));
    std::string cls = "p-" + std::string(colour.abbr.empty() ? "other" : colour.abbr);
    std::transform(cls.begin(), cls.end(), cls.begin(),
                   [](char c) { return static_cast<char>(core::AsciiLower(c)); });
    return cls;
}

std::string IndexPage(const SiteLeague& league) {
    return Page(league, league.title,
                "<h1>" + HtmlEscape(league.title) + "</h1>\n" + CurrentMoney(league.current) +
                    AllSeasonsMoney(league.allSeasons) + PastChampions(league.pastWinners) +
                    SeasonList(league));
}

std::string SeasonPage(const SiteLeague& league, const SiteSeason& season) {
    const std::string heading = "Season " + std::to_string(season.year);
    return Page(league, heading + " - " + league.title,
                "<h1>" + heading + "</h1>\n" + SeasonPager(league, season) + SeasonFacts(season) +
                    SeasonManagers(season) + DraftBoard(season) + PicksByManager(season) +
                    Prizes(season) + Winnings(season));
}

std::string ManagerPage(const SiteLeague& league, const reports::LeagueMoneyRow& manager) {
    const std::string summary = "<p class=\"facts\">" + std::to_string(manager.seasons) +
                                (manager.seasons == 1 ? " season" : " seasons") + " played, fees " +
                                MoneyText(manager.fees) + ", winnings " +
                                MoneyText(manager.winnings) + ".</p>\n";
    return Page(league, manager.name + " - " + league.title,
                "<h1>" + HtmlEscape(manager.name) + "</h1>\n" + summary +
                    ManagerSeasons(league, manager) + ManagerPicks(league, manager.managerId));
}

}  // namespace gr::site
