#include <filesystem>

#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SetupFixture.h"

namespace {

namespace fs = std::filesystem;
using gr::test::SetupFixture;

using SetupServiceTest = SetupFixture;

TEST_F(SetupServiceTest, InitializeLoadsTheSetupAndInitializesTheDataService) {
    auto service = gr::MakeCom<gr::SetupService>();
    EXPECT_FALSE(service->get_SetupInfo());
    EXPECT_FALSE(service->get_DataService());
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    EXPECT_EQ(error, "");
    auto info = service->get_SetupInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->get_DBTypeID(), 1);
    EXPECT_EQ(info->get_DBTypeKey(), "LIVE");
    EXPECT_EQ(info->get_DBTypeDesc(), "Live");
    EXPECT_EQ(info->get_DefaultDBPath(), dir.Path().string());
    EXPECT_EQ(info->get_GeneralBackupDBName(), "Gridora - Backup - *.mdb");
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 0);
    EXPECT_EQ(InfoOf(service).get_BackupDate(), gr::setup::ZeroDate());
    ASSERT_TRUE(service->get_DataService());
    EXPECT_TRUE(IsHeld(livePath)) << "the data service opened the live league";
    EXPECT_FALSE(IsHeld(testPath));
}

TEST_F(SetupServiceTest, AnyOtherTypeIsTestButPassedOnUnchanged) {
    for (const char* stored : {"2", "7", "2.5"}) {
        SetSetupColumn("database type", stored);
        auto service = gr::MakeCom<gr::SetupService>();
        std::string error;
        const bool started = service->Initialize(error);
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "TEST") << stored;
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeDesc(), "Test") << stored;
        if (std::string(stored) == "7") {
            // Type 7 reaches the data service as it is: it has no file name of its own.
            EXPECT_FALSE(started);
            EXPECT_EQ(error, "Database file: " + dir.File("Gridora - .mdb") + " is missing.");
        } else {
            EXPECT_TRUE(started) << error;
            EXPECT_TRUE(IsHeld(testPath)) << stored << " (2.5 rounds to the even 2)";
        }
    }
}

TEST_F(SetupServiceTest, EmptyOrNonNumericTypeReadsAsZeroAndTheDataServiceRefusesIt) {
    for (const char* stored : {"", "live"}) {
        SetSetupColumn("database type", stored);
        auto service = gr::MakeCom<gr::SetupService>();
        std::string error;
        EXPECT_FALSE(service->Initialize(error)) << stored;
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeID(), 0);
        EXPECT_NE(error.find("Gridora - .mdb is missing."), std::string::npos) << error;
    }
}

TEST_F(SetupServiceTest, BackupColumnsAreRead) {
    SetSetupColumn("backup date", "2023-11-02");
    SetSetupColumn("backup count", "4");
    auto service = RealService();
    EXPECT_EQ(InfoOf(service).get_BackupDate(), std::chrono::year{2023} / 11 / 2);
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 4);
}

TEST_F(SetupServiceTest, MissingSetupFileGivesTheMissingMessage) {
    fs::remove(setupPath);
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "Database file: " + setupPath + " is missing.");
    EXPECT_FALSE(service->get_DataService()) << "no data service is created";
}

TEST_F(SetupServiceTest, UnopenableSetupFilesGiveTheEngineMessage) {
    const std::string good = gr::test::ReadBytes(setupPath);
    const std::string live = gr::test::ReadBytes(livePath);
    const std::string cases[] = {std::string(4096, 'z'), live.substr(0, 1500)};
    for (const std::string& bytes : cases) {
        gr::test::WriteBytes(setupPath, bytes);
        auto service = gr::MakeCom<gr::SetupService>();
        std::string error;
        EXPECT_FALSE(service->Initialize(error));
        EXPECT_FALSE(error.empty());
    }
    fs::remove(setupPath);
    { gr::db::Database::Create(setupPath, "wrong password")->Execute("create table x (a)"); }
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "file is encrypted or is not a database");
    EXPECT_FALSE(service->get_DataService());
    gr::test::WriteBytes(setupPath, good);
}

TEST_F(SetupServiceTest, SetupFileHeldElsewhereIsRefusedWithAClearMessage) {
    gr::db::Database held(setupPath, gr::GetDatabaseKey());
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_NE(error.find("locked"), std::string::npos) << error;
}

TEST_F(SetupServiceTest, NoRowOneLeavesTheMessageEmpty) {
    {
        gr::db::Database setup(setupPath, gr::GetDatabaseKey());
        setup.Execute("delete from [settings]");
    }
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(service->get_SetupInfo());
    EXPECT_FALSE(service->get_DataService());
    EXPECT_FALSE(service->Save());
}

TEST_F(SetupServiceTest, DataServiceThatCannotBeCreatedLeavesTheMessageEmpty) {
    auto service = gr::MakeCom<gr::SetupService>([] { return gr::ComPtr<gr::IDataService>(); });
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(service->get_SetupInfo()) << "the setup information is loaded all the same";
}

// The real data service always says why it failed, so a stand-in stays silent here.
TEST_F(SetupServiceTest, DataServiceFailureWithoutMessageGetsTheGeneralOne) {
    auto service = gr::MakeCom<gr::SetupService>([this] {
        fakes.push_back(gr::MakeCom<gr::test::FakeDataService>());
        fakes.back()->initializeResult = false;
        return gr::ComPtr<gr::IDataService>(fakes.back());
    });
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "Error in initializing Gridora Data Service.");
}

TEST_F(SetupServiceTest, DataServiceFailureWithMessagePassesItOn) {
    fs::remove(livePath);
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "Database file: " + livePath + " is missing.");
}

TEST_F(SetupServiceTest, SecondInitializeReopensAndReplacesEverything) {
    auto service = RealService();
    auto firstInfo = service->get_SetupInfo();
    auto firstData = service->get_DataService();
    service->get_SetupInfo()->let_DBTypeID(gr::DBTest);
    ASSERT_TRUE(service->Save());
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    EXPECT_FALSE(IsHeld(livePath)) << "the earlier service lets go of its file";
    EXPECT_TRUE(IsHeld(testPath));
    EXPECT_FALSE(gr::IsSameObject(service->get_DataService(), firstData));
    EXPECT_FALSE(gr::IsSameObject(service->get_SetupInfo(), firstInfo));
    EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "TEST");
}

TEST_F(SetupServiceTest, SecondInitializeOnTheSameLeagueFileSucceeds) {
    auto service = RealService();
    std::string error;
    EXPECT_TRUE(service->Initialize(error)) << error;
    EXPECT_TRUE(IsHeld(livePath));
}

TEST_F(SetupServiceTest, SaveWritesOnlyTheDatabaseType) {
    SetSetupColumn("backup date", "2023-11-02");
    SetSetupColumn("backup count", "4");
    {
        auto service = RealService();
        service->get_SetupInfo()->let_DBTypeID(gr::DBBlank);
        EXPECT_TRUE(service->Save());
    }
    EXPECT_EQ(SetupColumn("database type"), "3");
    EXPECT_EQ(SetupColumn("backup date"), "2023-11-02");
    EXPECT_EQ(SetupColumn("backup count"), "4");
}

TEST_F(SetupServiceTest, SaveBeforeInitializeFails) {
    auto service = gr::MakeCom<gr::SetupService>();
    EXPECT_FALSE(service->Save());
}

TEST_F(SetupServiceTest, ReleasingTheServiceClosesTheSetupFile) {
    { auto service = RealService(); }
    EXPECT_NO_THROW(gr::db::Database(setupPath, gr::GetDatabaseKey()));
}

}  // namespace
