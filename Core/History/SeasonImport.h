// What importing one season sheet into a league would store: the sheet's names matched to the
// league's catalogue without regard to case, every rule of a season checked, and the rows that
// ILeagueRecords::AddSeasonRows stores, new ids numbered after the league's highest. The same
// plan serves gridora-admin import-season and the program's Import Season... preview.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LeagueRows.h"
#include "SeasonSheet.h"

namespace gr::history {

struct SeasonImportOptions {
    bool addMissing = false;  // managers, players and prizes the catalogue lacks are added
    bool replace = false;     // a season of the same year is replaced (it keeps its id)
};

struct SeasonImportPlan {
    std::vector<LineProblem> problems;  // when any, nothing may be stored
    LeagueRows rows;                    // the rows to store; complete only without problems
    int32_t year = 0;
    bool replacesSeason = false;
    // Names the catalogue lacks, in the order the sheet first names them.
    std::vector<std::string> newManagers;
    std::vector<std::string> newPlayers;
    std::vector<std::string> newPrizes;
};

SeasonImportPlan PlanSeasonImport(const SeasonSheet& sheet, const LeagueRows& league,
                                  const SeasonImportOptions& options);

// What the plan adds, a line each: the season with its figures, the managers, prizes, picks
// and winnings, and the names that are new to the catalogue.
std::vector<std::string> DescribeSeasonImport(const SeasonImportPlan& plan);

}  // namespace gr::history
