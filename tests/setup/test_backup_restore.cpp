#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "GRServiceUtils.h"
#include "SetupFixture.h"

namespace {

namespace fs = std::filesystem;
using gr::test::ReadBytes;
using gr::test::SetupFixture;
using gr::test::WriteBytes;

using BackupTest = SetupFixture;
using RestoreTest = SetupFixture;

TEST_F(BackupTest, TwoBackupsOnOneDayThenTheNextDayStartsAgain) {
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    SetToday(2024, 3, 16);
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_EQ(FilesStartingWith("Gridora - Backup"),
              (std::vector<std::string>{"Gridora - Backup - 20240315 - 01.mdb",
                                        "Gridora - Backup - 20240315 - 02.mdb",
                                        "Gridora - Backup - 20240316 - 01.mdb"}));
    EXPECT_EQ(ReadBytes(BackupPath("20240316", "01")), ReadBytes(livePath));
    EXPECT_TRUE(IsHeld(livePath)) << "the data service runs on";
    service = nullptr;
    EXPECT_EQ(SetupColumn("backup date"), "2024-03-16");
    EXPECT_EQ(SetupColumn("backup count"), "1");
    EXPECT_EQ(SetupColumn("database type"), "1");
}

TEST_F(BackupTest, CounterContinuesFromTheStoredCountOfToday) {
    SetSetupColumn("backup date", "2024-03-15");
    SetSetupColumn("backup count", "99");
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_TRUE(fs::exists(BackupPath("20240315", "100")));
}

TEST_F(BackupTest, UnreadableBackupDateGivesCounterOne) {
    for (const char* stored : {"", "not a date", "2024-02-31"}) {
        SetSetupColumn("backup date", stored);
        SetSetupColumn("backup count", "5");
        auto service = RealService();
        std::string error;
        ASSERT_TRUE(service->CreateBackup(error)) << error;
        EXPECT_TRUE(fs::exists(BackupPath("20240315", "01"))) << stored;
        fs::remove(BackupPath("20240315", "01"));
        service = nullptr;
    }
}

TEST_F(BackupTest, BackupWhileTheTestDatabaseIsInUseCopiesTheLiveFile) {
    SetSetupColumn("database type", "2");
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), ReadBytes(livePath));
    EXPECT_NE(ReadBytes(BackupPath("20240315", "01")), ReadBytes(testPath));
    EXPECT_TRUE(IsHeld(testPath)) << "the test league stays in use";
    EXPECT_FALSE(IsHeld(livePath));
}

// A file under today's next name is an older backup that the bookkeeping does not know
// of: it stays, and the backup takes the next free name.
TEST_F(BackupTest, ExistingBackupOfTodaysNameIsKeptAndTheNextNameTaken) {
    WriteBytes(BackupPath("20240315", "01"), "older");
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), "older");
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "02")), ReadBytes(livePath));
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 2);
}

// A backup killed half-way left its hidden copy; the next backup clears it away.
TEST_F(BackupTest, CopiesLeftByAKilledBackupAreCleared) {
    WriteBytes(dir.File(".Gridora - Backup - 20240314 - 01.mdb.q1W2e3"), "half a copy");
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_TRUE(FilesStartingWith(".").empty());
}

// A restore keeps the replaced live league as backup 01; the bookkeeping of it is lost (a
// reset setup file). The next backup must not overwrite the only copy of that league.
TEST_F(BackupTest, BackupAfterLostBookkeepingKeepsTheLeagueARestoreReplaced) {
    const std::string replacedLive = ReadBytes(livePath);
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(testPath, error)) << error;
    service = nullptr;
    SetSetupColumn("backup date", "");
    SetSetupColumn("backup count", "0");
    service = RealService();
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), replacedLive);
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "02")), ReadBytes(testPath));
}

TEST_F(BackupTest, MissingLiveFileFailsAndTheServiceIsReopened) {
    SetSetupColumn("database type", "2");
    auto service = RealService();
    fs::remove(livePath);
    std::string error;
    EXPECT_FALSE(service->CreateBackup(error));
    EXPECT_EQ(error, "Database file: " + livePath + " is missing.");
    EXPECT_TRUE(FilesStartingWith("Gridora - Backup").empty());
    EXPECT_TRUE(IsHeld(testPath));
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 0) << "nothing is counted";
}

// A sound copy that the data service then cannot reopen: the real one reopens whatever
// passed the copy's check, so a stand-in refuses here.
TEST_F(BackupTest, ReopenFailureGivesItsMessage) {
    auto service = InitializedService();
    LastFake().refuseOpen = true;
    std::string error;
    EXPECT_FALSE(service->CreateBackup(error));
    EXPECT_EQ(error, "Error in opening current database.");
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), ReadBytes(livePath));
}

// The live file is swapped for a damaged one while the data service holds the old one:
// its copy fails the check, so no backup is counted, and the reopen fails too.
TEST_F(BackupTest, DamagedLiveFileIsNotBackedUp) {
    auto service = RealService();
    WriteBytes(dir.File("damaged"), std::string(8192, 'd'));
    fs::rename(dir.File("damaged"), livePath);
    std::string error;
    EXPECT_FALSE(service->CreateBackup(error));
    EXPECT_EQ(error, "The copy of " + livePath +
                         " is damaged; no backup was made (file is encrypted or is not a "
                         "database).\nError in opening current database.");
    EXPECT_TRUE(FilesStartingWith("Gridora - Backup").empty());
    EXPECT_TRUE(FilesStartingWith(".").empty()) << "no temporary file is left";
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 0) << "nothing is counted";
}

TEST_F(BackupTest, BeforeInitializeFailsWithAMessage) {
    auto service = gr::MakeCom<gr::SetupService>();
    std::string error;
    EXPECT_FALSE(service->CreateBackup(error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(service->RestoreBackup(testPath, error));
    EXPECT_FALSE(error.empty());
}

// The disk fills up during the copy: in a child process with a file size limit below the
// live file's size, the backup fails, leaves no partial file and reopens the service.
TEST_F(BackupTest, CopyFailureLeavesNoPartialBackup) {
    const auto liveSize = static_cast<rlim_t>(fs::file_size(livePath));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto service = gr::MakeCom<gr::SetupService>();
        std::string error;
        if (!service->Initialize(error)) _exit(10);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{liveSize / 2, liveSize / 2};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool backedUp = service->CreateBackup(error);
        _exit(backedUp ? 0 : (IsHeld(livePath) && !error.empty() ? 1 : 2));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename().string().find("Backup"), std::string::npos)
            << entry.path();
}

TEST_F(RestoreTest, RestoreReplacesTheLiveFileAndKeepsTheOldOneAsABackup) {
    const std::string oldLive = ReadBytes(livePath);
    auto service = RealService();
    auto data = service->get_DataService();
    EXPECT_EQ(data->GetAllSeasons()->Count(), 0) << "live is the blank league here";
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(testPath, error)) << error;
    EXPECT_EQ(ReadBytes(livePath), ReadBytes(testPath));
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), oldLive);
    EXPECT_TRUE(IsHeld(livePath));
    EXPECT_EQ(data->GetAllSeasons()->Count(), SeasonCount(testPath))
        << "the next reads come from the restored file";
    EXPECT_GT(data->GetAllSeasons()->Count(), 0);
    // The kept copy counts as a backup: the next one does not overwrite it.
    ASSERT_TRUE(service->CreateBackup(error)) << error;
    EXPECT_TRUE(fs::exists(BackupPath("20240315", "02")));
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "01")), oldLive);
}

TEST_F(RestoreTest, RestoreWhileTestIsInUseReplacesLiveAndTheServiceStaysOnTest) {
    SetSetupColumn("database type", "2");
    const std::string backup = dir.File("chosen.mdb");
    fs::copy_file(testPath, backup);
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(backup, error)) << error;
    EXPECT_EQ(ReadBytes(livePath), ReadBytes(backup));
    EXPECT_TRUE(IsHeld(testPath)) << "the test league stays in use";
    EXPECT_FALSE(IsHeld(livePath));
}

struct BadRestore {
    const char* name;
    std::string expected;  // empty: any message
};

TEST_F(RestoreTest, BadBackupFilesAreRefusedAndNothingChanges) {
    auto service = RealService();
    const std::string liveBefore = ReadBytes(livePath);
    WriteBytes(dir.File("text.mdb"), std::string(8192, 't'));
    WriteBytes(dir.File("empty.mdb"), "");
    { gr::db::Database::Create(dir.File("other.mdb"), "other")->Execute("create table a (b)"); }
    fs::copy_file(setupPath, dir.File("setup copy.mdb"));
    {
        gr::db::Database::Create(dir.File("noid.mdb"), gr::GetDatabaseKey())
            ->Execute("create table [season info] ([year] integer)");
    }
    const BadRestore cases[] = {
        {"missing.mdb", "Database file: " + dir.File("missing.mdb") + " is missing."},
        {"text.mdb", "file is encrypted or is not a database"},
        {"other.mdb", "file is encrypted or is not a database"},
        {"empty.mdb", "Invalid backup file."},
        {"setup copy.mdb", "Invalid backup file."},
        {"noid.mdb", "Invalid backup file."},
        {"Gridora - Live.mdb", ""},
    };
    for (const BadRestore& bad : cases) {
        std::string error;
        EXPECT_FALSE(service->RestoreBackup(dir.File(bad.name), error)) << bad.name;
        if (bad.expected.empty())
            EXPECT_FALSE(error.empty()) << bad.name;
        else
            EXPECT_EQ(error, bad.expected) << bad.name;
    }
    EXPECT_EQ(ReadBytes(livePath), liveBefore);
    EXPECT_TRUE(IsHeld(livePath)) << "the data service stays open on it";
    EXPECT_TRUE(FilesStartingWith("Gridora - Backup").empty());
}

TEST_F(RestoreTest, LiveFileItselfIsRefusedEvenWhenNotInUse) {
    SetSetupColumn("database type", "2");
    auto service = RealService();
    std::string error;
    EXPECT_FALSE(service->RestoreBackup(livePath, error));
    EXPECT_NE(error.find("live database"), std::string::npos) << error;
    EXPECT_TRUE(FilesStartingWith("Gridora - Backup").empty());
}

TEST_F(RestoreTest, PathWithQuotesAndNonAsciiCharactersWorks) {
    const std::string backup = dir.File("O'Brien \"Zoë\" – Sicherung.mdb");
    fs::copy_file(testPath, backup);
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(backup, error)) << error;
    EXPECT_EQ(ReadBytes(livePath), ReadBytes(testPath));
}

// A restored file that passed the check and still cannot be opened by the data service
// cannot be made with the real one, so a stand-in refuses the reopen here.
TEST_F(RestoreTest, ReopenFailurePutsThePreviousLiveFileBack) {
    const std::string oldLive = ReadBytes(livePath);
    auto service = InitializedService();
    LastFake().refuseOpen = true;
    std::string error;
    EXPECT_FALSE(service->RestoreBackup(testPath, error));
    EXPECT_EQ(error, "Error in opening current database.");
    EXPECT_EQ(ReadBytes(livePath), oldLive);
    LastFake().refuseOpen = false;
    ASSERT_TRUE(LastFake().OpenDatabase(false, error)) << error;
}

// The disk fills up while the chosen file is copied over the live one: the limit lets
// the safety copy of the (smaller) live file through but not the larger backup.
TEST_F(RestoreTest, CopyFailureLeavesTheLiveFileIntactAndReadable) {
    const std::string oldLive = ReadBytes(livePath);
    const auto liveSize = static_cast<rlim_t>(oldLive.size());
    ASSERT_LT(liveSize * 3 / 2, static_cast<rlim_t>(fs::file_size(testPath)));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto service = gr::MakeCom<gr::SetupService>();
        std::string error;
        if (!service->Initialize(error)) _exit(10);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{liveSize * 3 / 2, liveSize * 3 / 2};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool restored = service->RestoreBackup(testPath, error);
        _exit(restored ? 0 : (IsHeld(livePath) && !error.empty() ? 1 : 2));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadBytes(livePath), oldLive);
    gr::db::Database live(livePath, gr::GetDatabaseKey());
    gr::db::Statement check(live, "pragma integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.GetText(0), "ok");
}

// The bookkeeping says one backup today while the folder holds a second one (its count
// could not be written); restoring that second one keeps the live file as the third.
TEST_F(RestoreTest, RestoringTodaysNextNumberedBackupDoesNotOverwriteIt) {
    SetSetupColumn("backup date", "2024-03-15");
    SetSetupColumn("backup count", "1");
    const std::string chosen = BackupPath("20240315", "02");
    fs::copy_file(testPath, chosen);
    const std::string oldLive = ReadBytes(livePath);
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(chosen, error)) << error;
    EXPECT_EQ(ReadBytes(livePath), ReadBytes(testPath));
    EXPECT_EQ(ReadBytes(chosen), ReadBytes(testPath)) << "the chosen backup stays as it was";
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "03")), oldLive);
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 3);
}

// The bookkeeping lags behind the folder (a reset setup file): it counts no backup today
// while 01 and 02 exist. Restoring 01 keeps both as they were and the replaced live data
// goes to a new name.
TEST_F(RestoreTest, StaleBookkeepingNeverOverwritesAnExistingBackup) {
    SetSetupColumn("backup date", "");
    SetSetupColumn("backup count", "0");
    const std::string first = BackupPath("20240315", "01");
    const std::string second = BackupPath("20240315", "02");
    fs::copy_file(testPath, first);
    fs::copy_file(dir.File("Gridora - Blank.mdb"), second);
    { gr::db::Database(second, gr::GetDatabaseKey()).Execute("create table marker (a)"); }
    const std::string firstBytes = ReadBytes(first);
    const std::string secondBytes = ReadBytes(second);
    const std::string oldLive = ReadBytes(livePath);
    auto service = RealService();
    std::string error;
    ASSERT_TRUE(service->RestoreBackup(first, error)) << error;
    EXPECT_EQ(ReadBytes(livePath), firstBytes);
    EXPECT_EQ(ReadBytes(first), firstBytes);
    EXPECT_EQ(ReadBytes(second), secondBytes);
    EXPECT_EQ(ReadBytes(BackupPath("20240315", "03")), oldLive);
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 3);
}

TEST_F(BackupTest, ReadOnlyFolderFailsWithAMessageAndTheServiceIsReopened) {
    auto service = RealService();
    // Immutable even for root; a plain read-only mode where that is not allowed.
    const std::string folder = dir.Path().string();
    const bool immutable = std::system(("chattr +i '" + folder + "' 2>/dev/null").c_str()) == 0;
    if (!immutable) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    struct Restore {
        std::string folder;
        bool immutable;
        ~Restore() {
            if (immutable) (void)std::system(("chattr -i '" + folder + "'").c_str());
            fs::permissions(folder, fs::perms::owner_all);
        }
    } restore{folder, immutable};
    if (!immutable && geteuid() == 0) GTEST_SKIP() << "cannot make a folder read-only for root";
    std::string error;
    EXPECT_FALSE(service->CreateBackup(error));
    EXPECT_NE(error.find(folder), std::string::npos) << error;
    EXPECT_TRUE(FilesStartingWith("Gridora - Backup").empty());
    EXPECT_TRUE(FilesStartingWith(".").empty()) << "no temporary file is left";
    EXPECT_TRUE(IsHeld(livePath));
    EXPECT_EQ(InfoOf(service).get_BackupCount(), 0) << "nothing is counted";
}

}  // namespace
