#include "PositionColours.h"

#include <algorithm>
#include <cctype>

namespace gr {

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Other spellings of the team's defence.
std::string Canonical(const std::string& abbr) {
    const std::string upper = Upper(abbr);
    return upper == "D" || upper == "DST" || upper == "D/ST" ? "DEF" : upper;
}

}  // namespace

const std::vector<PositionColour>& PositionColours() {
    static const std::vector<PositionColour> colours = {
        {"QB", "Quarterback", "#f26b6b", "#1a1a1a"},   {"RB", "Running back", "#5fd07e", "#1a1a1a"},
        {"WR", "Wide receiver", "#5aa9ff", "#1a1a1a"}, {"TE", "Tight end", "#ffb347", "#1a1a1a"},
        {"K", "Kicker", "#c3a6ff", "#1a1a1a"},         {"DEF", "Defence", "#b8a089", "#1a1a1a"},
    };
    return colours;
}

int PositionColourIndex(const std::string& abbr) {
    const std::string key = Canonical(abbr);
    const auto& colours = PositionColours();
    const auto found = std::find_if(colours.begin(), colours.end(),
                                    [&](const PositionColour& c) { return c.abbr == key; });
    return found == colours.end() ? -1 : static_cast<int>(found - colours.begin());
}

const PositionColour& PositionColourOf(const std::string& abbr) {
    static const PositionColour neutral = {"", "", "#d9d9d9", "#1a1a1a"};
    const int index = PositionColourIndex(abbr);
    return index < 0 ? neutral : PositionColours()[static_cast<size_t>(index)];
}

}  // namespace gr
