#include "WorkingCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "BackupFiles.h"
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

// The file's bytes reach the disk before it is renamed over the league file, so that a
// crash leaves either the old league or the new one, never half of one.
bool SyncFile(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

bool ReplaceAtomically(const fs::path& source, const fs::path& target, std::string& error) {
    fs::path temporary = target;
    temporary += ".importing";
    std::error_code ec;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec && !SyncFile(temporary)) ec = std::make_error_code(std::errc::io_error);
    if (!ec) fs::rename(temporary, target, ec);
    if (!ec) return true;
    error = "Cannot write " + target.string() + ": " + ec.message() + ". It is unchanged.";
    fs::remove(temporary, ec);
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
    std::error_code ec;
    fs::copy_file(m_leagueFile, m_scratchFolder / name, ec);
    if (ec) {
        errorMessage = "Cannot copy " + m_leagueFile.string() + ": " + ec.message() + ".";
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
    std::string ignored;
    // The caches hold what was written to the copy, which is gone.
    ReopenOnLeagueFolder(true, ignored);
    RemoveScratch();
}

bool WorkingCopy::ReopenOnLeagueFolder(bool clearCache, std::string& errorMessage) {
    host::SetDatabaseFolderOverride(m_folderOverride);
    return m_data.OpenDatabase(clearCache, errorMessage);
}

void WorkingCopy::RemoveScratch() {
    std::error_code ec;
    fs::remove_all(m_scratchFolder, ec);
}

}  // namespace gr::admin
