// The room display's page: the draft as the room reads it across the room - the manager on the
// clock, the clock, the last three picks, the board by round with the positions coloured, a
// legend, and the pick just taken announced large. Built from a plain picture of the draft.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gr::ui {

// One pick as the room sees it; an open pick has no name.
struct RoomPick {
    std::string manager;   // who makes it
    std::string name;      // the player's or team's name
    std::string position;  // its position's abbreviation
    std::string team;      // its team's abbreviation
    std::string teamName;  // its team's name ("Kansas City")
    bool operator==(const RoomPick&) const = default;
};

struct RoomBoard {
    std::vector<std::string> managerNames;  // by draft position, from position 1
    int32_t rounds = 0;
    std::vector<RoomPick> picks;  // pick 1 first
    int32_t currentPick = 0;      // the pick on the clock; 0 when none
    bool operator==(const RoomBoard&) const = default;
    bool SameShape(const RoomBoard& other) const {
        return managerNames == other.managerNames && rounds == other.rounds &&
               picks.size() == other.picks.size();
    }
    const RoomPick* Pick(int32_t pick) const {
        return pick >= 1 && static_cast<size_t>(pick) <= picks.size()
                   ? &picks[static_cast<size_t>(pick - 1)]
                   : nullptr;
    }
};

// Element ids of the page.
inline constexpr const char* kRoomOnClockId = "OC";
inline constexpr const char* kRoomClockId = "CK";
inline constexpr const char* kRoomTickerId = "LP";
inline constexpr const char* kRoomAnnouncementId = "AN";

// The whole page body. A pick's cell is "EA-round-position".
std::string RoomPageHtml(const RoomBoard& board);
// What a pick's cell holds and its class (the position's colour, open, on the clock).
std::string RoomCellHtml(int32_t pick, const RoomPick& entry);
std::string RoomCellClass(const RoomBoard& board, int32_t pick);
// The cell of a pick: "EA-round-position"; empty when the board has no such pick.
std::string RoomCellId(const RoomBoard& board, int32_t pick);
// Who is on the clock, with the round, the pick in the round and the overall pick.
std::string RoomOnClockHtml(const RoomBoard& board);
// The last three picks taken, the latest first.
std::string RoomTickerHtml(const RoomBoard& board);
// "Round 3, pick 7: Sofie takes Travis Kelce, TE, Kansas City"; empty for an open pick.
std::string PickAnnouncement(const RoomBoard& board, int32_t pick);

}  // namespace gr::ui
