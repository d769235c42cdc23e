// Routines shared by the screens: sorting, colours, names, picks and prize counts.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "GRIData.h"

namespace gr::ui {

// Sorted copy (without keys) by first name, case-insensitively, or by rank; equal keys keep
// their order. None for no collection or an empty one.
ComPtr<Collection> SortManagers(const ComPtr<Collection>& managers, ManagerSortTypeEnum sort);
// Seasons from the newest year to the oldest. None for no collection or an empty one.
ComPtr<Collection> SortSeasonsByYear(const ComPtr<Collection>& seasons);

std::string GetRowColor(int32_t rowNumber);  // "FFCCFF" even, "CCFFFF" odd
std::string GetHighlightColor();             // "99FF99"

// FirstName + " " + LastName; empty for no manager.
std::string GetManagerName(const ComPtr<IManagerInfo>& manager);

// From the picked info of IsPickableTaken (round TAB manager TAB player): for a player, style
// "1" gives "Dude, <manager> already took <player> in round #<round>." and any other style
// " (<manager> R<round>)"; other pick types give empty text.
std::string FormatPickedInfo(PickableTypesEnum pickType, const std::string& pickedInfo,
                             const std::string& style);

// Winners per prize and week, keyed "K" + prize id + "^" + week part (1 for a prize of prize
// type 1, the week otherwise). Removed winnings and winnings of unknown prizes do not count.
using PrizeWinnerCounts = std::map<std::string, int32_t>;
PrizeWinnerCounts CountPrizeWinners(const ComPtr<Collection>& winnings,
                                    const ComPtr<Collection>& prizes);
std::string PrizeWinnerKey(const std::string& prizeId, int32_t weekPart);

// True unless some draft entry of the season holds a player or team.
bool IsDraftEmpty(const ComPtr<ISeasonInfo>& season);

// Snake order: the draft rank whose turn pick is, its round and place in the round. With
// fewer than one manager or a pick number below 1 the outputs are left as they are.
void GetDraftSlot(int32_t pick, int32_t managers, int32_t& slot, int32_t& round,
                  int32_t& pickInRound);

}  // namespace gr::ui
