// The draft board's page: a grid of picks with one column per round or one per manager, a
// heading column before every group of three data columns, and one cell per pick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "GRIData.h"

namespace gr::ui {

enum class DraftView { ByRound, ByManager };

struct DraftGridShape {
    DraftView view = DraftView::ByRound;
    int32_t managers = 0;
    int32_t rounds = 0;
    // The first name of the manager at each draft position, from position 1 ("XYZ" where the
    // rank list has nobody).
    std::vector<std::string> managerNames;

    int32_t Columns() const { return view == DraftView::ByRound ? rounds : managers; }
    int32_t Rows() const { return view == DraftView::ByRound ? managers : rounds; }
};

// Where a pick sits in the grid: data row and data column (both from 1); false when there is
// no slot (no managers, or a pick number below 1).
bool DraftCellOf(DraftView view, int32_t pick, int32_t managers, int32_t& row, int32_t& column);
// "EA-row-column".
std::string DraftCellId(int32_t row, int32_t column);
// The anchor of the heading column before data column column: "KA-" + its group of three.
std::string DraftAnchorId(int32_t column);
// Heading columns of 105 px, one per group of three data columns, and data columns of 190 px.
int32_t DraftTableWidth(int32_t columns);

// What one pick's cell holds: the name, the position text and "(pick)".
std::string DraftCellHtml(int32_t pick, const ComPtr<IPickable>& pickable);

// The whole grid. cells holds the content of each data cell, row by row ((row - 1) *
// columns + column - 1); missing entries are empty cells.
std::string DraftGridHtml(const DraftGridShape& shape, const std::vector<std::string>& cells);

}  // namespace gr::ui
