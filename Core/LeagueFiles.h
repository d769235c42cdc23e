// The names of the database files in the database folder: the league file of each database
// type, the setup file and the dated backups. The services open them by these names and
// gridora-admin finds them by the same.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gr::core {

inline constexpr std::string_view kBackupFilePrefix = "Gridora - Backup - ";
inline constexpr std::string_view kDatabaseFileExtension = ".mdb";

// The file name of a database type (DBTypeEnum): "Gridora - Live.mdb" and so on. A backup
// with either text empty gives the wildcard pattern "Gridora - Backup - *.mdb" that matches
// every backup; an unknown type gives "Gridora - .mdb".
std::string DatabaseFileName(int32_t dbType, std::string_view dateText = {},
                             std::string_view counterText = {});

// Whether the type is one of the three league databases (live, test, blank).
bool IsLeagueType(int32_t dbType);

}  // namespace gr::core
