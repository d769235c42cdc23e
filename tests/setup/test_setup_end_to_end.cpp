// The real services, created by class name from the build's bin folder, on copies of the
// generated databases. Live holds the demo league here so that there is data to change.
#include <gtest/gtest.h>

#include <filesystem>

#include "ComponentFactory.h"
#include "GRServiceUtils.h"
#include "ISetupService.h"
#include "ServiceHost.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

class SetupEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        livePath = dir.File("Gridora - Live.mdb");
        fs::copy_file(fs::path(GRIDORA_SEED_DATABASE_DIR) / "Gridora - Test.mdb", livePath);
        dir.CopyGenerated("Gridora - Test.mdb");
        dir.CopyGenerated("Gridora - Blank.mdb");
        dir.CopyGenerated("Gridora - Setup.mdb");
        gr::host::SetDatabaseFolderOverride(dir.Path().string());
        gr::host::SetTodayProvider(
            [] { return std::chrono::year{2024} / std::chrono::month{6} / 1; });
    }
    void TearDown() override {
        gr::host::SetDatabaseFolderOverride("");
        gr::host::SetTodayProvider(nullptr);
    }

    gr::ComPtr<gr::ISetupService> CreateService() {
        std::string error;
        auto service = gr::CreateObjectAs<gr::ISetupService>("GRSetupSrvc.SetupService", error);
        EXPECT_TRUE(service) << error;
        return service;
    }

    gr::test::TempFolder dir;
    std::string livePath;
};

int32_t CurrentFee(const gr::ComPtr<gr::IDataService>& data) {
    auto season = data->GetCurrentSeasonInfo();
    return season ? season->get_MoneyContribution() : -1;
}

bool SetCurrentFee(const gr::ComPtr<gr::IDataService>& data, int32_t fee) {
    auto season = data->GetCurrentSeasonInfo();
    if (!season) return false;
    season->let_MoneyContribution(fee);
    return data->SaveCurrentSeasonInfo();
}

TEST_F(SetupEndToEndTest, InitializeCreatesTheDataServiceByClassName) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    ASSERT_TRUE(data);
    EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "LIVE");
    EXPECT_GT(data->get_CurrentSeasonID(), 0);
}

TEST_F(SetupEndToEndTest, SwitchingTypeAndInitializingAgainWhileTheHostHoldsTheOldService) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto earlier = service->get_DataService();
    service->get_SetupInfo()->let_DBTypeID(gr::DBTest);
    ASSERT_TRUE(service->Save());
    ASSERT_TRUE(service->Initialize(error)) << error;
    EXPECT_FALSE(gr::IsSameObject(earlier, service->get_DataService()));
    EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "TEST");
    // Back to live, the file the earlier service held: it was let go.
    service->get_SetupInfo()->let_DBTypeID(gr::DBLive);
    ASSERT_TRUE(service->Save());
    ASSERT_TRUE(service->Initialize(error)) << error;
}

TEST_F(SetupEndToEndTest, BackupThenRestoreBringsTheDataBackAsItWas) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    ASSERT_TRUE(SetCurrentFee(data, 111));
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_EQ(CurrentFee(data), 111) << "the service runs on after the backup";
    ASSERT_TRUE(SetCurrentFee(data, 222));
    EXPECT_EQ(CurrentFee(data), 222);

    const std::string backup = dir.File("Gridora - Backup - 20240601 - 01.mdb");
    ASSERT_TRUE(fs::exists(backup));
    ASSERT_TRUE(service->RestoreBackup(backup, error)) << error;
    EXPECT_TRUE(gr::IsSameObject(data, service->get_DataService())) << "same data service";
    EXPECT_EQ(CurrentFee(data), 111);
    // The data replaced by the restore was kept as the next backup of the day.
    ASSERT_TRUE(service->RestoreBackup(dir.File("Gridora - Backup - 20240601 - 02.mdb"), error))
        << error;
    EXPECT_EQ(CurrentFee(data), 222);
}

TEST_F(SetupEndToEndTest, RestoreOfABadFileLeavesTheServiceWorking) {
    const std::string otherKind = dir.File("settings copy.mdb");
    fs::copy_file(dir.File("Gridora - Setup.mdb"), otherKind);
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    const int32_t fee = CurrentFee(data);
    EXPECT_FALSE(service->RestoreBackup(otherKind, error));
    EXPECT_EQ(error, "Invalid backup file.");
    EXPECT_EQ(CurrentFee(data), fee);
    ASSERT_TRUE(SetCurrentFee(data, fee + 1)) << "the database is still open for writing";
}

TEST_F(SetupEndToEndTest, LeagueFileHeldByTheHostMakesInitializeFailWithAMessage) {
    std::unique_ptr<gr::db::Database> held;
    std::string error;
    ASSERT_TRUE(gr::OpenDatabaseFile(livePath, held, error)) << error;
    auto service = CreateService();
    ASSERT_TRUE(service);
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_FALSE(error.empty());
}

TEST_F(SetupEndToEndTest, RestoreWhileTheTestLeagueIsInUseReplacesLiveAndShowsTestStill) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    service->get_SetupInfo()->let_DBTypeID(gr::DBTest);
    ASSERT_TRUE(service->Save());
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    ASSERT_TRUE(SetCurrentFee(data, 333));
    const std::string oldLive = gr::test::ReadBytes(livePath);
    const std::string blank = dir.File("Gridora - Blank.mdb");
    ASSERT_TRUE(service->RestoreBackup(blank, error)) << error;
    EXPECT_EQ(gr::test::ReadBytes(livePath), gr::test::ReadBytes(blank));
    EXPECT_EQ(gr::test::ReadBytes(dir.File("Gridora - Backup - 20240601 - 01.mdb")), oldLive);
    EXPECT_EQ(CurrentFee(data), 333) << "the test league is still the one in use";
    EXPECT_GT(data->GetAllSeasons()->Count(), 1) << "its past seasons are there too";
}

// A backup from before this year's season was made: once restored, the service must not
// hold on to a current season that the restored file does not have.
TEST_F(SetupEndToEndTest, RestoringABackupWithoutTheCurrentSeasonStillGivesASeason) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    data->let_CurrentSeasonYear(2031);
    ASSERT_EQ(data->GetCurrentSeasonInfo()->get_Year(), 2031);
    ASSERT_TRUE(service->RestoreBackup(dir.File("Gridora - Backup - 20240601 - 01.mdb"), error))
        << error;
    auto season = data->GetCurrentSeasonInfo();
    ASSERT_TRUE(season) << "the screens need a season to show";
    EXPECT_NE(season->get_Year(), 2031);
}

}  // namespace

TEST_F(SetupEndToEndTest, RestoreMakesTheBackupsCurrentSeasonCurrentAgain) {
    auto service = CreateService();
    ASSERT_TRUE(service);
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    auto data = service->get_DataService();
    data->let_CurrentSeasonYear(2030);
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    data->let_CurrentSeasonYear(2031);
    ASSERT_EQ(data->GetCurrentSeasonInfo()->get_Year(), 2031);
    ASSERT_TRUE(service->RestoreBackup(dir.File("Gridora - Backup - 20240601 - 01.mdb"), error))
        << error;
    auto season = data->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_Year(), 2030);
}
