// info, seasons and search: commands that only read.
#include <algorithm>
#include <ostream>

#include "BackupFiles.h"
#include "Commands.h"
#include "Json.h"
#include "TextTable.h"

namespace gr::admin {

namespace {

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::vector<ComPtr<ISeasonInfo>> SeasonsByYear(IDataService& data) {
    std::vector<ComPtr<ISeasonInfo>> seasons;
    if (const ComPtr<Collection> all = data.GetAllSeasons()) seasons = all->ItemsAs<ISeasonInfo>();
    std::sort(seasons.begin(), seasons.end(),
              [](const auto& a, const auto& b) { return a->get_Year() < b->get_Year(); });
    return seasons;
}

struct LeagueCounts {
    int32_t seasons = 0, players = 0, managers = 0, prizes = 0;
    int32_t currentYear = 0;  // 0: no current season
};

bool CountLeague(IDataService& data, LeagueCounts& counts) {
    const auto seasons = SeasonsByYear(data);
    counts.seasons = static_cast<int32_t>(seasons.size());
    for (const auto& s : seasons)
        if (s->get_ID() == data.get_CurrentSeasonID()) counts.currentYear = s->get_Year();
    const ComPtr<Collection> players = data.Search(TypePlayerOrTeam, "", false, false);
    const ComPtr<Collection> managers = data.Search(TypeManager, "", false, true);
    const ComPtr<Collection> prizes = data.GetPrizeTmpls();
    if (!players || !managers || !prizes) return false;
    counts.players = static_cast<int32_t>(players->ItemsAs<IPlayerInfo>().size());
    counts.managers = managers->Count();
    counts.prizes = prizes->Count();
    return true;
}

Json SearchResultJson(const ComPtr<IPickable>& pick) {
    if (const auto player = pick.As<IPlayerInfo>()) {
        const auto position = player->get_Position();
        const auto team = player->get_Team();
        return {{"type", "player"},
                {"id", player->get_ID()},
                {"name", pick->get_PickName()},
                {"first_name", player->get_FirstName()},
                {"last_name", player->get_LastName()},
                {"position", position ? Json(position->get_Abbr()) : Json()},
                {"team", team ? Json(team->get_Abbr()) : Json()},
                {"retired", player->get_IsRetired()}};
    }
    if (const auto team = pick.As<ITeamInfo>())
        return {{"type", "team"},
                {"id", team->get_ID()},
                {"name", team->get_Name()},
                {"abbr", team->get_Abbr()},
                {"nickname", team->get_Nickname()}};
    if (const auto manager = pick.As<IManagerTmplInfo>())
        return {{"type", "manager"},
                {"id", manager->get_ID()},
                {"name", pick->get_PickName()},
                {"first_name", manager->get_FirstName()},
                {"last_name", manager->get_LastName()}};
    if (const auto prize = pick.As<IPrizeTmplInfo>()) {
        const auto type = prize->get_PrizeType();
        return {{"type", "prize"},
                {"id", prize->get_ID()},
                {"name", prize->get_Desc()},
                {"prize_type", type ? Json(type->get_Name()) : Json()}};
    }
    if (const auto position = pick.As<IPositionInfo>())
        return {{"type", "position"},
                {"id", position->get_ID()},
                {"name", position->get_Desc()},
                {"abbr", position->get_Abbr()}};
    return {{"type", "unknown"}, {"id", pick->get_PickID()}, {"name", pick->get_PickName()}};
}

std::vector<std::string> SearchResultCells(const ComPtr<IPickable>& pick) {
    std::vector<std::string> cells = {"", std::to_string(pick->get_PickID()), pick->get_PickName(),
                                      ""};
    if (const auto player = pick.As<IPlayerInfo>()) {
        const auto position = player->get_Position();
        const auto team = player->get_Team();
        cells[0] = "player";
        cells[3] = (position ? position->get_Abbr() : "-") + " " + (team ? team->get_Abbr() : "-") +
                   (player->get_IsRetired() ? " retired" : "");
    } else if (const auto team = pick.As<ITeamInfo>()) {
        cells[0] = "team";
        cells[3] = team->get_Abbr() + " " + team->get_Nickname();
    } else if (pick.As<IManagerTmplInfo>()) {
        cells[0] = "manager";
    } else if (const auto prize = pick.As<IPrizeTmplInfo>()) {
        const auto type = prize->get_PrizeType();
        cells[0] = "prize";
        cells[3] = type ? type->get_Name() : "";
    } else if (const auto position = pick.As<IPositionInfo>()) {
        cells[0] = "position";
        cells[3] = position->get_Abbr();
    }
    return cells;
}

bool SearchKind(const std::string& kind, InfoTypeEnum& type) {
    if (kind == "player" || kind == "players")
        type = TypePlayerOrTeam;
    else if (kind == "manager" || kind == "managers")
        type = TypeManager;
    else if (kind == "prize" || kind == "prizes")
        type = TypePrize;
    else if (kind == "position" || kind == "positions")
        type = TypePosition;
    else
        return false;
    return true;
}

}  // namespace

int RunInfo(const CommandContext& ctx) {
    const ComPtr<ISetupInfo> setup = ctx.session.Setup()->get_SetupInfo();
    LeagueCounts counts;
    if (!setup || !CountLeague(ctx.Data(), counts))
        return ctx.Fail("Could not read the league database.");
    const std::string folder = setup->get_DefaultDBPath();
    const std::vector<BackupFile> backups = ListBackupFiles(folder);
    // The newest backup day and its counter, which numbers the backups made that day.
    std::string lastDate;
    int lastCount = 0;
    if (!backups.empty()) {
        lastDate = backups.back().date;
        lastCount = backups.back().counter;
    }
    if (ctx.args.json) {
        const Json lastBackup =
            lastDate.empty() ? Json() : Json{{"date", IsoDate(lastDate)}, {"count", lastCount}};
        ctx.out << JsonDump(
            {{"database_folder", folder},
             {"database_type", setup->get_DBTypeDesc()},
             {"database_type_id", setup->get_DBTypeID()},
             {"last_backup", lastBackup},
             {"backup_files", backups.size()},
             {"current_season", counts.currentYear ? Json(counts.currentYear) : Json()},
             {"seasons", counts.seasons},
             {"players", counts.players},
             {"managers", counts.managers},
             {"prizes", counts.prizes}});
        return kExitOk;
    }
    TextTable table;
    table.AddRow({"Database folder:", folder});
    table.AddRow({"Database type:", setup->get_DBTypeDesc()});
    table.AddRow({"Last backup:", lastDate.empty() ? "none"
                                                   : IsoDate(lastDate) + " (" +
                                                         std::to_string(lastCount) + " that day)"});
    table.AddRow({"Backup files:", std::to_string(backups.size())});
    table.AddRow(
        {"Current season:", counts.currentYear ? std::to_string(counts.currentYear) : "none"});
    table.AddRow({"Seasons:", std::to_string(counts.seasons)});
    table.AddRow({"Players:", std::to_string(counts.players)});
    table.AddRow({"Managers:", std::to_string(counts.managers)});
    table.AddRow({"Prizes:", std::to_string(counts.prizes)});
    ctx.out << table.Render();
    return kExitOk;
}

int RunSeasons(const CommandContext& ctx) {
    const auto seasons = SeasonsByYear(ctx.Data());
    if (ctx.args.json) {
        Json list = Json::array();
        for (const auto& s : seasons)
            list.push_back({{"year", s->get_Year()},
                            {"managers", s->get_NoOfManagers()},
                            {"rounds", s->get_NoOfRounds()},
                            {"fee", s->get_MoneyContribution()},
                            {"regular_weeks", s->get_NoOfRegularWeeks()},
                            {"total_weeks", s->get_TotalNoOfWeeks()},
                            {"ranking_locked", s->get_IsRankingLocked()},
                            {"draft_locked", s->get_IsDraftLocked()},
                            {"season_locked", s->get_IsSeasonLocked()},
                            {"season_started", s->get_HasSeasonStarted()}});
        ctx.out << JsonDump(list);
        return kExitOk;
    }
    if (seasons.empty()) {
        ctx.out << "No seasons.\n";
        return kExitOk;
    }
    TextTable table;
    table.AddRow(
        {"Year", "Managers", "Rounds", "Fee", "Weeks", "Ranking", "Draft", "Season", "Started"});
    for (const auto& s : seasons) {
        table.AddRow(
            {std::to_string(s->get_Year()), std::to_string(s->get_NoOfManagers()),
             std::to_string(s->get_NoOfRounds()), std::to_string(s->get_MoneyContribution()),
             std::to_string(s->get_NoOfRegularWeeks()) + "/" +
                 std::to_string(s->get_TotalNoOfWeeks()),
             s->get_IsRankingLocked() ? "locked" : "open",
             s->get_IsDraftLocked() ? "locked" : "open",
             s->get_IsSeasonLocked() ? "locked" : "open", YesNo(s->get_HasSeasonStarted())});
    }
    ctx.out << table.Render();
    return kExitOk;
}

int RunSearch(const CommandContext& ctx) {
    InfoTypeEnum type{};
    if (!SearchKind(ctx.args.operands[0], type))
        return ctx.Fail(
            "Unknown kind " + ctx.args.operands[0] + ": use player, manager, prize or position.",
            kExitUsage);
    IDataService& data = ctx.Data();
    // The service finds prizes and positions in its lists, which must be read first.
    if (type == TypePrize) data.GetPrizeTmpls();
    if (type == TypePosition) data.GetPlayerPositions();
    const ComPtr<Collection> found =
        data.Search(type, ctx.args.operands[1], ctx.args.seasonOnly, !ctx.args.includeRetired);
    if (!found) return ctx.Fail("The search failed.");
    const auto picks = found->ItemsAs<IPickable>();
    if (ctx.args.json) {
        Json list = Json::array();
        for (const auto& pick : picks) list.push_back(SearchResultJson(pick));
        ctx.out << JsonDump(list);
        return kExitOk;
    }
    if (picks.empty()) {
        ctx.out << "Nothing found.\n";
        return kExitOk;
    }
    TextTable table;
    for (const auto& pick : picks) table.AddRow(SearchResultCells(pick));
    ctx.out << table.Render();
    return kExitOk;
}

}  // namespace gr::admin
