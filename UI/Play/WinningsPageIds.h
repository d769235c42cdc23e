// The element ids of the winnings table: a two-letter code and the record's key, written
// code-key ("AA-K12", "FA-KNEW3"); the week list's options are numbered instead ("GA-3").
#pragma once

#include <string>

namespace gr::ui::winningspage {

inline constexpr const char* kTable = "DA";
// The row, its cells, the entries and icons in them, the week list and its options.
inline constexpr const char* kRow = "FA";
inline constexpr const char* kPrizeCell = "EA";
inline constexpr const char* kManagerCell = "EB";
inline constexpr const char* kAmountCell = "EC";
inline constexpr const char* kWeekCell = "ED";
inline constexpr const char* kIconCell = "EE";
inline constexpr const char* kManagerEntry = "AA";
inline constexpr const char* kPrizeEntry = "AB";
inline constexpr const char* kDeleteIcon = "CA";
inline constexpr const char* kManagerSearch = "CB";
inline constexpr const char* kPrizeSearch = "CC";
inline constexpr const char* kWeekList = "HA";
inline constexpr const char* kWeekOption = "GA";

struct WinningsId {
    std::string code;
    std::string key;  // the record's key, or the week option's number

    std::string Format() const { return code + "-" + key; }
    // The parts of an id: the code before the first "-", the key up to the next one.
    static WinningsId Parse(const std::string& id) {
        const size_t dash = id.find('-');
        if (dash == std::string::npos) return {id, {}};
        return {id.substr(0, dash), id.substr(dash + 1, id.find('-', dash + 1) - dash - 1)};
    }
    bool Is(const char* elementCode) const { return code == elementCode; }
};

}  // namespace gr::ui::winningspage
