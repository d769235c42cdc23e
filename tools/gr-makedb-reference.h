// Schema scripts, reference data and the player catalogue for the generated databases.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "SqlDatabase.h"

namespace gr::makedb {

using CsvRow = std::vector<std::string>;

// The data rows of a comma-separated file (the header line is skipped). Throws
// std::runtime_error when the file cannot be read or a row has the wrong width.
std::vector<CsvRow> ReadCsv(const std::filesystem::path& file, size_t columns);

// Runs every statement of an SQL script file.
void RunScript(db::Database& database, const std::filesystem::path& script);

// Teams get ids 1.. in file order, each drafted as the team defence position.
void LoadTeams(db::Database& database, const std::filesystem::path& teamsCsv);

// Players get ids 1.. in file order; position and team are looked up by abbreviation.
void LoadPlayers(db::Database& database, const std::filesystem::path& playersCsv);

}  // namespace gr::makedb
