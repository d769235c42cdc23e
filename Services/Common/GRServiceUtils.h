// Where the database files live, what they are called and how they are opened; shared by
// the data service and the setup service.
#pragma once

#include <memory>
#include <string>

#include "GRIDataEnums.h"
#include "SqlDatabase.h"

namespace gr {

// The file whose presence marks a folder as the database folder.
inline constexpr const char* kDatabaseProbeName = "Gridora - Live.mdb";

// The folder that holds the database files, without a trailing separator, or empty text
// when none is found. A non-empty host override wins. An installed library (its league
// templates installed beside it) gives the user's own league folder, created and filled from
// the templates on first use. Otherwise the folder of the loaded service library
// (development builds look in ../../Databases, then ../Databases).
std::string GetDatabaseFolder();

// The file name of a database type. A backup with either text empty gives the wildcard
// pattern that matches every backup; an unknown type gives "Gridora - .mdb".
std::string GetDatabaseFileName(int32_t dbType, const std::string& dateText = "",
                                const std::string& counterText = "");

// GetDatabaseFolder() + "/" + GetDatabaseFileName(...).
std::string GetDatabaseFilePath(int32_t dbType, const std::string& dateText = "",
                                const std::string& counterText = "");

// Opens a database file exclusively, read-write, with the key of the connect string.
// A missing file gives "Database file: <path> is missing."; engine failures give the
// engine's description. Never throws.
bool OpenDatabaseFile(const std::string& path, std::unique_ptr<db::Database>& database,
                      std::string& errorMessage);

// OpenDatabaseFile on GetDatabaseFilePath(dbType).
bool OpenDatabaseByType(int32_t dbType, std::unique_ptr<db::Database>& database,
                        std::string& errorMessage);

// "MS Access;pwd=kartmu49zq": the connect string of every database file.
std::string GetConnectString();

// The key that encrypts every database file: the pwd part of the connect string.
std::string GetDatabaseKey();

}  // namespace gr
