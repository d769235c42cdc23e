// Collection keys of the data service: record keys (RecordKeys.h) for cached and
// season-owned objects (a season also under the record key of its year), and the pick keys
// under which draft picks are stored.
#pragma once

#include <cstdint>
#include <string>

#include "GRIData.h"
#include "RecordKeys.h"

namespace gr::data {

using core::RecordKey;

// Key of a draft pick that holds nothing: "N" followed by the pick number.
inline std::string EmptyPickKey(int32_t pickNo) {
    return "N" + std::to_string(pickNo);
}

// The pick key of a thing: "P" + id for a player, "T" + id for a team, "K" + id for a
// manager or a prize, the bare id for a position. Empty for no object or an unknown kind.
std::string PickKey(IPickable* pick);
inline std::string PickKey(const ComPtr<IPickable>& pick) {
    return PickKey(pick.get());
}

}  // namespace gr::data

namespace gr::data {

// The implementing class behind an interface pointer of this library, or none.
template <class T, class I>
ComPtr<T> Concrete(const ComPtr<I>& p) {
    return ComPtr<T>(dynamic_cast<T*>(p.get()));
}

}  // namespace gr::data
