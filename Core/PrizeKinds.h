// What kind of prize a prize is, by the id of its prize type, and the prizes that name a
// season's champion and runner-up.
#pragma once

#include <cstdint>
#include <string_view>

#include "GRIData.h"

namespace gr::core {

enum class PrizeKind : int32_t {
    // Any other prize type: it asks no week, and its winners share it as the winners of
    // week 0.
    Other = 0,
    // One set of winners for the whole season, who share its amount.
    Season = 1,
    // Won week by week: each winning names a week, and each week's winners share the amount.
    Weekly = 2,
};

PrizeKind PrizeKindOf(const ComPtr<IPrizeTypeInfo>& type);
PrizeKind PrizeKindOf(const ComPtr<IPrizeInfo>& prize);
PrizeKind PrizeKindOf(const ComPtr<IPrizeTmplInfo>& prize);

// The prizes (by prize id, as a winning holds it) whose winners the past winners list shows.
inline constexpr std::string_view kChampionPrizeId = "1";
inline constexpr std::string_view kRunnerUpPrizeId = "2";

}  // namespace gr::core
