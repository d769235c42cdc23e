// Backup and restore of the live league file. Both close the data service's database
// around the copy and always reopen it, whatever happened in between.
#include <stdio.h>
#include <unistd.h>

#include <filesystem>
#include <limits>

#include "AtomicFileCopy.h"
#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SetupService.h"

namespace gr {

namespace {

namespace fs = std::filesystem;

constexpr const char* kReopenFailed = "Error in opening current database.";

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

int32_t NextCounter(int32_t lastCount) {
    if (lastCount < 0) return 1;
    if (lastCount == std::numeric_limits<int32_t>::max()) return lastCount;
    return lastCount + 1;
}

// Any entry of that name, a dangling link or a folder included.
bool NameIsTaken(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string JournalOf(const std::string& database) {
    return database + "-journal";
}

// A write that failed half-way (a damaged page, a full disk) can leave the live file's
// journal behind after the data service let go of it. Opening the file once plays it back,
// so the file that is copied or moved away is whole and no journal outlives its file.
void SettleUnfinishedWrite(const std::string& live) {
    if (!NameIsTaken(JournalOf(live))) return;
    std::unique_ptr<db::Database> settled;
    std::string ignored;
    OpenDatabaseFile(live, settled, ignored);
}

// A journal that could not be played back belongs to the replaced file, now under the kept
// name; beside the restored file it would write the old pages into it.
void MoveJournalAlong(const std::string& live, const std::string& keptLive) {
    if (!NameIsTaken(JournalOf(live))) return;
    if (keptLive.empty() || ::rename(JournalOf(live).c_str(), JournalOf(keptLive).c_str()) != 0)
        ::unlink(JournalOf(live).c_str());
}

// The engine reads every page of a finished copy before it may count as a backup or
// become the live league; a single damaged page refuses it with the refusal text.
setup::CopyCheck WholeFileCheck(const std::string& refusal) {
    return [refusal](const std::string& copy, std::string& errorMessage) {
        std::unique_ptr<db::Database> database;
        std::string fault;
        if (OpenDatabaseFile(copy, database, fault)) fault = database->FindDamage();
        if (fault.empty()) return true;
        errorMessage = refusal + " (" + fault + ").";
        return false;
    };
}

// Copies that a killed backup or restore left under their hidden names are of no use to
// anyone; they would only fill the folder.
void ClearUnfinishedCopies() {
    const std::string folder = GetDatabaseFolder();
    if (!folder.empty()) setup::RemoveUnfinishedCopies(folder, "Gridora - ");
}

}  // namespace

bool SetupService::IsReady(std::string& errMessage) const {
    if (m_oDataService && m_oSetupInfo) return true;
    errMessage = "The setup service is not initialized.";
    return false;
}

bool SetupService::ReopenDataService(bool clearCache, std::string& errMessage) {
    try {
        if (m_oDataService->OpenDatabase(clearCache, errMessage)) return true;
    } catch (...) {
        // Reported below like a refusal.
    }
    errMessage = kReopenFailed;
    return false;
}

// Keeps the failure's own description and adds the reopen failure when there is one.
void SetupService::ReopenAfterFailure(bool clearCache, std::string& errMessage) {
    std::string reopenMessage;
    if (!ReopenDataService(clearCache, reopenMessage)) errMessage += "\n" + reopenMessage;
}

// The name of the next backup of today; its counter comes back in counter. The bookkeeping
// can lag behind the folder (its save failed, the process was killed before it, the setup
// file was reset), so every name already in use is stepped over: a backup never replaces
// an older one.
std::string SetupService::NextBackupPath(const setup::Date& today, int32_t& counter) const {
    const std::string todayText = setup::CompactDate(today);
    const bool sameDay = setup::CompactDate(m_oSetupInfo->get_BackupDate()) == todayText;
    counter = sameDay ? NextCounter(m_oSetupInfo->get_BackupCount()) : 1;
    std::string path = GetDatabaseFilePath(DBBackup, todayText, setup::CounterText(counter));
    while (NameIsTaken(path) && counter < std::numeric_limits<int32_t>::max())
        path = GetDatabaseFilePath(DBBackup, todayText, setup::CounterText(++counter));
    return path;
}

// Counts a backup made today in the setup database. The backup stands even when the
// bookkeeping cannot be written.
void SetupService::RecordBackup(const setup::Date& today, int32_t counter) {
    m_oSetupInfo->let_BackupCount(counter);
    m_oSetupInfo->let_BackupDate(today);
    SaveBackupInfo();
}

// Copies the live file to the next dated backup name and records it in the setup
// database. The data service's database must be closed.
bool SetupService::CopyLiveToNextBackup(std::string& errMessage) {
    const std::string live = GetDatabaseFilePath(DBLive);
    if (!FileExists(live)) {
        errMessage = "Database file: " + live + " is missing.";
        return false;
    }
    SettleUnfinishedWrite(live);
    const setup::Date today = host::Today();
    int32_t counter = 0;
    const std::string backupPath = NextBackupPath(today, counter);
    const auto check = WholeFileCheck("The copy of " + live + " is damaged; no backup was made");
    if (!setup::CopyFileToNewName(live, backupPath, errMessage, check)) return false;
    RecordBackup(today, counter);
    return true;
}

bool SetupService::CreateBackup(std::string& ErrMessage) {
    if (!IsReady(ErrMessage)) return false;
    try {
        m_oDataService->CloseDatabase();
        ClearUnfinishedCopies();
        if (!CopyLiveToNextBackup(ErrMessage)) {
            ReopenAfterFailure(false, ErrMessage);
            return false;
        }
        return ReopenDataService(false, ErrMessage);
    } catch (const std::exception& e) {
        ErrMessage = e.what();
        ReopenAfterFailure(false, ErrMessage);
        return false;
    }
}

// A valid backup opens with the key and has a season table with an id column.
bool SetupService::ValidateBackupFile(const std::string& path, std::string& errMessage) {
    std::unique_ptr<db::Database> backup;
    if (!OpenDatabaseFile(path, backup, errMessage)) {
        if (errMessage.empty()) errMessage = "Unable to open backup file.";
        return false;
    }
    try {
        db::Statement seasons(*backup, "select id from [season info]");
        seasons.Step();
    } catch (...) {
        errMessage = "Invalid backup file.";
        return false;
    }
    return true;
}

// With the data service closed: put the chosen file in place of the live one, which is
// kept as the next dated backup under a name no file has yet. A restored file that the
// data service cannot open is taken back out again, so the service always ends up open on
// a valid file.
bool SetupService::RestoreOverClosedService(const std::string& backupPath,
                                            std::string& errMessage) {
    const std::string live = GetDatabaseFilePath(DBLive);
    SettleUnfinishedWrite(live);
    const setup::Date today = host::Today();
    int32_t counter = 0;
    const std::string keptLive = FileExists(live) ? NextBackupPath(today, counter) : "";
    const auto check =
        WholeFileCheck("The backup file " + backupPath + " is damaged and was not restored");
    if (!setup::ReplaceFileKeepingOld(backupPath, live, keptLive, errMessage, check)) {
        ReopenAfterFailure(false, errMessage);
        return false;
    }
    MoveJournalAlong(live, keptLive);
    if (!keptLive.empty()) RecordBackup(today, counter);
    if (ReopenDataService(true, errMessage)) return true;
    if (!keptLive.empty() && m_oSetupInfo->get_DBTypeID() == DBLive) {
        std::string ignored;
        if (setup::CopyFileAtomically(keptLive, live, ignored)) ReopenDataService(true, ignored);
    }
    errMessage = kReopenFailed;
    return false;
}

bool SetupService::RestoreBackup(const std::string& BackupPath, std::string& ErrMessage) {
    if (!IsReady(ErrMessage)) return false;
    try {
        if (IsSameFile(BackupPath, GetDatabaseFilePath(DBLive))) {
            ErrMessage = "The file " + BackupPath + " is the live database itself.";
            return false;
        }
        if (!ValidateBackupFile(BackupPath, ErrMessage)) return false;
    } catch (const std::exception& e) {
        ErrMessage = e.what();
        return false;
    }
    try {
        m_oDataService->CloseDatabase();
        ClearUnfinishedCopies();
        return RestoreOverClosedService(BackupPath, ErrMessage);
    } catch (const std::exception& e) {
        ErrMessage = e.what();
        ReopenAfterFailure(true, ErrMessage);
        return false;
    }
}

}  // namespace gr
