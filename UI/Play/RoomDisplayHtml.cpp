#include "RoomDisplayHtml.h"

#include "DraftBoardHtml.h"
#include "GRPickUtils.h"
#include "GRStringUtils.h"
#include "PositionColours.h"

namespace gr::ui {

namespace {

constexpr size_t kTickerPicks = 3;

// Sizes in parts of the screen's height, so that one page fits a 1920 x 1080 and a 1280 x 720
// screen alike: a board of 16 rounds and 12 managers never scrolls.
constexpr const char* kRoomStyle =
    "<style>"
    "body{background:#11161c; color:#f4f4f4; font-family:'DejaVu Sans',sans-serif}"
    "#room{display:flex; flex-direction:column; height:100vh; padding:1vh 1vw; "
    "box-sizing:border-box}"
    "#top{display:flex; align-items:center; height:14vh}"
    "#OC{flex:1; font-size:4.4vh; line-height:1.25}"
    "#OC b{font-size:6vh; color:#ffe066}"
    "#CK{font-size:11vh; font-weight:bold; font-variant-numeric:tabular-nums; min-width:22vw; "
    "text-align:right}"
    "#CK.red{color:#ff4d4d}"
    "#LP{height:5vh; font-size:2.9vh; white-space:nowrap; overflow:hidden; "
    "text-overflow:ellipsis; color:#cfd8e3}"
    "#LP span{margin-right:2.5vw}"
    "table.room{flex:1; width:100%; table-layout:fixed; border-collapse:separate; "
    "border-spacing:0.25vw 0.35vh}"
    "table.room th{font-size:2.3vh; color:#ffe066; white-space:nowrap; overflow:hidden; "
    "text-overflow:ellipsis}"
    "table.room th.r{width:3.2vw; font-size:2.1vh; color:#9fb0c3}"
    "table.room td{border-radius:0.5vh; padding:0 0.4vw; white-space:nowrap; overflow:hidden; "
    "text-overflow:ellipsis; line-height:1.1}"
    "td span.n{display:block; font-size:1.95vh; font-weight:bold; overflow:hidden; "
    "text-overflow:ellipsis}"
    "td span.m{display:block; font-size:1.55vh}"
    "td.open{background:#232b35; color:#6f7f91; font-size:1.55vh}"
    "td.now{background:#3a3215; outline:0.45vh solid #ffe066; color:#ffe066}"
    "#LG{height:4vh; display:flex; align-items:center; gap:1.6vw; font-size:2.3vh}"
    "#LG span{padding:0.2vh 0.8vw; border-radius:0.5vh}"
    "#AN{display:none; position:fixed; left:6vw; right:6vw; top:32vh; padding:4vh 3vw; "
    "background:#0b0e12; border:0.6vh solid #ffe066; border-radius:2vh; font-size:6.5vh; "
    "font-weight:bold; text-align:center; line-height:1.25; box-shadow:0 0 6vh #000}";

std::string ColourRules() {
    std::string css;
    const auto& colours = PositionColours();
    for (size_t i = 0; i < colours.size(); ++i)
        css += ".p" + std::to_string(i) + "{background:" + colours[i].background +
               "; color:" + colours[i].text + "}";
    return css + ".px{background:" + PositionColourOf("").background + "; color:#1a1a1a}";
}

std::string ColourClass(const std::string& position) {
    const int index = PositionColourIndex(position);
    return index < 0 ? "px" : "p" + std::to_string(index);
}

std::string ManagerName(const RoomBoard& board, int32_t position) {
    if (position < 1 || static_cast<size_t>(position) > board.managerNames.size()) return "XYZ";
    return board.managerNames[static_cast<size_t>(position - 1)];
}

std::string HeadingRowHtml(const RoomBoard& board) {
    std::string html = "<tr><th class=r></th>";
    for (int32_t p = 1; p <= static_cast<int32_t>(board.managerNames.size()); ++p)
        html += "<th>" + HtmlEscape(ManagerName(board, p)) + "</th>";
    return html + "</tr>";
}

// Rounds run down the page; in each round the managers stand in their draft positions, so
// the snake reads left to right, then right to left.
std::string BoardHtml(const RoomBoard& board) {
    const auto managers = static_cast<int32_t>(board.managerNames.size());
    std::string html = "<table class=room>" + HeadingRowHtml(board);
    for (int32_t round = 1; round <= board.rounds; ++round) {
        html += "<tr><th class=r>" + std::to_string(round) + "</th>";
        for (int32_t position = 1; position <= managers; ++position) {
            const int32_t inRound = round % 2 != 0 ? position : managers + 1 - position;
            const int32_t pick = (round - 1) * managers + inRound;
            const RoomPick* entry = board.Pick(pick);
            html += "<td id='" + DraftCellId(round, position) + "' class='" +
                    RoomCellClass(board, pick) + "'>" +
                    (entry ? RoomCellHtml(pick, *entry) : std::string()) + "</td>";
        }
        html += "</tr>";
    }
    return html + "</table>";
}

std::string LegendHtml() {
    std::string html = "<div id=LG>";
    const auto& colours = PositionColours();
    for (size_t i = 0; i < colours.size(); ++i)
        html += "<span class=p" + std::to_string(i) + "><b>" + HtmlEscape(colours[i].abbr) +
                "</b> " + HtmlEscape(colours[i].name) + "</span>";
    return html + "</div>";
}

std::string Meta(const RoomPick& entry) {
    std::string meta = entry.position;
    if (!entry.team.empty()) meta += (meta.empty() ? "" : " \xC2\xB7 ") + entry.team;
    return meta;
}

}  // namespace

std::string RoomCellId(const RoomBoard& board, int32_t pick) {
    const auto slot = GetDraftSlot(pick, static_cast<int32_t>(board.managerNames.size()));
    if (!slot || !board.Pick(pick)) return {};
    return DraftCellId(slot->round, slot->managerRank);
}

std::string RoomCellHtml(int32_t pick, const RoomPick& entry) {
    if (entry.name.empty()) return "(" + std::to_string(pick) + ")";
    return "<span class=n>" + HtmlEscape(entry.name) + "</span><span class=m>" +
           HtmlEscape(Meta(entry)) + "</span>";
}

std::string RoomCellClass(const RoomBoard& board, int32_t pick) {
    const RoomPick* entry = board.Pick(pick);
    if (pick == board.currentPick && (!entry || entry->name.empty())) return "now";
    if (!entry || entry->name.empty()) return "open";
    return ColourClass(entry->position);
}

std::string RoomOnClockHtml(const RoomBoard& board) {
    const auto managers = static_cast<int32_t>(board.managerNames.size());
    const auto slot = GetDraftSlot(board.currentPick, managers);
    const RoomPick* entry = board.Pick(board.currentPick);
    if (!slot || !entry) return "The draft is not on the clock";
    return "<b>" + HtmlEscape(entry->manager) + "</b> is on the clock<br>Round " +
           std::to_string(slot->round) + " \xC2\xB7 Pick " + std::to_string(slot->place) +
           " \xC2\xB7 Overall " + std::to_string(board.currentPick);
}

std::string RoomTickerHtml(const RoomBoard& board) {
    std::string html;
    size_t shown = 0;
    for (auto pick = static_cast<int32_t>(board.picks.size()); pick >= 1 && shown < kTickerPicks;
         --pick) {
        const RoomPick& entry = *board.Pick(pick);
        if (entry.name.empty()) continue;
        html += "<span>" + std::to_string(pick) + ". " + HtmlEscape(entry.manager) + ": " +
                HtmlEscape(entry.name) + " (" + HtmlEscape(Meta(entry)) + ")</span>";
        ++shown;
    }
    return shown == 0 ? std::string("No picks yet") : "Last picks: " + html;
}

std::string PickAnnouncement(const RoomBoard& board, int32_t pick) {
    const RoomPick* entry = board.Pick(pick);
    const auto slot = GetDraftSlot(pick, static_cast<int32_t>(board.managerNames.size()));
    if (!entry || entry->name.empty() || !slot) return {};
    std::string text = "Round " + std::to_string(slot->round) + ", pick " +
                       std::to_string(slot->place) + ": " + entry->manager + " takes " +
                       entry->name;
    for (const std::string* part : {&entry->position, &entry->teamName})
        if (!part->empty()) text += ", " + *part;
    return text;
}

std::string RoomPageHtml(const RoomBoard& board) {
    return std::string(kRoomStyle) + ColourRules() +
           "</style><div id=room><div id=top><div id=" + kRoomOnClockId + ">" +
           RoomOnClockHtml(board) + "</div><div id=" + kRoomClockId +
           "></div></div><div id=" + kRoomTickerId + ">" + RoomTickerHtml(board) + "</div>" +
           BoardHtml(board) + LegendHtml() + "</div><div id=" + kRoomAnnouncementId + "></div>";
}

}  // namespace gr::ui
