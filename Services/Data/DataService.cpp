#include "DataService.h"

#include "DataKeys.h"
#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"

namespace gr::data {

namespace {
constexpr const char* kServiceTitle = "Gridora Service";
constexpr const char* kOpenFailed = "Error in opening database.";
constexpr const char* kMissingPrefix = "Database file: ";
}  // namespace

DataService::DataService() = default;

DataService::~DataService() {
    CloseDatabase();
    if (m_settings) m_settings->Unadvise(this);
    m_settings = nullptr;
    DropCaches();
}

// ---- Lifecycle -----------------------------------------------------------------------

bool DataService::Initialize(DBTypeEnum DBType, std::string& ErrMessage) {
    m_dbType = DBType;
    if (!OpenDatabase(false, ErrMessage)) return false;
    GetSettings();
    return true;
}

bool DataService::OpenDatabase(bool ClearCache, std::string& ErrorMessage) {
    // The file is held exclusively, so a connection of our own must go before reopening.
    CloseDatabase();
    std::unique_ptr<db::Database> opened;
    std::string why;
    if (!OpenDatabaseByType(m_dbType, opened, why)) {
        if (why.rfind(kMissingPrefix, 0) == 0)
            ErrorMessage = why;
        else
            ErrorMessage = why.empty() ? kOpenFailed : std::string(kOpenFailed) + "\n" + why;
        return false;
    }
    m_db = std::move(opened);
    if (ClearCache) {
        DropCaches();
        ReloadSettings();
    }
    return true;
}

// The file may have been replaced (a restored backup): its own settings row says which
// season is current, not the one held from the file before.
void DataService::ReloadSettings() {
    if (m_settings) m_settings->Unadvise(this);
    m_settings = nullptr;
    m_currentSeasonId = 0;
    m_currentSeasonYear = 0;
    GetSettings();
}

void DataService::CloseDatabase() {
    m_db.reset();
}

void DataService::DropCaches() {
    m_seasonsById = nullptr;
    m_seasonsByYear = nullptr;
    m_positions = nullptr;
    m_teams = nullptr;
    m_players = nullptr;
    m_managerTmpls = nullptr;
    m_prizeTmpls = nullptr;
    m_prizeTypes = nullptr;
    // The seasons cache is gone, so GetAllSeasons must read every season again.
    m_allSeasonsLoaded = false;
}

db::Database& DataService::Db() {
    if (!m_db) throw db::DbError(0, "The database is not open.");
    return *m_db;
}

void DataService::ReportError(const std::string& fixedMessage, const std::string& description) {
    host::ReportError(kServiceTitle, fixedMessage + "\n" + description);
}

Collection& DataService::Ensure(ComPtr<Collection>& cache) {
    if (!cache) cache = Collection::Create();
    return *cache;
}

// ---- Current season and settings -------------------------------------------------------

void DataService::let_CurrentSeasonYear(int32_t value) {
    ComPtr<SeasonInfo> season = CachedSeasonOfYear(value);
    bool noRow = false;
    if (!season)
        season = Trap("Error in loading season info.", ComPtr<SeasonInfo>(), [&] {
            ComPtr<SeasonInfo> found = FetchSeason(0, value);
            noRow = !found;
            return found;
        });
    // Only a year the file really lacks gets a new season; a failed read creates nothing.
    if (!season && noRow)
        season = Trap("Error in saving season info.", ComPtr<SeasonInfo>(),
                      [&] { return CreateSeason(value); });
    if (!season) return;
    m_currentSeasonId = season->get_ID();
    m_currentSeasonYear = value;
    GetSettings()->let_CurrentSeason(m_currentSeasonId);
    SaveSettings();
}

ComPtr<ISettingInfo> DataService::GetSettings() {
    if (m_settings) return m_settings;
    m_settings = MakeCom<SettingInfo>();
    m_settings->Advise(this);
    Trap("Error in loading settings.", false, [&] {
        db::Statement& row = Db().Cached("select * from [settings] where [ID] = 1");
        if (row.Step()) {
            const int32_t stored = row.GetLong("current season id");
            row.Reset();
            // Through the setter: a stored season marks the settings changed and makes
            // this service follow it.
            m_settings->let_CurrentSeason(stored);
        }
        return true;
    });
    return m_settings;
}

void DataService::SettingsChanged() {
    if (m_settings) m_currentSeasonId = m_settings->get_CurrentSeason();
}

bool DataService::SaveSettings() {
    if (!m_settings || !m_settings->IsChanged()) return true;
    return Trap("Error in saving settings.", false, [&] {
        db::Database& db = Db();
        const int32_t season = m_settings->get_CurrentSeason();
        db::Statement& update =
            db.Cached("update [settings] set [current season id] = ?1 where [ID] = 1");
        update.BindIdOrNull(1, season);
        update.Run();
        if (db.Changes() == 0) {
            db::Statement& insert =
                db.Cached("insert into [settings] ([ID], [current season id]) values (1, ?1)");
            insert.BindIdOrNull(1, season);
            insert.Run();
        }
        return true;
    });
}

// ---- Reference lists -----------------------------------------------------------------

Collection& DataService::Positions() {
    if (m_positions) return *m_positions;
    ComPtr<Collection> filled = Collection::Create();
    db::Statement& row = Db().Cached("select * from [position info] order by [id]");
    while (row.Step()) {
        auto position = MakeCom<PositionInfo>();
        position->SetID(row.GetLong("id"));
        position->SetAbbr(row.GetText("abbr"));
        position->SetDesc(row.GetText("desc"));
        filled->Add(position, RecordKey(position->get_ID()));
    }
    row.Reset();
    m_positions = filled;
    return *m_positions;
}

Collection& DataService::Teams() {
    if (m_teams) return *m_teams;
    Collection& positions = Positions();
    ComPtr<Collection> filled = Collection::Create();
    db::Statement& row = Db().Cached("select * from [team info] order by [id]");
    while (row.Step()) {
        auto team = MakeCom<TeamInfo>();
        team->SetID(row.GetLong("id"));
        team->SetAbbr(row.GetText("abbr"));
        team->SetName(row.GetText("name"));
        team->SetNickname(row.GetText("nickname"));
        const int32_t positionId = row.GetLong("position id");
        if (positionId > 0)
            team->SetPosition(positions.ItemAs<IPositionInfo>(RecordKey(positionId)));
        filled->Add(team, RecordKey(team->get_ID()));
    }
    row.Reset();
    m_teams = filled;
    return *m_teams;
}

Collection& DataService::PrizeTypes() {
    if (m_prizeTypes) return *m_prizeTypes;
    ComPtr<Collection> filled = Collection::Create();
    db::Statement& row = Db().Cached("select * from [prize type info]");
    while (row.Step()) {
        auto type = MakeCom<PrizeTypeInfo>();
        type->SetID(row.GetLong("type id"));
        type->SetName(row.GetText("type name"));
        filled->Add(type, RecordKey(type->get_ID()));
    }
    row.Reset();
    m_prizeTypes = filled;
    return *m_prizeTypes;
}

Collection& DataService::PrizeTmpls() {
    if (m_prizeTmpls) return *m_prizeTmpls;
    Collection& types = PrizeTypes();
    ComPtr<Collection> filled = Collection::Create();
    db::Statement& row = Db().Cached("select * from [prize info]");
    while (row.Step()) {
        auto prize = MakeCom<PrizeTmplInfo>();
        prize->SetID(row.GetLong("id"));
        prize->SetDesc(row.GetText("desc"));
        prize->SetPrizeType(types.ItemAs<IPrizeTypeInfo>(RecordKey(row.GetLong("type id"))));
        filled->Add(prize, RecordKey(prize->get_ID()));
    }
    row.Reset();
    m_prizeTmpls = filled;
    return *m_prizeTmpls;
}

ComPtr<Collection> DataService::GetPlayerPositions() {
    return Trap("Error in loading positions.", ComPtr<Collection>(),
                [&] { return ComPtr<Collection>(&Positions()); });
}

ComPtr<Collection> DataService::GetTeams() {
    return Trap("Error in loading teams.", ComPtr<Collection>(),
                [&] { return ComPtr<Collection>(&Teams()); });
}

ComPtr<Collection> DataService::GetPrizeTypes() {
    return Trap("Error in loading prizes.", ComPtr<Collection>(),
                [&] { return ComPtr<Collection>(&PrizeTypes()); });
}

ComPtr<Collection> DataService::GetPrizeTmpls() {
    return Trap("Error in loading prizes.", ComPtr<Collection>(),
                [&] { return ComPtr<Collection>(&PrizeTmpls()); });
}

// ---- Single lookups ------------------------------------------------------------------

ComPtr<PlayerInfo> DataService::PlayerFromColumns(int32_t id, std::string firstName,
                                                  std::string lastName, int32_t positionId,
                                                  int32_t teamId, bool isRetired) {
    Collection& players = Ensure(m_players);
    const std::string key = RecordKey(id);
    if (auto cached = Concrete<PlayerInfo>(players.ItemAs<IPlayerInfo>(key))) return cached;
    auto player = MakeCom<PlayerInfo>();
    player->SetID(id);
    player->SetFirstName(std::move(firstName));
    player->SetLastName(std::move(lastName));
    if (positionId != 0)
        player->SetPosition(Positions().ItemAs<IPositionInfo>(RecordKey(positionId)));
    if (teamId != 0) player->SetTeam(Teams().ItemAs<ITeamInfo>(RecordKey(teamId)));
    player->SetRetired(isRetired);
    players.Add(player, key);
    return player;
}

ComPtr<ManagerTmplInfo> DataService::ManagerTmplFromColumns(int32_t id, std::string firstName,
                                                            std::string lastName) {
    Collection& managers = Ensure(m_managerTmpls);
    const std::string key = RecordKey(id);
    if (auto cached = Concrete<ManagerTmplInfo>(managers.ItemAs<IManagerTmplInfo>(key)))
        return cached;
    auto manager = MakeCom<ManagerTmplInfo>();
    manager->SetID(id);
    manager->SetFirstName(std::move(firstName));
    manager->SetLastName(std::move(lastName));
    managers.Add(manager, key);
    return manager;
}

ComPtr<PlayerInfo> DataService::FindPlayer(int32_t id) {
    if (id == 0) return {};
    if (m_players)
        if (auto cached = Concrete<PlayerInfo>(m_players->ItemAs<IPlayerInfo>(RecordKey(id))))
            return cached;
    db::Statement& row = Db().Cached("select * from [player info] where [id] = ?1");
    row.Bind(1, id);
    if (!row.Step()) {
        row.Reset();
        return {};
    }
    const int32_t positionId = row.GetLong("position id");
    const int32_t teamId = row.GetLong("team id");
    std::string first = row.GetText("first name");
    std::string last = row.GetText("last name");
    const bool retired = row.GetBool("is retired");
    row.Reset();
    return PlayerFromColumns(id, std::move(first), std::move(last), positionId, teamId, retired);
}

ComPtr<ManagerTmplInfo> DataService::FindManagerTmpl(int32_t id) {
    if (id == 0) return {};
    if (m_managerTmpls)
        if (auto cached =
                Concrete<ManagerTmplInfo>(m_managerTmpls->ItemAs<IManagerTmplInfo>(RecordKey(id))))
            return cached;
    db::Statement& row = Db().Cached("select * from [manager info] where [id] = ?1");
    row.Bind(1, id);
    if (!row.Step()) {
        row.Reset();
        return {};
    }
    std::string first = row.GetText("first name");
    std::string last = row.GetText("last name");
    row.Reset();
    return ManagerTmplFromColumns(id, std::move(first), std::move(last));
}

ComPtr<PlayerInfo> DataService::PlayerById(int32_t id) {
    return Trap("Error in loading player info.", ComPtr<PlayerInfo>(),
                [&] { return FindPlayer(id); });
}

ComPtr<ManagerTmplInfo> DataService::ManagerTmplById(int32_t id) {
    return Trap("Error in loading manager info.", ComPtr<ManagerTmplInfo>(),
                [&] { return FindManagerTmpl(id); });
}

ComPtr<TeamInfo> DataService::TeamById(int32_t id) {
    return Trap("Error in loading teams.", ComPtr<TeamInfo>(),
                [&] { return Concrete<TeamInfo>(Teams().ItemAs<ITeamInfo>(RecordKey(id))); });
}

ComPtr<PositionInfo> DataService::PositionById(int32_t id) {
    return Trap("Error in loading positions.", ComPtr<PositionInfo>(), [&] {
        return Concrete<PositionInfo>(Positions().ItemAs<IPositionInfo>(RecordKey(id)));
    });
}

ComPtr<PrizeTmplInfo> DataService::PrizeTmplById(int32_t id) {
    return Trap("Error in loading prizes.", ComPtr<PrizeTmplInfo>(), [&] {
        return Concrete<PrizeTmplInfo>(PrizeTmpls().ItemAs<IPrizeTmplInfo>(RecordKey(id)));
    });
}

ComPtr<PrizeTypeInfo> DataService::PrizeTypeById(int32_t id) {
    return Trap("Error in loading prizes.", ComPtr<PrizeTypeInfo>(), [&] {
        return Concrete<PrizeTypeInfo>(PrizeTypes().ItemAs<IPrizeTypeInfo>(RecordKey(id)));
    });
}

}  // namespace gr::data
