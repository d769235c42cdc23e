// The demo league of the test database: managers, past seasons that are locked with full
// snake drafts and winnings, and a current season that is set up but not drafted.
#pragma once

#include <cstdint>
#include <filesystem>

#include "SqlDatabase.h"

namespace gr::makedb {

// Expects the reference data and players in place. Seasons are dated relative to
// currentYear; the current one becomes the season that the program opens with.
void LoadDemoLeague(db::Database& database, const std::filesystem::path& dataDir,
                    int32_t currentYear);

}  // namespace gr::makedb
