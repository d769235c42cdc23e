// One season of a league as a spreadsheet saved as CSV: a block of figures (year, fee, rounds,
// weeks, locks), then the sections Managers, Prizes, Draft and Winnings, each a title row, a
// row of column names and a row per entry (docs/ADMIN.md shows the layout). Reading keeps the
// line of every entry, so each fault is told with its line; names stay names here and are
// matched to the league's catalogue by SeasonImport.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "LeagueRows.h"

namespace gr::history {

// A fault of a file, on its line (0: the file as a whole).
struct LineProblem {
    int line = 0;
    std::string reason;
};

struct SheetManager {
    int line = 0;
    int32_t rank = 0;  // 0: unranked
    std::string firstName;
    std::string lastName;
    bool feePaid = false;
};

struct SheetPrize {
    int line = 0;
    std::string name;
    std::string type;
    int32_t amount = 0;  // whole currency units
};

struct SheetPick {
    int line = 0;
    int32_t round = 0;
    int32_t pick = 0;  // within the round, from 1
    std::string manager;
    std::string playerOrTeam;
    std::string position;  // abbreviation; may be empty
    std::string team;      // abbreviation of the player's team; may be empty
};

struct SheetWinning {
    int line = 0;
    std::string prize;
    int32_t week = 0;  // 0: none given
    std::string manager;
};

struct SeasonSheet {
    int yearLine = 0;
    int32_t year = 0;
    int32_t managerCount = 0;  // 0: as many as the Managers section lists
    int32_t rounds = 0;
    int32_t fee = 0;
    int32_t regularWeeks = 0;
    int32_t totalWeeks = 0;
    int totalWeeksLine = 0;
    bool rankingLocked = false;
    bool draftLocked = false;
    bool seasonLocked = false;
    bool started = false;
    std::vector<SheetManager> managers;
    std::vector<SheetPrize> prizes;
    std::vector<SheetPick> picks;
    std::vector<SheetWinning> winnings;
};

struct SheetReading {
    SeasonSheet sheet;
    std::vector<LineProblem> problems;  // when any, the sheet must not be imported
};

// Reads and checks the layout of the file: every figure and section present and well formed.
SheetReading ReadSeasonSheet(std::string_view csvText);

// The season of that year of the league in the layout ReadSeasonSheet reads; empty when the
// league has no such season. Names a spreadsheet would run as formulas are guarded.
std::string SeasonSheetCsv(const LeagueRows& league, int32_t year);

// "First Last" (just the last name when there is no first name): how the sheet names a person.
std::string FullName(std::string_view firstName, std::string_view lastName);

}  // namespace gr::history
