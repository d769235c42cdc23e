// The player roster as CSV: checking a file against the catalogue, planning what an
// import writes, and writing the catalogue back out in the same format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gr::admin {

// A position or a team, known to the roster by its abbreviation.
struct CodeEntry {
    int32_t id = 0;
    std::string abbr;
};

struct RosterReference {
    std::vector<CodeEntry> positions;
    std::vector<CodeEntry> teams;
};

struct CatalogPlayer {
    int32_t id = 0;
    std::string lastName;
    std::string firstName;
    int32_t positionId = 0;  // 0: none
    int32_t teamId = 0;      // 0: none
    bool retired = false;
};

// One call of the catalogue update that the import makes.
struct PlayerWrite {
    int line = 0;
    CatalogPlayer after;  // id 0 for a new player
};

struct RowProblem {
    int line = 0;
    std::string reason;
};

struct ImportPlan {
    std::vector<RowProblem> problems;  // when any, nothing may be written
    std::vector<PlayerWrite> writes;   // additions and changes in file order
    int added = 0;
    int changed = 0;
    int unchanged = 0;
};

inline constexpr std::string_view kRosterHeader = "last_name,first_name,position,team,retired";
// Any longer field refuses its row.
inline constexpr size_t kMaxRosterFieldCharacters = 1000;

// Checks every row of the file and plans the writes. A row matches a catalogue player by
// first name, last name and position; without a retired column a matched player keeps
// his retired flag and a new one is not retired. Text guarded against spreadsheets (see
// csv::SpreadsheetText) reads as it was before RosterCsv guarded it.
ImportPlan PlanRosterImport(std::string_view csvText, const RosterReference& reference,
                            const std::vector<CatalogPlayer>& catalogue);

// The catalogue as CSV with kRosterHeader, sorted by last name, first name and id; a name
// that a spreadsheet would run as a formula is guarded as the report CSVs guard it.
std::string RosterCsv(std::vector<CatalogPlayer> players, const RosterReference& reference);

}  // namespace gr::admin
