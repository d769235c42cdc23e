// The markup of the season window's two grids: the managers who play with their fee-paid
// marks, and the money distribution with its prizes, amounts and prize types. Every
// interactive element carries an id of its two-letter code, its row and its record id (empty on
// a row without a record), so the window finds it again and tells the rows apart.
#pragma once

#include <cstdint>
#include <string>

namespace gr::ui::seasongrid {

// Element codes of the two grids.
inline constexpr const char* kAmount = "AA";         // amount input (money)
inline constexpr const char* kManagerName = "AB";    // name input of an empty managers row
inline constexpr const char* kPrizeName = "AC";      // name input of an empty prize row
inline constexpr const char* kFeePaid = "BA";        // fee-paid check box
inline constexpr const char* kDeleteManager = "CA";  // icons
inline constexpr const char* kAddManager = "CB";
inline constexpr const char* kSearchManagers = "CC";
inline constexpr const char* kDeletePrize = "CD";
inline constexpr const char* kSearchPrizes = "CE";
inline constexpr const char* kAddPrize = "CF";
inline constexpr const char* kMoneyTable = "DA";  // the money distribution table
inline constexpr const char* kPrizeNameCell = "EA";
inline constexpr const char* kPrizeTypeCell = "EB";
inline constexpr const char* kManagerNameCell = "EC";

// An element id of the grids: its code, its row (from 1) and the record id of the row (empty
// on a row without a record), written code-row-record: "AB-3-", "BA-2-17".
struct GridId {
    std::string code;
    int32_t row = 0;
    std::string recordId;

    std::string Format() const;
    // The parts of an id; a missing part is empty (the row 0).
    static GridId Parse(const std::string& id);
    bool Is(const char* elementCode) const { return code == elementCode; }
};

// GridId{code, row, recordId}.Format().
std::string ElementId(const char* code, int32_t row, const std::string& recordId);

std::string ManagersHeader();
// A managers row. name is the manager's display name, empty for an empty row (name input and
// the search and add icons); readOnly leaves the delete icon off a named row.
std::string ManagerRow(int32_t row, const std::string& recordId, const std::string& name,
                       bool feePaid, bool readOnly);
// The content of a managers name cell (EC).
std::string ManagerNameCell(int32_t row, const std::string& recordId, const std::string& name,
                            bool readOnly);
std::string NewManagerCell(int32_t row);

std::string PrizesHeader();
// A prize row. frozen: the amount as plain text and no delete icon.
std::string PrizeRow(int32_t row, const std::string& recordId, const std::string& desc,
                     int32_t amount, const std::string& typeName, bool frozen);
// The content of a prize name cell (EA) holding a prize.
std::string PrizeNameCell(int32_t row, const std::string& recordId, const std::string& desc,
                          bool frozen);
// The content of the name cell of the new-prize row or of an emptied prize row.
std::string NewPrizeCell(int32_t row);
std::string AmountInput(int32_t row, const std::string& recordId, const std::string& value);

}  // namespace gr::ui::seasongrid
