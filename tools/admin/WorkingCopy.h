// A private copy of the league file in use, for a batch of catalogue writes that must land
// all together. The data service is moved onto the copy, and the copy replaces the league
// file in one rename only when every write succeeded; otherwise it is thrown away.
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

    ISetupService& m_setup;
    IDataService& m_data;
    std::string m_folderOverride;  // the host's choice, restored after the copy
    std::filesystem::path m_leagueFile;
    std::filesystem::path m_scratchFolder;
    bool m_active = false;
};

}  // namespace gr::admin
