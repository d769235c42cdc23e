// The whole league as one JSON document (docs/league.schema.json): the catalogue, every
// season with its managers, prizes, draft and winnings, the current season and the named
// settings, every row with its id. Written in a fixed order with fixed indentation, so a
// league written, read into an empty league and written again gives the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "LeagueRows.h"

namespace gr::history {

// The "version" the writer writes; the reader refuses any other.
inline constexpr int kLeagueDocumentVersion = 1;

std::string LeagueJson(const LeagueRows& league);

struct LeagueReading {
    LeagueRows rows;
    // Each fault with where it is ("line 3" for broken JSON, else the member's path such as
    // "seasons[2].draft[7]"); when any, the rows must not be stored.
    std::vector<std::string> problems;
};

// Reads a document that LeagueJson wrote (or one of the same form) and checks that its rows
// make a league: ids unique, every link pointing at a row of the document, one season per
// year, each pick inside its draft and each player or team picked once a season.
LeagueReading ReadLeagueJson(std::string_view text);

}  // namespace gr::history
