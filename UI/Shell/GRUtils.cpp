#include "GRUtils.h"

#include <optional>
#include <vector>

#include "CaselessOrder.h"
#include "GRPickUtils.h"
#include "GRStringUtils.h"
#include "MoneyReport.h"

namespace gr::ui {

namespace {

using core::CompareCaseless;

// Insertion sort: an item moves before an earlier one while before(item, earlier) holds.
template <class T, class Before>
ComPtr<Collection> InsertionSorted(const ComPtr<Collection>& source, Before before) {
    if (!source || source->Count() == 0) return {};
    std::vector<ComPtr<T>> items = source->ItemsAs<T>();
    for (size_t i = 1; i < items.size(); ++i)
        for (size_t j = i; j > 0 && before(items[j], items[j - 1]); --j)
            std::swap(items[j], items[j - 1]);
    ComPtr<Collection> out = Collection::Create();
    for (const auto& item : items) out->Add(item);
    return out;
}

}  // namespace

ComPtr<Collection> SortManagers(const ComPtr<Collection>& managers, ManagerSortTypeEnum sort) {
    if (sort == SortByRank)
        return InsertionSorted<IManagerInfo>(
            managers, [](const auto& a, const auto& b) { return a->get_Rank() < b->get_Rank(); });
    return InsertionSorted<IManagerInfo>(managers, [](const auto& a, const auto& b) {
        return CompareCaseless(a->get_FirstName(), b->get_FirstName()) < 0;
    });
}

ComPtr<Collection> SortSeasonsByYear(const ComPtr<Collection>& seasons) {
    return InsertionSorted<ISeasonInfo>(seasons, [](const auto& a, const auto& b) {
        return CompareCaseless(std::to_string(a->get_Year()), std::to_string(b->get_Year())) > 0;
    });
}

std::string GetRowColor(int32_t rowNumber) {
    return rowNumber % 2 == 0 ? "FFCCFF" : "CCFFFF";
}

std::string GetHighlightColor() {
    return "99FF99";
}

std::string GetManagerName(const ComPtr<IManagerInfo>& manager) {
    return reports::ManagerName(manager);
}

std::string FormatPickedInfo(PickableTypesEnum pickType, const std::string& pickedInfo,
                             const std::string& style) {
    if (pickType != PickedPlayer) return {};
    const std::string round = GetField(pickedInfo, "\t", 1);
    const std::string manager = GetField(pickedInfo, "\t", 2);
    const std::string player = GetField(pickedInfo, "\t", 3);
    if (style == "1")
        return "Dude, " + manager + " already took " + player + " in round #" + round + ".";
    return " (" + manager + " R" + round + ")";
}

// The counting is the money reports' own, so the screens split prizes as the reports do.
std::string PrizeWinnerKey(const std::string& prizeId, int32_t weekPart) {
    return reports::PrizeWinnerKey(prizeId, weekPart);
}

PrizeWinnerCounts CountPrizeWinners(const ComPtr<Collection>& winnings,
                                    const ComPtr<Collection>& prizes) {
    return reports::CountPrizeWinners(winnings, prizes);
}

bool IsDraftEmpty(const ComPtr<ISeasonInfo>& season) {
    if (!season) return true;
    const ComPtr<Collection> drafts = season->get_Drafts();
    if (!drafts) return true;
    for (const auto& draft : drafts->ItemsAs<IDraftInfo>())
        if (draft->get_PlayerOrTeam()) return false;
    return true;
}

void GetDraftSlot(int32_t pick, int32_t managers, int32_t& slot, int32_t& round,
                  int32_t& pickInRound) {
    // The same arithmetic as the data service's, so the board and the stored picks agree.
    const std::optional<DraftSlot> found = gr::GetDraftSlot(pick, managers);
    if (!found) return;
    slot = found->managerRank;
    round = found->round;
    pickInRound = found->place;
}

}  // namespace gr::ui
