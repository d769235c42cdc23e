// The backup files in the database folder, known by their names
// "Gridora - Backup - yyyymmdd - NN.mdb".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gr::admin {

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
