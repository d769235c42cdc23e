// The colour of each playing position wherever a draft board is drawn (the organiser's room
// display, the league's pages): one table, so that every board colours a position alike.
#pragma once

#include <string>
#include <vector>

namespace gr {

struct PositionColour {
    std::string abbr;        // as the league's positions are abbreviated
    std::string name;        // the legend's word for it
    std::string background;  // "#rrggbb"
    std::string text;        // "#rrggbb", readable on the background
};

// QB, RB, WR, TE, K and the team's defence, in the legend's order.
const std::vector<PositionColour>& PositionColours();
// The entry of an abbreviation (caseless; "D", "DST" and "D/ST" are the defence too), or the
// neutral colours of a position the table does not know (name empty).
const PositionColour& PositionColourOf(const std::string& abbr);
// Where the abbreviation stands in PositionColours(), or -1.
int PositionColourIndex(const std::string& abbr);

}  // namespace gr
