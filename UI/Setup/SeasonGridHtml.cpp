#include "SeasonGridHtml.h"

#include "GRIcons.h"
#include "GRStringUtils.h"
#include "GRUtils.h"

namespace gr::ui::seasongrid {

namespace {

std::string Cell(const std::string& attributes, const std::string& content) {
    return "<td " + attributes + ">" + content + "</td>";
}

// A row's two large icons beside its name input.
std::string SearchAndAddIcons(int32_t row, const char* searchCode, const char* searchTitle,
                              const char* addCode, const char* addTitle) {
    return Cell("width='5%' align='center'",
                IconHtml('N', ElementId(searchCode, row, ""), searchTitle, IconSize::Large)) +
           Cell("width='5%' align='center'",
                IconHtml('l', ElementId(addCode, row, ""), addTitle, IconSize::Large));
}

}  // namespace

std::string GridId::Format() const {
    return code + "-" + std::to_string(row) + "-" + recordId;
}

GridId GridId::Parse(const std::string& id) {
    GridId parts;
    const size_t first = id.find('-');
    parts.code = id.substr(0, first);
    if (first == std::string::npos) return parts;
    const size_t second = id.find('-', first + 1);
    parts.row = LeadingNumber(id.substr(first + 1, second - first - 1));
    if (second != std::string::npos)
        parts.recordId = id.substr(second + 1, id.find('-', second + 1) - second - 1);
    return parts;
}

std::string ElementId(const char* code, int32_t row, const std::string& recordId) {
    return GridId{code, row, recordId}.Format();
}

std::string ManagersHeader() {
    return "<tr bgcolor='" + GetHighlightColor() + "'>" + Cell("align='left' width=5%", "SNo") +
           Cell("align='left' width=70%", "Name") + Cell("align='center' width=25%", "Fee Paid") +
           "</tr>";
}

std::string NewManagerCell(int32_t row) {
    return "<table width='100%'><tr>" +
           Cell("width='90%' align='left'",
                "<input type=text id='" + ElementId(kManagerName, row, "") + "'></input>") +
           SearchAndAddIcons(row, kSearchManagers, "Search managers", kAddManager,
                             "Add a new manager") +
           "</tr></table>";
}

std::string ManagerNameCell(int32_t row, const std::string& recordId, const std::string& name,
                            bool readOnly) {
    if (readOnly) return HtmlEscape(name);
    return "<table width='100%'><tr>" + Cell("width='90%' align='left'", HtmlEscape(name)) +
           Cell("width='10%' align='center'",
                IconHtml('r', ElementId(kDeleteManager, row, recordId), "Delete manager")) +
           "</tr></table>";
}

std::string ManagerRow(int32_t row, const std::string& recordId, const std::string& name,
                       bool feePaid, bool readOnly) {
    const std::string nameContent =
        recordId.empty() ? NewManagerCell(row) : ManagerNameCell(row, recordId, name, readOnly);
    return "<tr bgcolor='" + GetRowColor(row) + "'>" +
           Cell("align='center' width=5%", std::to_string(row) + ".") +
           Cell("align='left' width=70% id=" + ElementId(kManagerNameCell, row, recordId),
                nameContent) +
           Cell("align='center' width=25%", "<input type=checkbox id='" +
                                                ElementId(kFeePaid, row, recordId) + "' " +
                                                (feePaid ? "checked" : "") + "></input>") +
           "</tr>";
}

std::string PrizesHeader() {
    return "<tr bgcolor='" + GetHighlightColor() + "'>" + Cell("align='center' width=5%", "SNo") +
           Cell("align='left' width=65%", "Prize Name") +
           Cell("align='center' width=10%", "Amount") +
           Cell("align='left' width=20%", "Prize Type") + "</tr>";
}

std::string PrizeNameCell(int32_t row, const std::string& recordId, const std::string& desc,
                          bool frozen) {
    const std::string icon =
        frozen ? std::string()
               : IconHtml('r', ElementId(kDeletePrize, row, recordId), "Delete prize");
    return "<table width='100%'><tr>" + Cell("width='90%' align='left'", HtmlEscape(desc)) +
           Cell("width='10%' align='center'", icon) + "</tr></table>";
}

std::string NewPrizeCell(int32_t row) {
    return "<table width='100%'><tr>" +
           Cell("width='90%' align='left'",
                "<input type=text size=30 id='" + ElementId(kPrizeName, row, "") + "'></input>") +
           SearchAndAddIcons(row, kSearchPrizes, "Search prizes", kAddPrize, "Add a new prize") +
           "</tr></table>";
}

std::string AmountInput(int32_t row, const std::string& recordId, const std::string& value) {
    return "<input type=text size=1 id='" + ElementId(kAmount, row, recordId) + "' value='" +
           HtmlEscape(value) + "'></input>";
}

std::string PrizeRow(int32_t row, const std::string& recordId, const std::string& desc,
                     int32_t amount, const std::string& typeName, bool frozen) {
    const std::string amountText = amount == 0 ? std::string() : std::to_string(amount);
    const std::string amountCell =
        frozen ? std::to_string(amount) : AmountInput(row, recordId, amountText);
    return "<tr bgcolor='" + GetRowColor(row) + "'>" +
           Cell("align='center' width=5%", std::to_string(row) + ".") +
           Cell("style=\"cursor:default;\" width=65% id='" +
                    ElementId(kPrizeNameCell, row, recordId) + "'",
                PrizeNameCell(row, recordId, desc, frozen)) +
           Cell("width=10%", amountCell) +
           Cell("style=\"cursor:default;\" width=20% id='" +
                    ElementId(kPrizeTypeCell, row, recordId) + "'",
                HtmlEscape(typeName)) +
           "</tr>";
}

}  // namespace gr::ui::seasongrid
