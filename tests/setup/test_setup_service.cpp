#include <filesystem>

#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SetupFixture.h"

namespace {

namespace fs = std::filesystem;
using gr::test::SetupFixture;

using SetupServiceTest = SetupFixture;

TEST_F(SetupServiceTest, InitializeLoadsTheSetupAndInitializesTheDataService) {
    auto service = MakeService();
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
    ASSERT_EQ(fakes.size(), 1u);
    EXPECT_TRUE(gr::IsSameObject(service->get_DataService(), fakes[0]));
    EXPECT_EQ(LastFake().calls, std::vector<std::string>{"Initialize 1"});
    EXPECT_TRUE(LastFake().IsOpen());
}

TEST_F(SetupServiceTest, AnyOtherTypeIsTestButPassedOnUnchanged) {
    for (const char* stored : {"2", "7", "2.5"}) {
        SetSetupColumn("database type", stored);
        auto service = MakeService();
        std::string error;
        service->Initialize(error);  // there is no league file of type 7
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "TEST") << stored;
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeDesc(), "Test") << stored;
    }
    EXPECT_EQ(fakes[1]->calls.front(), "Initialize 7");
    EXPECT_EQ(fakes[2]->calls.front(), "Initialize 2") << "2.5 rounds to the even 2";
}

TEST_F(SetupServiceTest, EmptyOrNonNumericTypeReadsAsZeroAndTheDataServiceRefusesIt) {
    for (const char* stored : {"", "live"}) {
        SetSetupColumn("database type", stored);
        auto service = MakeService();
        std::string error;
        EXPECT_FALSE(service->Initialize(error)) << stored;
        EXPECT_EQ(service->get_SetupInfo()->get_DBTypeID(), 0);
        EXPECT_EQ(LastFake().calls.front(), "Initialize 0");
        EXPECT_NE(error.find("Gridora - .mdb is missing."), std::string::npos) << error;
    }
}

TEST_F(SetupServiceTest, BackupColumnsAreRead) {
    SetSetupColumn("backup date", "2023-11-02");
    SetSetupColumn("backup count", "4");
    auto service = InitializedService();
    EXPECT_EQ(InfoOf(service).get_BackupDate(), std::chrono::year{2023} / 11 / 2);
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 4);
}

TEST_F(SetupServiceTest, MissingSetupFileGivesTheMissingMessage) {
    fs::remove(setupPath);
    auto service = MakeService();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "Database file: " + setupPath + " is missing.");
    EXPECT_TRUE(fakes.empty()) << "no data service is created";
}

TEST_F(SetupServiceTest, UnopenableSetupFilesGiveTheEngineMessage) {
    const std::string good = gr::test::ReadBytes(setupPath);
    const std::string live = gr::test::ReadBytes(livePath);
    const std::string cases[] = {std::string(4096, 'z'), live.substr(0, 1500)};
    for (const std::string& bytes : cases) {
        gr::test::WriteBytes(setupPath, bytes);
        auto service = MakeService();
        std::string error;
        EXPECT_FALSE(service->Initialize(error));
        EXPECT_FALSE(error.empty());
    }
    fs::remove(setupPath);
    { gr::db::Database::Create(setupPath, "wrong password")->Execute("create table x (a)"); }
    auto service = MakeService();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "file is encrypted or is not a database");
    EXPECT_TRUE(fakes.empty());
    gr::test::WriteBytes(setupPath, good);
}

TEST_F(SetupServiceTest, SetupFileHeldElsewhereIsRefusedWithAClearMessage) {
    gr::db::Database held(setupPath, gr::GetDatabaseKey());
    auto service = MakeService();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_NE(error.find("locked"), std::string::npos) << error;
}

TEST_F(SetupServiceTest, NoRowOneLeavesTheMessageEmpty) {
    {
        gr::db::Database setup(setupPath, gr::GetDatabaseKey());
        setup.Execute("delete from [settings]");
    }
    auto service = MakeService();
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(service->get_SetupInfo());
    EXPECT_TRUE(fakes.empty());
    EXPECT_FALSE(service->Save());
}

TEST_F(SetupServiceTest, DataServiceThatCannotBeCreatedLeavesTheMessageEmpty) {
    auto service = gr::MakeCom<gr::SetupService>([] { return gr::ComPtr<gr::IDataService>(); });
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(service->get_SetupInfo()) << "the setup information is loaded all the same";
}

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
    auto service = gr::MakeCom<gr::SetupService>([this] {
        fakes.push_back(gr::MakeCom<gr::test::FakeDataService>());
        fakes.back()->initializeResult = false;
        fakes.back()->initializeMessage = "Error in opening database.";
        return gr::ComPtr<gr::IDataService>(fakes.back());
    });
    std::string error;
    EXPECT_FALSE(service->Initialize(error));
    EXPECT_EQ(error, "Error in opening database.");
}

TEST_F(SetupServiceTest, SecondInitializeReopensAndReplacesEverything) {
    auto service = InitializedService();
    auto firstInfo = service->get_SetupInfo();
    service->get_SetupInfo()->let_DBTypeID(gr::DBTest);
    ASSERT_TRUE(service->Save());
    std::string error;
    ASSERT_TRUE(service->Initialize(error)) << error;
    ASSERT_EQ(fakes.size(), 2u);
    EXPECT_EQ(fakes[0]->calls.back(), "Close") << "the earlier service lets go of its file";
    EXPECT_FALSE(fakes[0]->IsOpen());
    EXPECT_TRUE(gr::IsSameObject(service->get_DataService(), fakes[1]));
    EXPECT_FALSE(gr::IsSameObject(service->get_SetupInfo(), firstInfo));
    EXPECT_EQ(service->get_SetupInfo()->get_DBTypeKey(), "TEST");
    EXPECT_EQ(fakes[1]->calls.front(), "Initialize 2");
}

TEST_F(SetupServiceTest, SecondInitializeOnTheSameLeagueFileSucceeds) {
    auto service = InitializedService();
    std::string error;
    EXPECT_TRUE(service->Initialize(error)) << error;
    EXPECT_TRUE(LastFake().IsOpen());
}

TEST_F(SetupServiceTest, SaveWritesOnlyTheDatabaseType) {
    SetSetupColumn("backup date", "2023-11-02");
    SetSetupColumn("backup count", "4");
    {
        auto service = InitializedService();
        service->get_SetupInfo()->let_DBTypeID(gr::DBBlank);
        EXPECT_TRUE(service->Save());
    }
    fakes.clear();
    EXPECT_EQ(SetupColumn("database type"), "3");
    EXPECT_EQ(SetupColumn("backup date"), "2023-11-02");
    EXPECT_EQ(SetupColumn("backup count"), "4");
}

TEST_F(SetupServiceTest, SaveBeforeInitializeFails) {
    auto service = MakeService();
    EXPECT_FALSE(service->Save());
}

TEST_F(SetupServiceTest, ReleasingTheServiceClosesTheSetupFile) {
    { auto service = InitializedService(); }
    EXPECT_NO_THROW(gr::db::Database(setupPath, gr::GetDatabaseKey()));
}

}  // namespace
