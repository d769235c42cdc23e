// The data service: the one reader and writer of the league database. It holds the open
// connection, the current season's identity, the league settings and a cache of every
// list and object it has read, so that every caller works on the same instances.
//
// The implementation is split by area:
//   DataService.cpp           lifecycle, settings, reference caches, single lookups
//   DataServiceSeasons.cpp    loading, creating and saving seasons
//   DataServiceDrafts.cpp     ranking and draft persistence
//   DataServiceSearch.cpp     Search
//   DataServiceCatalogue.cpp  catalogue editing (Update*, Delete)
//   DataServiceWinnings.cpp   AddWinning, SaveWinnings
//   DataServiceLeagueSettings.cpp  ILeagueSettings
//   DataServiceRecords.cpp         the league as rows (ILeagueRecords)
//
// Conventions for every operation file:
//   - SQL uses bound parameters only; prefer Db().Cached(sql) for statements run more than
//     once (a cached statement must not be used by two loops at the same time: a lookup
//     called inside a loop has its own statement text).
//   - Engine errors arrive as exceptions (db::DbError, std::exception). An operation that
//     reports them wraps its body in Trap(fixedMessage, failureValue, body): the error
//     goes to gr::host::ReportError("Gridora Service", fixedMessage + "\n" + description)
//     and the failure value is returned.
//   - Multi-row writes run inside one db::Transaction (all or nothing).
//   - Lookups come in two forms: Find*/Positions()/Teams()/... throw (use them under the
//     caller's own trap), *ById trap and report on their own and return none.
#pragma once

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "CatalogueInfo.h"
#include "ComObject.h"
#include "IDataService.h"
#include "SeasonInfo.h"
#include "SettingInfo.h"

namespace gr::db {
class Database;
class Statement;
}  // namespace gr::db

namespace gr::data {

class DraftInfo;
class WinningInfo;

class DataService final
    : public ComObject<IDataService, ISeasonSave, ILeagueSettings, ILeagueRecords>,
      private ISettingInfoEvents {
  public:
    DataService();
    ~DataService() override;

    // ---- IDataService, in slot order ----------------------------------------------------
    int32_t get_CurrentSeasonID() override { return m_currentSeasonId; }
    void let_CurrentSeasonID(int32_t value) override { m_currentSeasonId = value; }
    int32_t get_CurrentSeasonYear() override { return m_currentSeasonYear; }
    void let_CurrentSeasonYear(int32_t value) override;
    ComPtr<ISeasonInfo> GetCurrentSeasonInfo() override;
    bool DiscardCurrentSeasonInfo() override;
    ComPtr<ISeasonInfo> AddSeason(int32_t SeasonYear) override;
    bool SaveCurrentSeasonInfo() override;
    ComPtr<Collection> GetAllSeasons() override;
    using IDataService::Initialize;
    bool Initialize(DBTypeEnum DBType, std::string& ErrMessage) override;
    bool SaveManagersPlaying() override;
    bool SaveRanking() override;
    bool DisableRanking() override;
    ComPtr<Collection> GetPlayerPositions() override;
    bool SaveDrafts() override;
    bool DeleteDrafts() override;
    bool DisableDrafting() override;
    ComPtr<Collection> GetTeams() override;
    ComPtr<Collection> Search(InfoTypeEnum SearchType, const std::string& SearchText,
                              bool CurSeasonOnly = false, bool SkipRetiredPlayers = true) override;
    ComPtr<ISettingInfo> GetSettings() override;
    bool SaveSettings() override;
    using IDataService::UpdatePlayer;
    bool UpdatePlayer(const std::string& LastName, const std::string& FirstName, int32_t Position,
                      int32_t Team, bool IsRetired, int32_t& ID, ComPtr<IPlayerInfo>& oNewPlayer,
                      std::string& ErrorMessage) override;
    bool UpdatePosition(const std::string& Desc, const std::string& Abbr, int32_t& ID,
                        ComPtr<IPositionInfo>& oNewPosition, std::string& ErrorMessage) override;
    bool UpdateManager(const std::string& LastName, const std::string& FirstName, int32_t& ID,
                       ComPtr<IManagerTmplInfo>& oNewManagerTmpl,
                       std::string& ErrorMessage) override;
    bool UpdatePrize(const std::string& Name, int32_t PrizeTypeID, int32_t& ID,
                     ComPtr<IPrizeTmplInfo>& oNewPrize, std::string& ErrorMessage) override;
    ComPtr<Collection> GetPrizeTmpls() override;
    ComPtr<Collection> GetPrizeTypes() override;
    bool AddWinning(ComPtr<IWinningInfo>& oNewWin) override;
    bool SaveWinnings() override;
    void CloseDatabase() override;
    bool OpenDatabase(bool ClearCache, std::string& ErrorMessage) override;
    bool Delete(InfoTypeEnum DeleteType, int32_t ID, std::string& ErrorMessage) override;

    // ---- ISeasonSave ----------------------------------------------------------------------
    bool SaveSeasonAndManagers() override;

    // ---- ILeagueSettings (DataServiceLeagueSettings.cpp) --------------------------------
    bool GetLeagueSetting(const std::string& Name, std::string& Value, bool& Found) override;
    bool SetLeagueSetting(const std::string& Name, const std::string& Value) override;
    bool GetLeagueSettings(std::map<std::string, std::string>& Values) override;
    // ---- ILeagueRecords (DataServiceRecords.cpp) -------------------------------------------
    bool ReadLeague(LeagueRows& Rows, std::string& ErrorMessage) override;
    bool ReplaceLeague(const LeagueRows& Rows, std::string& ErrorMessage) override;
    bool AddSeasonRows(const LeagueRows& Rows, std::string& ErrorMessage) override;

  private:
    // ---- Settings listener --------------------------------------------------------------
    // The held settings object changed its current season: follow it.
    void SettingsChanged() override;

    // ---- Connection and error reporting --------------------------------------------------
    // The open database; throws db::DbError "The database is not open." when none is held,
    // so an operation without a connection fails through its own trap.
    db::Database& Db();
    // gr::host::ReportError("Gridora Service", fixedMessage + "\n" + description).
    static void ReportError(const std::string& fixedMessage, const std::string& description);
    // Runs body(); on an exception reports it under fixedMessage and returns failure.
    template <class Result, class Body>
    Result Trap(const char* fixedMessage, Result failure, Body&& body) {
        try {
            return std::forward<Body>(body)();
        } catch (const std::exception& e) {
            ReportError(fixedMessage, e.what());
        }
        return failure;
    }
    // Forgets every cached list and object (the settings object stays).
    void DropCaches();
    // Forgets the settings and the current season, then reads the settings of the open file.
    void ReloadSettings();
    // The cache itself, created empty when it is none.
    static Collection& Ensure(ComPtr<Collection>& cache);

    // ---- Reference lists and single lookups (DataService.cpp) -----------------------------
    // The reference caches, filled from their tables on first use. Throw on engine errors;
    // a cache is kept only when it was filled completely.
    Collection& Positions();
    Collection& Teams();  // fills the positions first
    Collection& PrizeTypes();
    Collection& PrizeTmpls();  // fills the prize types first
    // Cache first, then one row of the table; none for id 0 or no row. Throw on errors.
    ComPtr<PlayerInfo> FindPlayer(int32_t id);
    ComPtr<ManagerTmplInfo> FindManagerTmpl(int32_t id);
    // The cached player or manager master of that id, or a new one from these column values,
    // added to its cache. Lets a query that joins the catalogue fill the caches in one pass.
    ComPtr<PlayerInfo> PlayerFromColumns(int32_t id, std::string firstName, std::string lastName,
                                         int32_t positionId, int32_t teamId, bool isRetired);
    ComPtr<ManagerTmplInfo> ManagerTmplFromColumns(int32_t id, std::string firstName,
                                                   std::string lastName);
    // Trapped forms for any operation: report with the fixed message of their kind
    // ("Error in loading player info.", "Error in loading manager info.", "Error in loading
    // teams.", "Error in loading positions.", "Error in loading prizes.") and give none.
    ComPtr<PlayerInfo> PlayerById(int32_t id);
    ComPtr<ManagerTmplInfo> ManagerTmplById(int32_t id);
    ComPtr<TeamInfo> TeamById(int32_t id);
    ComPtr<PositionInfo> PositionById(int32_t id);
    ComPtr<PrizeTmplInfo> PrizeTmplById(int32_t id);
    ComPtr<PrizeTypeInfo> PrizeTypeById(int32_t id);

    // ---- Seasons (DataServiceSeasons.cpp) -------------------------------------------------
    // Season by id through the cache; id 0 first makes this year's season current. Reports
    // "Error in loading season info." and gives none on failure.
    ComPtr<SeasonInfo> SeasonById(int32_t id);
    // The current season (SeasonById of the current season id).
    ComPtr<SeasonInfo> CurrentSeason() { return SeasonById(m_currentSeasonId); }
    // The cached season of that year, or none.
    ComPtr<SeasonInfo> CachedSeasonOfYear(int32_t year) const;
    // Loads a season by id (id >= 1), or else by year (year > 0), with its prizes,
    // managers, winnings and drafts; it joins the caches only once complete. None when
    // there is no row. Throws on engine errors.
    ComPtr<SeasonInfo> FetchSeason(int32_t id, int32_t year);
    // Inserts the row of a new season for the year and loads it. Throws.
    ComPtr<SeasonInfo> CreateSeason(int32_t year);
    // Replaces the season's drafts by what the store holds; the current pick becomes the
    // number of stored picks + 1. Throws.
    void LoadDrafts(SeasonInfo& season);
    // LoadDrafts under the trap "Error in loading drafts."; false on failure.
    bool ReloadDrafts(SeasonInfo& season);
    // The season's managers from [playing info], in ranking order (unranked first). Throws.
    void LoadManagersPlaying(SeasonInfo& season);
    // The season's prizes with money. Throws.
    void LoadPrizes(SeasonInfo& season);
    // The season's winning records. Throws.
    void LoadWinnings(SeasonInfo& season);
    // Adds a loaded season to both season caches.
    void CacheSeason(const ComPtr<SeasonInfo>& season);
    // Removes the season instance from the by-year cache, whatever year it is under.
    void UncacheSeasonByYear(const SeasonInfo* season);
    // Points the season's picks at its reloaded managers (none for one who left).
    void RelinkDraftManagers(SeasonInfo& season);
    // The saves of the current season: the managers playing, the season's figures with its
    // money distribution, or both, in one transaction; on failure reported under failure.
    struct SeasonParts {
        bool managers = false;
        bool figures = false;
    };
    bool SaveSeasonParts(const char* failure, SeasonParts parts);

    // ---- Ranking and drafts (DataServiceDrafts.cpp) ---------------------------------------
    // Writes one changed pick: the one thing it holds, or nothing for a removed pick.
    // Throws; the caller holds the transaction.
    void StoreDraft(DraftInfo& pick, int32_t seasonId);

    // ---- Search (DataServiceSearch.cpp) ----------------------------------------------------
    // Each runs one query and fills the caches it draws on. Throw on engine errors.
    void SearchPlayers(const std::string& text, bool skipRetired, Collection& results);
    void SearchTeams(const std::string& text, Collection& results);
    ComPtr<Collection> SearchManagers(const std::string& text, bool curSeasonOnly);
    ComPtr<Collection> SearchPrizes(const std::string& text, bool curSeasonOnly);
    ComPtr<Collection> SearchPositions(const std::string& text);

    // ---- Winnings (DataServiceWinnings.cpp) ------------------------------------------------
    // Row writes of SaveWinnings; the season id is the current season's. Throw.
    void InsertWinning(WinningInfo& win, int32_t id, int32_t seasonId);
    void UpdateWinning(WinningInfo& win, int32_t seasonId);

    // ---- League rows (DataServiceRecords.cpp) ---------------------------------------------
    // Runs a write of ILeagueRecords in one transaction; afterwards (stored or not) the caches
    // and settings are read afresh. False with the engine's description on failure.
    template <class Body>
    bool WriteRecords(std::string& errorMessage, Body&& body);

    // ---- State --------------------------------------------------------------------------
    std::unique_ptr<db::Database> m_db;  // the open league database, or none
    DBTypeEnum m_dbType = DBNone;
    int32_t m_currentSeasonId = 0;
    int32_t m_currentSeasonYear = 0;
    ComPtr<Collection> m_seasonsById;    // SeasonInfo under "K" + id, in load order
    ComPtr<Collection> m_seasonsByYear;  // the same seasons under "K" + year
    ComPtr<Collection> m_positions;      // PositionInfo, all rows once filled
    ComPtr<Collection> m_teams;          // TeamInfo, all rows once filled
    ComPtr<Collection> m_players;        // PlayerInfo, loaded one by one as needed
    ComPtr<Collection> m_managerTmpls;   // ManagerTmplInfo, loaded one by one as needed
    ComPtr<Collection> m_prizeTmpls;     // PrizeTmplInfo, all rows once filled
    ComPtr<Collection> m_prizeTypes;     // PrizeTypeInfo, all rows once filled
    bool m_allSeasonsLoaded = false;
    int32_t m_newWinningCounter = 0;  // numbers the keys of records made by AddWinning
    ComPtr<SettingInfo> m_settings;   // listened to while held
};

}  // namespace gr::data
