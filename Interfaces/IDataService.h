// The data service: the only reader and writer of the league database.
#pragma once

#include <map>
#include <string>

#include "GRIData.h"
#include "LeagueRows.h"

namespace gr {

class IDataService : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("43EC95E8-C8A0-4446-8038-1A90902F0112");

    virtual int32_t get_CurrentSeasonID() = 0;                                // 1
    virtual void let_CurrentSeasonID(int32_t value) = 0;                      // 2
    virtual int32_t get_CurrentSeasonYear() = 0;                              // 3
    virtual void let_CurrentSeasonYear(int32_t value) = 0;                    // 4
    virtual ComPtr<ISeasonInfo> GetCurrentSeasonInfo() = 0;                   // 5
    virtual bool DiscardCurrentSeasonInfo() = 0;                              // 6
    virtual ComPtr<ISeasonInfo> AddSeason(int32_t SeasonYear) = 0;            // 7
    virtual bool SaveCurrentSeasonInfo() = 0;                                 // 8
    virtual ComPtr<Collection> GetAllSeasons() = 0;                           // 9
    virtual bool Initialize(DBTypeEnum DBType, std::string& ErrMessage) = 0;  // 10
    bool Initialize(DBTypeEnum DBType) {
        std::string ignored;
        return Initialize(DBType, ignored);
    }
    virtual bool SaveManagersPlaying() = 0;               // 11
    virtual bool SaveRanking() = 0;                       // 12
    virtual bool DisableRanking() = 0;                    // 13
    virtual ComPtr<Collection> GetPlayerPositions() = 0;  // 14
    virtual bool SaveDrafts() = 0;                        // 15
    virtual bool DeleteDrafts() = 0;                      // 16
    virtual bool DisableDrafting() = 0;                   // 17
    virtual ComPtr<Collection> GetTeams() = 0;            // 18
    virtual ComPtr<Collection> Search(InfoTypeEnum SearchType, const std::string& SearchText,
                                      bool CurSeasonOnly = false,
                                      bool SkipRetiredPlayers = true) = 0;  // 19
    virtual ComPtr<ISettingInfo> GetSettings() = 0;                         // 20
    virtual bool SaveSettings() = 0;                                        // 21
    virtual bool UpdatePlayer(const std::string& LastName, const std::string& FirstName,
                              int32_t Position, int32_t Team, bool IsRetired, int32_t& ID,
                              ComPtr<IPlayerInfo>& oNewPlayer,
                              std::string& ErrorMessage) = 0;  // 22
    // IsRetired left out: the player is stored as not retired.
    bool UpdatePlayer(const std::string& LastName, const std::string& FirstName, int32_t Position,
                      int32_t Team, int32_t& ID, ComPtr<IPlayerInfo>& oNewPlayer,
                      std::string& ErrorMessage) {
        return UpdatePlayer(LastName, FirstName, Position, Team, false, ID, oNewPlayer,
                            ErrorMessage);
    }
    virtual bool UpdatePosition(const std::string& Desc, const std::string& Abbr, int32_t& ID,
                                ComPtr<IPositionInfo>& oNewPosition,
                                std::string& ErrorMessage) = 0;  // 23
    virtual bool UpdateManager(const std::string& LastName, const std::string& FirstName,
                               int32_t& ID, ComPtr<IManagerTmplInfo>& oNewManagerTmpl,
                               std::string& ErrorMessage) = 0;  // 24
    virtual bool UpdatePrize(const std::string& Name, int32_t PrizeTypeID, int32_t& ID,
                             ComPtr<IPrizeTmplInfo>& oNewPrize,
                             std::string& ErrorMessage) = 0;                                  // 25
    virtual ComPtr<Collection> GetPrizeTmpls() = 0;                                           // 26
    virtual ComPtr<Collection> GetPrizeTypes() = 0;                                           // 27
    virtual bool AddWinning(ComPtr<IWinningInfo>& oNewWin) = 0;                               // 28
    virtual bool SaveWinnings() = 0;                                                          // 29
    virtual void CloseDatabase() = 0;                                                         // 30
    virtual bool OpenDatabase(bool ClearCache, std::string& ErrorMessage) = 0;                // 31
    virtual bool Delete(InfoTypeEnum DeleteType, int32_t ID, std::string& ErrorMessage) = 0;  // 32
};

// The season window's save in one step, asked of the data service through QueryInterface
// (IDataService keeps its slots): the managers playing (as SaveManagersPlaying) and the
// season's figures with its money distribution (as SaveCurrentSeasonInfo) are stored in one
// transaction, so a failure stores neither and the stored season stays as it was. On a
// failure the service reports "Error in saving season info." and returns false.
class ISeasonSave : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("B5D15242-C51C-4A1B-9AFD-C6A3EF0D7D20");

    virtual bool SaveSeasonAndManagers() = 0;  // 1
};

// Named settings of the league as text (the published site's title, the pick clock's seconds,
// whether picks are read aloud), kept in the league file and asked of the data service
// through QueryInterface. A league file older than these settings gets their table at the
// first store; until then every setting reads as not stored. Names are never empty. On a
// failure the service reports "Error in reading league settings." or "Error in saving league
// settings." and returns false.
class ILeagueSettings : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("4F6A2D1E-8B3C-4E57-A0D9-7C1B5E2F3A64");

    // Value is the stored text of Name; Found is false (and Value empty) when none is stored.
    virtual bool GetLeagueSetting(const std::string& Name, std::string& Value,
                                  bool& Found) = 0;  // 1
    // Stores Value under Name, replacing what was there.
    virtual bool SetLeagueSetting(const std::string& Name, const std::string& Value) = 0;  // 2
    // Every stored setting, by name.
    virtual bool GetLeagueSettings(std::map<std::string, std::string>& Values) = 0;  // 3
};

// The league as the rows of its tables (LeagueRows.h), asked of the data service through
// QueryInterface: for moving a league's history in and out whole. Each write is one transaction
// that stores every row with the id it is given, all or nothing; afterwards the service drops
// its caches and reads its settings again, so every holder of the service sees the new data
// (objects taken from it before are stale). On a failure ErrorMessage says why and nothing
// has changed.
class ILeagueRecords : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("4475B18B-A738-4FC3-8289-26B4A2E6E46A");

    // Every row of every league table, in the orders LeagueRows names.
    virtual bool ReadLeague(LeagueRows& Rows, std::string& ErrorMessage) = 0;  // 1
    // Deletes every row of the league and stores Rows in their place, with the current season
    // and the named settings.
    virtual bool ReplaceLeague(const LeagueRows& Rows, std::string& ErrorMessage) = 0;  // 2
    // Adds the catalogue rows of Rows and its one season with that season's rows. A season
    // already stored under the season's id is replaced: its row is rewritten and its managers,
    // money, picks and winnings give way to those of Rows. The current season and the named
    // settings stay as they are.
    virtual bool AddSeasonRows(const LeagueRows& Rows, std::string& ErrorMessage) = 0;  // 3
};

}  // namespace gr
