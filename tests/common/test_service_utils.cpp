#include <gtest/gtest.h>

#include <filesystem>

#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::test::TempFolder;

class ServiceUtilsTest : public ::testing::Test {
  protected:
    void TearDown() override { gr::host::SetDatabaseFolderOverride(""); }
};

TEST(DatabaseFileNameTest, NamesEveryType) {
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBLive), "Gridora - Live.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBTest), "Gridora - Test.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBBlank), "Gridora - Blank.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBSetup), "Gridora - Setup.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBBackup, "20201231", "02"),
              "Gridora - Backup - 20201231 - 02.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(0), "Gridora - .mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(99), "Gridora - .mdb");
}

TEST(DatabaseFileNameTest, BackupWithAnEmptyPartIsTheWildcardPattern) {
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBBackup, "20201231", ""), "Gridora - Backup - *.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBBackup, "", "01"), "Gridora - Backup - *.mdb");
    EXPECT_EQ(gr::GetDatabaseFileName(gr::DBBackup), "Gridora - Backup - *.mdb");
}

TEST(ConnectStringTest, KeyIsThePasswordPart) {
    EXPECT_EQ(gr::GetConnectString(), "MS Access;pwd=kartmu49zq");
    EXPECT_EQ(gr::GetDatabaseKey(), "kartmu49zq");
}

TEST_F(ServiceUtilsTest, DevelopmentBuildFindsTheGeneratedDatabases) {
    const std::string folder = gr::GetDatabaseFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::equivalent(folder, GRIDORA_DATABASE_DIR));
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(gr::GetDatabaseFilePath(gr::DBTest), folder + "/Gridora - Test.mdb");
}

TEST_F(ServiceUtilsTest, OverrideWinsEvenWithoutTheProbeFile) {
    TempFolder dir;
    gr::host::SetDatabaseFolderOverride(dir.Path().string());
    EXPECT_EQ(gr::GetDatabaseFolder(), dir.Path().string());
    EXPECT_EQ(gr::GetDatabaseFilePath(gr::DBBackup, "20240102", "03"),
              dir.File("Gridora - Backup - 20240102 - 03.mdb"));
}

TEST_F(ServiceUtilsTest, MissingFileGivesTheMissingMessage) {
    TempFolder dir;
    gr::host::SetDatabaseFolderOverride(dir.Path().string());
    std::unique_ptr<gr::db::Database> database;
    std::string error;
    EXPECT_FALSE(gr::OpenDatabaseByType(gr::DBSetup, database, error));
    EXPECT_EQ(error, "Database file: " + dir.File("Gridora - Setup.mdb") + " is missing.");
    EXPECT_EQ(database, nullptr);
    EXPECT_FALSE(fs::exists(dir.File("Gridora - Setup.mdb"))) << "an open never creates a file";
}

TEST_F(ServiceUtilsTest, OpensByTypeWithTheKey) {
    TempFolder dir;
    dir.CopyGenerated("Gridora - Blank.mdb");
    gr::host::SetDatabaseFolderOverride(dir.Path().string());
    std::unique_ptr<gr::db::Database> database;
    std::string error;
    ASSERT_TRUE(gr::OpenDatabaseByType(gr::DBBlank, database, error)) << error;
    gr::db::Statement count(*database, "select count(*) as n from [team info]");
    ASSERT_TRUE(count.Step());
    EXPECT_EQ(count.GetLong("n"), 32);
}

TEST_F(ServiceUtilsTest, WrongKeyNonDatabaseAndTruncatedFilesGiveTheEngineMessage) {
    TempFolder dir;
    {
        auto other = gr::db::Database::Create(dir.File("other.mdb"), "another password");
        other->Execute("create table t (x integer)");
    }
    gr::test::WriteBytes(dir.File("text.mdb"), std::string(5000, 'x'));
    const std::string live = gr::test::ReadBytes(dir.CopyGenerated("Gridora - Live.mdb"));
    gr::test::WriteBytes(dir.File("truncated.mdb"), live.substr(0, 3000));
    for (const char* name : {"other.mdb", "text.mdb", "truncated.mdb"}) {
        std::unique_ptr<gr::db::Database> database;
        std::string error;
        bool opened = gr::OpenDatabaseFile(dir.File(name), database, error);
        if (opened) {
            // A truncated file may still open; reading its tables must then fail cleanly.
            EXPECT_ANY_THROW({
                gr::db::Statement q(*database, "select count(*) from [player info]");
                while (q.Step()) {
                }
            }) << name;
            continue;
        }
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(database, nullptr) << name;
    }
}

}  // namespace
