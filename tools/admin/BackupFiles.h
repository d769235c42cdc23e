// The files of the database folder: the league file of each database type, and the backup
// files known by their names "Gridora - Backup - yyyymmdd - NN.mdb".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gr::admin {

// "Gridora - Live.mdb", "Gridora - Test.mdb" or "Gridora - Blank.mdb"; empty for any other type.
std::string LeagueFileName(int32_t dbType);

struct BackupFile {
    std::string path;
    std::string date;  // yyyymmdd
    int counter = 0;
};

std::optional<BackupFile> ParseBackupFileName(const std::string& fileName);

// Every backup file in the folder, oldest first (by date, then counter).
std::vector<BackupFile> ListBackupFiles(const std::string& folder);

// "yyyymmdd" as "yyyy-mm-dd".
std::string IsoDate(const std::string& yyyymmdd);

}  // namespace gr::admin
