#include "PositionColours.h"

#include <algorithm>
#include <array>

#include "CaselessOrder.h"

namespace gr::core {

namespace {

// Light shades that keep dark writing readable on screen and on paper.
constexpr std::array kColours = {
    PositionColour{"QB", "Quarterback", "#f4b6b6", "#111111"},
    PositionColour{"RB", "Running back", "#b9e4b4", "#111111"},
    PositionColour{"WR", "Wide receiver", "#b5d3f5", "#111111"},
    PositionColour{"TE", "Tight end", "#f8d9a0", "#111111"},
    PositionColour{"K", "Kicker", "#ddc6f2", "#111111"},
    PositionColour{"DEF", "Defence (team)", "#c9c9c9", "#111111"},
};

constexpr PositionColour kUnknown{"", "Other", "#f2f2f2", "#111111"};

}  // namespace

std::span<const PositionColour> PositionColours() {
    return kColours;
}

const PositionColour& PositionColourOf(std::string_view abbr) {
    const auto found = std::find_if(kColours.begin(), kColours.end(), [&](const auto& colour) {
        return CompareCaseless(colour.abbr, abbr) == 0;
    });
    return found == kColours.end() ? kUnknown : *found;
}

}  // namespace gr::core
