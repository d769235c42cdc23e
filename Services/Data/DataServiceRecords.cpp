// The league as the rows of its tables (ILeagueRecords): read whole, replaced whole, or one
// season added, each write in one transaction with every id as given.
#include <exception>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "DataService.h"
#include "SqlDatabase.h"

namespace gr::data {

namespace {

// Child tables before the tables they refer to: the order in which a league is emptied.
constexpr const char* kLeagueTables[] = {
    "[winning info]", "[draft info]", "[money distribution info]", "[playing info]",
    "[season info]",  "[prize info]", "[prize type info]",         "[player info]",
    "[manager info]", "[team info]",  "[position info]",
};

// ---- Reading -----------------------------------------------------------------------------

void ReadCatalogue(db::Database& db, LeagueRows& rows) {
    db::Statement positions(db, "select * from [position info] order by [id]");
    while (positions.Step())
        rows.positions.push_back(
            {positions.GetLong("id"), positions.GetText("abbr"), positions.GetText("desc")});
    db::Statement teams(db, "select * from [team info] order by [id]");
    while (teams.Step())
        rows.teams.push_back({teams.GetLong("id"), teams.GetText("name"), teams.GetText("nickname"),
                              teams.GetText("abbr"), teams.GetLong("position id")});
    db::Statement players(db, "select * from [player info] order by [id]");
    while (players.Step())
        rows.players.push_back({players.GetLong("id"), players.GetText("first name"),
                                players.GetText("last name"), players.GetLong("position id"),
                                players.GetLong("team id"), players.GetBool("is retired")});
    db::Statement managers(db, "select * from [manager info] order by [id]");
    while (managers.Step())
        rows.managers.push_back({managers.GetLong("id"), managers.GetText("first name"),
                                 managers.GetText("last name")});
    db::Statement types(db, "select * from [prize type info] order by [type id]");
    while (types.Step())
        rows.prizeTypes.push_back({types.GetLong("type id"), types.GetText("type name")});
    db::Statement prizes(db, "select * from [prize info] order by [id]");
    while (prizes.Step())
        rows.prizes.push_back(
            {prizes.GetLong("id"), prizes.GetText("desc"), prizes.GetLong("type id")});
}

void ReadSeasons(db::Database& db, LeagueRows& rows) {
    db::Statement seasons(db, "select * from [season info] order by [id]");
    while (seasons.Step())
        rows.seasons.push_back(
            {seasons.GetLong("id"), seasons.GetLong("season year"),
             seasons.GetLong("no of players"), seasons.GetLong("no of rounds"),
             seasons.GetLong("money contribution"), seasons.GetLong("no of regular weeks"),
             seasons.GetLong("total no of weeks"), seasons.GetBool("is ranking locked"),
             seasons.GetBool("is draft locked"), seasons.GetBool("is season locked"),
             seasons.GetBool("has season started")});
    // Managers and prizes in the order the table holds them: the order the program shows.
    db::Statement playing(db, "select * from [playing info] order by [season id], rowid");
    while (playing.Step())
        rows.playing.push_back({playing.GetLong("season id"), playing.GetLong("manager id"),
                                playing.GetLong("ranking"), playing.GetBool("fee paid")});
    db::Statement money(db, "select * from [money distribution info] order by [season id], rowid");
    while (money.Step())
        rows.money.push_back(
            {money.GetLong("season id"), money.GetLong("prize id"), money.GetLong("money")});
    db::Statement drafts(db, "select * from [draft info] order by [season id], [draft no]");
    while (drafts.Step())
        rows.drafts.push_back({drafts.GetLong("season id"), drafts.GetLong("draft no"),
                               drafts.GetLong("manager id"), drafts.GetLong("player id"),
                               drafts.GetLong("team id")});
    db::Statement winnings(db, "select * from [winning info] order by [id]");
    while (winnings.Step())
        rows.winnings.push_back({winnings.GetLong("id"), winnings.GetLong("season id"),
                                 winnings.GetLong("manager id"), winnings.GetLong("prize id"),
                                 winnings.GetLong("week #")});
    db::Statement settings(db, "select [current season id] from [settings] where [ID] = 1");
    if (settings.Step()) rows.currentSeasonId = settings.GetLong("current season id");
}

// ---- Writing (each throws; the caller holds the transaction) --------------------------------

void InsertCatalogue(db::Database& db, const LeagueRows& rows) {
    db::Statement position(
        db, "insert into [position info] ([id], [abbr], [desc]) values (?1, ?2, ?3)");
    for (const PositionRow& r : rows.positions)
        position.Bind(1, r.id).Bind(2, r.abbr).Bind(3, r.desc).Run();
    db::Statement team(db,
                       "insert into [team info] ([id], [name], [nickname], [abbr], [position id]) "
                       "values (?1, ?2, ?3, ?4, ?5)");
    for (const TeamRow& r : rows.teams)
        team.Bind(1, r.id)
            .Bind(2, r.name)
            .Bind(3, r.nickname)
            .Bind(4, r.abbr)
            .BindIdOrNull(5, r.positionId)
            .Run();
    db::Statement player(db,
                         "insert into [player info] ([id], [first name], [last name], "
                         "[position id], [team id], [is retired]) values (?1, ?2, ?3, ?4, ?5, ?6)");
    for (const PlayerRow& r : rows.players)
        player.Bind(1, r.id)
            .Bind(2, r.firstName)
            .Bind(3, r.lastName)
            .BindIdOrNull(4, r.positionId)
            .BindIdOrNull(5, r.teamId)
            .Bind(6, r.retired)
            .Run();
    db::Statement manager(
        db, "insert into [manager info] ([id], [first name], [last name]) values (?1, ?2, ?3)");
    for (const ManagerRow& r : rows.managers)
        manager.Bind(1, r.id).Bind(2, r.firstName).Bind(3, r.lastName).Run();
    db::Statement type(db,
                       "insert into [prize type info] ([type id], [type name]) values (?1, ?2)");
    for (const PrizeTypeRow& r : rows.prizeTypes) type.Bind(1, r.id).Bind(2, r.name).Run();
    db::Statement prize(db,
                        "insert into [prize info] ([id], [desc], [type id]) values (?1, ?2, ?3)");
    for (const PrizeRow& r : rows.prizes)
        prize.Bind(1, r.id).Bind(2, r.desc).BindIdOrNull(3, r.typeId).Run();
}

// The season's row: rewritten when its id is stored, otherwise added.
void StoreSeasonRow(db::Database& db, const SeasonRow& r) {
    db::Statement update(db,
                         "update [season info] set [season year] = ?2, [no of players] = ?3, "
                         "[no of rounds] = ?4, [money contribution] = ?5, "
                         "[no of regular weeks] = ?6, [total no of weeks] = ?7, "
                         "[is ranking locked] = ?8, [is draft locked] = ?9, "
                         "[is season locked] = ?10, [has season started] = ?11 where [id] = ?1");
    db::Statement insert(db,
                         "insert into [season info] ([id], [season year], [no of players], "
                         "[no of rounds], [money contribution], [no of regular weeks], "
                         "[total no of weeks], [is ranking locked], [is draft locked], "
                         "[is season locked], [has season started]) "
                         "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    for (db::Statement* statement : {&update, &insert}) {
        statement->Bind(1, r.id)
            .Bind(2, r.year)
            .Bind(3, r.managers)
            .Bind(4, r.rounds)
            .Bind(5, r.fee)
            .Bind(6, r.regularWeeks)
            .Bind(7, r.totalWeeks)
            .Bind(8, r.rankingLocked)
            .Bind(9, r.draftLocked)
            .Bind(10, r.seasonLocked)
            .Bind(11, r.started)
            .Run();
        if (db.Changes() > 0) return;
    }
}

void InsertSeasonParts(db::Database& db, const LeagueRows& rows) {
    db::Statement playing(db,
                          "insert into [playing info] ([season id], [manager id], [ranking], "
                          "[fee paid]) values (?1, ?2, ?3, ?4)");
    for (const PlayingRow& r : rows.playing)
        playing.Bind(1, r.seasonId)
            .Bind(2, r.managerId)
            .BindIdOrNull(3, r.ranking)
            .Bind(4, r.feePaid)
            .Run();
    db::Statement money(db,
                        "insert into [money distribution info] ([season id], [prize id], [money]) "
                        "values (?1, ?2, ?3)");
    for (const MoneyRow& r : rows.money)
        money.Bind(1, r.seasonId).Bind(2, r.prizeId).Bind(3, r.money).Run();
    db::Statement draft(db,
                        "insert into [draft info] ([season id], [draft no], [manager id], "
                        "[player id], [team id]) values (?1, ?2, ?3, ?4, ?5)");
    for (const DraftRow& r : rows.drafts)
        draft.Bind(1, r.seasonId)
            .Bind(2, r.draftNo)
            .BindIdOrNull(3, r.managerId)
            .BindIdOrNull(4, r.playerId)
            .BindIdOrNull(5, r.teamId)
            .Run();
    db::Statement winning(db,
                          "insert into [winning info] ([id], [season id], [manager id], "
                          "[prize id], [week #]) values (?1, ?2, ?3, ?4, ?5)");
    for (const WinningRow& r : rows.winnings)
        winning.Bind(1, r.id)
            .Bind(2, r.seasonId)
            .Bind(3, r.managerId)
            .Bind(4, r.prizeId)
            .BindIdOrNull(5, r.week)
            .Run();
}

void ClearSeasonParts(db::Database& db, int32_t seasonId) {
    for (const char* table :
         {"[winning info]", "[draft info]", "[money distribution info]", "[playing info]"}) {
        db::Statement clear(db, std::string("delete from ") + table + " where [season id] = ?1");
        clear.Bind(1, seasonId).Run();
    }
}

void StoreCurrentSeason(db::Database& db, int32_t seasonId) {
    db::Statement update(db, "update [settings] set [current season id] = ?1 where [ID] = 1");
    update.BindIdOrNull(1, seasonId).Run();
    if (db.Changes() > 0) return;
    db::Statement insert(db, "insert into [settings] ([ID], [current season id]) values (1, ?1)");
    insert.BindIdOrNull(1, seasonId).Run();
}

// The named settings in place of those stored; a league file older than their table gets it
// (as ILeagueSettings creates it at its first store).
void ReplaceNamedSettings(db::Database& db, const std::vector<SettingRow>& settings) {
    db.Execute(
        "create table if not exists [league setting info] ("
        "[name] text primary key not null check ([name] <> ''), [value] text not null)");
    db.Execute("delete from [league setting info]");
    db::Statement insert(db, "insert into [league setting info] ([name], [value]) values (?1, ?2)");
    for (const SettingRow& s : settings) insert.Bind(1, s.name).Bind(2, s.value).Run();
}

// Every row of a season's parts belongs to that season.
bool BelongsToSeason(const LeagueRows& rows, int32_t seasonId) {
    const auto of = [seasonId](const auto& list) {
        for (const auto& r : list)
            if (r.seasonId != seasonId) return false;
        return true;
    };
    return of(rows.playing) && of(rows.money) && of(rows.drafts) && of(rows.winnings);
}

}  // namespace

template <class Body>
bool DataService::WriteRecords(std::string& errorMessage, Body&& body) {
    bool stored = false;
    try {
        db::Database& db = Db();
        db::Transaction transaction(db);
        std::forward<Body>(body)(db);
        transaction.Commit();
        stored = true;
    } catch (const std::exception& e) {
        errorMessage = std::string("The league was not changed: ") + e.what();
    }
    // Whatever the service held was read from the rows before: read everything afresh.
    DropCaches();
    ReloadSettings();
    return stored;
}

bool DataService::ReadLeague(LeagueRows& Rows, std::string& ErrorMessage) {
    try {
        LeagueRows rows;
        ReadCatalogue(Db(), rows);
        ReadSeasons(Db(), rows);
        std::map<std::string, std::string> named;
        if (!GetLeagueSettings(named)) throw std::runtime_error("the settings cannot be read");
        for (auto& [name, value] : named) rows.settings.push_back({name, value});
        Rows = std::move(rows);
        return true;
    } catch (const std::exception& e) {
        ErrorMessage = std::string("Error in reading the league: ") + e.what();
    }
    return false;
}

bool DataService::ReplaceLeague(const LeagueRows& Rows, std::string& ErrorMessage) {
    return WriteRecords(ErrorMessage, [&](db::Database& db) {
        for (const char* table : kLeagueTables) db.Execute(std::string("delete from ") + table);
        InsertCatalogue(db, Rows);
        for (const SeasonRow& season : Rows.seasons) StoreSeasonRow(db, season);
        InsertSeasonParts(db, Rows);
        StoreCurrentSeason(db, Rows.currentSeasonId);
        ReplaceNamedSettings(db, Rows.settings);
    });
}

bool DataService::AddSeasonRows(const LeagueRows& Rows, std::string& ErrorMessage) {
    if (Rows.seasons.size() != 1 || !BelongsToSeason(Rows, Rows.seasons.front().id)) {
        ErrorMessage = "The rows of one season are needed.";
        return false;
    }
    return WriteRecords(ErrorMessage, [&](db::Database& db) {
        InsertCatalogue(db, Rows);
        ClearSeasonParts(db, Rows.seasons.front().id);
        StoreSeasonRow(db, Rows.seasons.front());
        InsertSeasonParts(db, Rows);
    });
}

}  // namespace gr::data
