// The colour of each playing position on a draft board: one small table, so that every board
// the league shows (the published site, a display in the draft room) colours a quarterback
// the same way. Teams are drafted as their defence.
#pragma once

#include <span>
#include <string_view>

namespace gr::core {

struct PositionColour {
    std::string_view abbr;        // the position's abbreviation as the league stores it
    std::string_view name;        // for a legend
    std::string_view background;  // CSS colour of the pick's cell
    std::string_view text;        // CSS colour of the writing on it
};

std::span<const PositionColour> PositionColours();

// The colour of the position with this abbreviation (case ignored); a neutral grey for any
// position the table does not know.
const PositionColour& PositionColourOf(std::string_view abbr);

}  // namespace gr::core
