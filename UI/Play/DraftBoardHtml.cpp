#include "DraftBoardHtml.h"

#include <algorithm>

#include "GRStringUtils.h"
#include "GRUtils.h"

namespace gr::ui {

namespace {

constexpr int32_t kGroupSize = 3;
constexpr int32_t kHeadingWidth = 105;
constexpr int32_t kDataWidth = 190;
// A pick's cell holds its three parts side by side as floats: the browser lays out a float
// far faster than the small table per cell that once held them, and the page reads the same.
constexpr const char* kCellStyle =
    "<style>table.board td>span{float:left; box-sizing:border-box; padding:3px 1px; "
    "font-size:10pt; overflow-wrap:break-word} table.board span.n{width:70%} "
    "table.board span.q, table.board span.d{width:15%}</style>";

std::string Abbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}

std::string Arrow(DraftView view, int32_t round) {
    const bool odd = round % 2 != 0;
    if (view == DraftView::ByRound) return WebdingsGlyphHtml(odd ? '6' : '5');
    return WebdingsGlyphHtml(odd ? '4' : '3');
}

std::string ManagerName(const DraftGridShape& shape, int32_t position) {
    if (position < 1 || static_cast<size_t>(position) > shape.managerNames.size()) return "XYZ";
    return shape.managerNames[static_cast<size_t>(position - 1)];
}

std::string ColumnHeading(const DraftGridShape& shape, int32_t column) {
    if (shape.view == DraftView::ByRound)
        return "Round #" + std::to_string(column) + " " + Arrow(shape.view, column);
    return HtmlEscape(ManagerName(shape, column));
}

std::string RowHeading(const DraftGridShape& shape, int32_t row) {
    if (shape.view == DraftView::ByRound)
        return std::to_string(row) + ". " + HtmlEscape(ManagerName(shape, row));
    return "Round #" + std::to_string(row) + " " + Arrow(shape.view, row);
}

bool StartsGroup(int32_t column) {
    return (column - 1) % kGroupSize == 0;
}

// The anchor before a group is as wide as the group, so scrolling it into view brings the
// whole group in, from whichever side the view comes.
std::string AnchorHtml(int32_t firstColumn, int32_t columns) {
    const int32_t inGroup = std::min(kGroupSize, columns - firstColumn + 1);
    // Each cell also takes the table's spacing of 2 px.
    const int32_t width = kHeadingWidth + inGroup * kDataWidth + (inGroup + 1) * 2;
    return "<a id='" + DraftAnchorId(firstColumn) +
           "' style='position:absolute; left:0; top:0; height:1px; width:" + std::to_string(width) +
           "px'></a>";
}

std::string HeadingRowHtml(const DraftGridShape& shape) {
    const std::string corner = shape.view == DraftView::ByRound ? "Manager" : "Round";
    std::string html = "<tr bgcolor='" + GetHighlightColor() + "'>";
    for (int32_t k = 1; k <= shape.Columns(); ++k) {
        if (StartsGroup(k))
            html += "<td align=center width=" + std::to_string(kHeadingWidth) +
                    " style='position:relative'>" + AnchorHtml(k, shape.Columns()) + "<b>" +
                    corner + "</b></td>";
        html += "<td align=center width=" + std::to_string(kDataWidth) + "><b>" +
                ColumnHeading(shape, k) + "</b></td>";
    }
    return html + "</tr>";
}

std::string DataRowHtml(const DraftGridShape& shape, int32_t row,
                        const std::vector<std::string>& cells) {
    const int32_t columns = shape.Columns();
    const std::string heading = RowHeading(shape, row);
    std::string html = "<tr bgcolor='" + GetRowColor(row) + "'>";
    for (int32_t k = 1; k <= columns; ++k) {
        if (StartsGroup(k)) html += "<td align=left>" + heading + "</td>";
        const size_t index = static_cast<size_t>((row - 1) * columns + k - 1);
        html += "<td align=left id='" + DraftCellId(row, k) + "'>" +
                (index < cells.size() ? cells[index] : std::string()) + "</td>";
    }
    return html + "</tr>";
}

}  // namespace

bool DraftCellOf(DraftView view, int32_t pick, int32_t managers, int32_t& row, int32_t& column) {
    int32_t position = 0;
    int32_t round = 0;
    int32_t pickInRound = 0;
    if (managers < 1 || pick < 1) return false;
    GetDraftSlot(pick, managers, position, round, pickInRound);
    row = view == DraftView::ByRound ? position : round;
    column = view == DraftView::ByRound ? round : position;
    return true;
}

std::string DraftCellId(int32_t row, int32_t column) {
    return "EA-" + std::to_string(row) + "-" + std::to_string(column);
}

std::string DraftAnchorId(int32_t column) {
    return "KA-" + std::to_string((column - 1) / kGroupSize + 1);
}

int32_t DraftTableWidth(int32_t columns) {
    const int32_t groups = (columns + kGroupSize - 1) / kGroupSize;
    return groups * kHeadingWidth + columns * kDataWidth;
}

std::string DraftCellHtml(int32_t pick, const ComPtr<IPickable>& pickable) {
    std::string name;
    std::string position;
    if (pickable && pickable->get_PickType() == PickedPlayer) {
        const auto player = pickable.As<IPlayerInfo>();
        name = pickable->get_PickName();
        position = " (" + Abbr(player ? player->get_Position() : nullptr) + ")";
    } else if (pickable && pickable->get_PickType() == PickedTeam) {
        const auto team = pickable.As<ITeamInfo>();
        name = pickable->get_PickName() + " (" + (team ? team->get_Abbr() : std::string()) + ")";
        position = " (" + Abbr(team ? team->get_Position() : nullptr) + ")";
    }
    return "<span class=n>" + HtmlEscape(name) + "</span><span class=q>" + HtmlEscape(position) +
           "</span><span class=d>(" + std::to_string(pick) + ")</span>";
}

std::string DraftGridHtml(const DraftGridShape& shape, const std::vector<std::string>& cells) {
    std::string html =
        "<table class=board width=" + std::to_string(DraftTableWidth(shape.Columns())) +
        " style='table-layout:fixed'>" + HeadingRowHtml(shape);
    for (int32_t r = 1; r <= shape.Rows(); ++r) html += DataRowHtml(shape, r, cells);
    return html + "</table>" + kCellStyle;
}

}  // namespace gr::ui
