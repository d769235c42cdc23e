#include "WorkingCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

#include "BackupFiles.h"
#include "OutputFile.h"
#include "ServiceHost.h"

namespace gr::admin {

namespace {

namespace fs = std::filesystem;

fs::path ScratchRoot() {
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path(ec);
}

bool MakeScratchFolder(fs::path& folder) {
    std::string pattern = (ScratchRoot() / "gridora-admin-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return false;
    folder = pattern;
    return true;
}

// Where the database engine takes its locks: the pending byte at 1 GiB, then the reserved
// byte and the shared range behind it.
constexpr off_t kLockBytesStart = 0x40000000;
constexpr off_t kLockBytesLength = 2 + 510;

// Copies the file's bytes into out; false when the file cannot be read (a write that failed
// is out's to report).
bool CopyInto(const fs::path& source, OutputFile& out) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    std::array<char, 1 << 16> buffer{};
    ssize_t got = 0;
    while ((got = read(in, buffer.data(), buffer.size())) > 0 &&
           out.Write({buffer.data(), static_cast<size_t>(got)})) {
    }
    close(in);
    return got >= 0;
}

// The league file is the organiser's alone (0600), whatever the mode of the file it replaces.
// It is complete on disk before it is renamed over the league, so a crash leaves the old
// league or the new one, never half of one.
bool ReplaceAtomically(const fs::path& source, const fs::path& target, std::string& error) {
    OutputFile out(target, FileAccess::OwnerOnly);
    if (out.Open(error)) {
        if (!CopyInto(source, out))
            error = "Cannot read " + source.string() + ".";
        else if (out.Commit(error))
            return true;
    }
    error += " " + target.filename().string() + " is unchanged.";
    return false;
}

}  // namespace

WorkingCopy::WorkingCopy(ISetupService& setup, IDataService& data) : m_setup(setup), m_data(data) {}

WorkingCopy::~WorkingCopy() {
    if (m_active) Rollback();
}

bool WorkingCopy::Begin(std::string& errorMessage) {
    const ComPtr<ISetupInfo> info = m_setup.get_SetupInfo();
    const std::string name = info ? LeagueFileName(info->get_DBTypeID()) : std::string();
    if (name.empty()) {
        errorMessage = "The database type in use is unknown.";
        return false;
    }
    m_leagueFile = fs::path(info->get_DefaultDBPath()) / name;
    if (!MakeScratchFolder(m_scratchFolder)) {
        errorMessage = "Cannot make a scratch folder in " + ScratchRoot().string() + ".";
        return false;
    }
    m_folderOverride = host::DatabaseFolderOverride();
    m_data.CloseDatabase();
    m_active = true;
    if (!LockLeagueFile(errorMessage) ||
        !CopyLockedLeagueFile(m_scratchFolder / name, errorMessage)) {
        Rollback();
        return false;
    }
    // The copy holds what the caches hold, so they stay.
    host::SetDatabaseFolderOverride(m_scratchFolder.string());
    if (!m_data.OpenDatabase(false, errorMessage)) {
        Rollback();
        return false;
    }
    return true;
}

bool WorkingCopy::Commit(std::string& errorMessage) {
    m_data.CloseDatabase();
    if (!ReplaceAtomically(m_scratchFolder / m_leagueFile.filename(), m_leagueFile, errorMessage)) {
        Rollback();
        return false;
    }
    m_active = false;
    UnlockLeagueFile();
    RemoveScratch();
    // The caches now describe the league file itself.
    std::string why;
    if (ReopenOnLeagueFolder(false, why)) return true;
    errorMessage = "The changes were stored, but the database could not be opened again: " + why;
    return false;
}

void WorkingCopy::Rollback() {
    m_active = false;
    m_data.CloseDatabase();
    UnlockLeagueFile();
    std::string ignored;
    // The caches hold what was written to the copy, which is gone.
    ReopenOnLeagueFolder(true, ignored);
    RemoveScratch();
}

bool WorkingCopy::ReopenOnLeagueFolder(bool clearCache, std::string& errorMessage) {
    host::SetDatabaseFolderOverride(m_folderOverride);
    return m_data.OpenDatabase(clearCache, errorMessage);
}

bool WorkingCopy::LockLeagueFile(std::string& errorMessage) {
    m_lockFd = open(m_leagueFile.c_str(), O_RDWR | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kLockBytesStart;
    lock.l_len = kLockBytesLength;
    if (m_lockFd >= 0 && fcntl(m_lockFd, F_SETLK, &lock) == 0) return true;
    errorMessage = "Cannot lock " + m_leagueFile.string() +
                   (m_lockFd < 0 ? ": it cannot be opened." : ": another program is using it.");
    UnlockLeagueFile();
    return false;
}

void WorkingCopy::UnlockLeagueFile() {
    if (m_lockFd >= 0) close(m_lockFd);
    m_lockFd = -1;
}

bool WorkingCopy::CopyLockedLeagueFile(const fs::path& target, std::string& errorMessage) {
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool copied = out >= 0;
    char buffer[1 << 16];
    for (off_t offset = 0; copied;) {
        const ssize_t got = pread(m_lockFd, buffer, sizeof buffer, offset);
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        copied = WriteAll(out, buffer, static_cast<size_t>(got));
        offset += got;
    }
    if (out >= 0 && close(out) != 0) copied = false;
    if (!copied) errorMessage = "Cannot copy " + m_leagueFile.string() + ".";
    return copied;
}

void WorkingCopy::RemoveScratch() {
    std::error_code ec;
    fs::remove_all(m_scratchFolder, ec);
}

}  // namespace gr::admin
