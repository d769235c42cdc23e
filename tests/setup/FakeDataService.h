// A stand-in data service: it opens the league file of its type exclusively, as the real
// one does, and records what the setup service asks of it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ComObject.h"
#include "GRServiceUtils.h"
#include "IDataService.h"

namespace gr::test {

class FakeDataService final : public ComObject<IDataService> {
  public:
    // What each call did, in order: "Initialize 1", "Close", "Open clear", "Open keep".
    std::vector<std::string> calls;
    bool initializeResult = true;
    std::string initializeMessage;
    bool refuseOpen = false;
    DBTypeEnum type = DBNone;
    std::unique_ptr<db::Database> database;

    bool Initialize(DBTypeEnum DBType, std::string& ErrMessage) override {
        calls.push_back("Initialize " + std::to_string(DBType));
        type = DBType;
        if (!initializeMessage.empty()) ErrMessage = initializeMessage;
        if (!initializeResult) return false;
        return OpenDatabaseByType(type, database, ErrMessage);
    }
    void CloseDatabase() override {
        calls.emplace_back("Close");
        database.reset();
    }
    bool OpenDatabase(bool ClearCache, std::string& ErrorMessage) override {
        calls.push_back(ClearCache ? "Open clear" : "Open keep");
        if (refuseOpen) return false;
        return OpenDatabaseByType(type, database, ErrorMessage);
    }
    bool IsOpen() const { return database != nullptr; }

    // Untouched by the setup service.
    int32_t get_CurrentSeasonID() override { return 0; }
    void let_CurrentSeasonID(int32_t) override {}
    int32_t get_CurrentSeasonYear() override { return 0; }
    void let_CurrentSeasonYear(int32_t) override {}
    ComPtr<ISeasonInfo> GetCurrentSeasonInfo() override { return {}; }
    bool DiscardCurrentSeasonInfo() override { return false; }
    ComPtr<ISeasonInfo> AddSeason(int32_t) override { return {}; }
    bool SaveCurrentSeasonInfo() override { return false; }
    ComPtr<Collection> GetAllSeasons() override { return {}; }
    bool SaveManagersPlaying() override { return false; }
    bool SaveRanking() override { return false; }
    bool DisableRanking() override { return false; }
    ComPtr<Collection> GetPlayerPositions() override { return {}; }
    bool SaveDrafts() override { return false; }
    bool DeleteDrafts() override { return false; }
    bool DisableDrafting() override { return false; }
    ComPtr<Collection> GetTeams() override { return {}; }
    ComPtr<Collection> Search(InfoTypeEnum, const std::string&, bool, bool) override { return {}; }
    ComPtr<ISettingInfo> GetSettings() override { return {}; }
    bool SaveSettings() override { return false; }
    bool UpdatePlayer(const std::string&, const std::string&, int32_t, int32_t, bool, int32_t&,
                      ComPtr<IPlayerInfo>&, std::string&) override {
        return false;
    }
    bool UpdatePosition(const std::string&, const std::string&, int32_t&, ComPtr<IPositionInfo>&,
                        std::string&) override {
        return false;
    }
    bool UpdateManager(const std::string&, const std::string&, int32_t&, ComPtr<IManagerTmplInfo>&,
                       std::string&) override {
        return false;
    }
    bool UpdatePrize(const std::string&, int32_t, int32_t&, ComPtr<IPrizeTmplInfo>&,
                     std::string&) override {
        return false;
    }
    ComPtr<Collection> GetPrizeTmpls() override { return {}; }
    ComPtr<Collection> GetPrizeTypes() override { return {}; }
    bool AddWinning(ComPtr<IWinningInfo>&) override { return false; }
    bool SaveWinnings() override { return false; }
    bool Delete(InfoTypeEnum, int32_t, std::string&) override { return false; }
};

}  // namespace gr::test
