// The orders in which the screens list a season's managers and the seasons, and whether a
// season's draft has begun. The screens' shared routines and their rule classes use these.
#pragma once

#include "GRIData.h"

namespace gr::core {

// Sorted copy (without keys) by first name in the caseless order, or by rank; equal keys keep
// their order. None for no collection or an empty one.
ComPtr<Collection> SortManagers(const ComPtr<Collection>& managers, ManagerSortTypeEnum sort);
// Seasons from the newest year to the oldest. None for no collection or an empty one.
ComPtr<Collection> SortSeasonsByYear(const ComPtr<Collection>& seasons);

// True unless some draft entry of the season holds a player or team.
bool IsDraftEmpty(const ComPtr<ISeasonInfo>& season);

}  // namespace gr::core
