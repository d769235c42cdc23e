// A private copy of the league file in use, for a batch of catalogue writes that must land
// all together. The data service is moved onto the copy, and the copy replaces the league
// file in one rename only when every write succeeded; otherwise it is thrown away. Meanwhile
// the league file stays locked, so the program cannot open it and write what the rename
// would then throw away.
#pragma once

#include <filesystem>
#include <string>

#include "ISetupService.h"

namespace gr::admin {

class WorkingCopy {
  public:
    WorkingCopy(ISetupService& setup, IDataService& data);
    // Puts the service back on the untouched league file when Commit was not reached.
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    // Copies the league file into a scratch folder (in memory where the system offers one,
    // so the many small writes cost no disk syncs) and reopens the data service there.
    bool Begin(std::string& errorMessage);
    // Puts the copy in place of the league file and reopens the service on it.
    bool Commit(std::string& errorMessage);

  private:
    void Rollback();
    bool ReopenOnLeagueFolder(bool clearCache, std::string& errorMessage);
    void RemoveScratch();
    // Takes the database engine's own lock bytes of the league file, as a writer holds
    // them; another process opening the file then gets "database is locked".
    bool LockLeagueFile(std::string& errorMessage);
    void UnlockLeagueFile();
    // Copies the locked league file through its lock's descriptor: closing any other
    // descriptor of the file would drop the lock.
    bool CopyLockedLeagueFile(const std::filesystem::path& target, std::string& errorMessage);

    ISetupService& m_setup;
    IDataService& m_data;
    std::string m_folderOverride;  // the host's choice, restored after the copy
    std::filesystem::path m_leagueFile;
    std::filesystem::path m_scratchFolder;
    bool m_active = false;
    int m_lockFd = -1;  // open on the league file while it is locked
};

}  // namespace gr::admin
