#include "GRUtils.h"

#include <optional>

#include "GRPickUtils.h"
#include "GRStringUtils.h"
#include "MoneyReport.h"
#include "SeasonLists.h"

namespace gr::ui {

// The orders are the core's, which the rule classes of the screens use as well.
ComPtr<Collection> SortManagers(const ComPtr<Collection>& managers, ManagerSortTypeEnum sort) {
    return core::SortManagers(managers, sort);
}

ComPtr<Collection> SortSeasonsByYear(const ComPtr<Collection>& seasons) {
    return core::SortSeasonsByYear(seasons);
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
    const PickedInfo info = ParsePickedInfo(pickedInfo);
    if (style == "1") return AlreadyTookNotice(info);
    return " (" + info.manager + " R" + info.round + ")";
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
    return core::IsDraftEmpty(season);
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
