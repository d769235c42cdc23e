// The league core's small rules: record keys, prize kinds with the season's budget, and the
// caseless order of names.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "CaselessOrder.h"
#include "CatalogueInfo.h"
#include "MoneyReport.h"
#include "PrizeKinds.h"
#include "RecordKeys.h"
#include "SeasonEntries.h"

namespace gr::core {
namespace {

ComPtr<IPrizeInfo> Prize(int32_t id, int32_t typeId, int32_t amount) {
    auto type = MakeCom<data::PrizeTypeInfo>();
    type->SetID(typeId);
    auto master = MakeCom<data::PrizeTmplInfo>();
    master->SetID(id);
    master->SetPrizeType(type);
    return MakeCom<data::PrizeInfo>(master, amount);
}

TEST(LeagueRules, RecordKeysPrizeKindsAndTheSeasonBudget) {
    EXPECT_EQ(RecordKey(7), "K7");
    EXPECT_EQ(RecordKey(std::string_view("42")), "K42");
    EXPECT_EQ(PrizeKindOf(ComPtr<IPrizeInfo>()), PrizeKind::Other);
    EXPECT_EQ(PrizeKindOf(Prize(1, 1, 0)), PrizeKind::Season);
    EXPECT_EQ(PrizeKindOf(Prize(1, 2, 0)), PrizeKind::Weekly);
    EXPECT_EQ(PrizeKindOf(Prize(1, 3, 0)), PrizeKind::Other);

    // Fee 20 from 10 managers; a season prize of 100 once, a weekly one of 10 and another
    // kind of 5 in each of 14 weeks.
    ComPtr<Collection> prizes = Collection::Create();
    for (const auto& prize : {Prize(1, 1, 100), Prize(5, 2, 10), Prize(6, 3, 5)})
        prizes->Add(prize);
    const reports::SeasonBudget budget = reports::SeasonBudgetOf(20, 10, 14, prizes);
    EXPECT_EQ(budget.contribution, 20000);
    EXPECT_EQ(budget.distribution, 31000);
    EXPECT_EQ(budget.balance, -11000);
}

TEST(LeagueRules, NamesInCaselessOrderBeyondAscii) {
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    const std::vector<std::tuple<const char*, const char*, int>> cases = {
        {"bob", "Bob", 0},        {"Al", "bob", -1},
        {"DeAndre", "Deebo", -1}, {"Deebo", "DeeJay", -1},
        {"Émile", "émile", 0},    {"ΩMEGA", "ωmega", 0},
        {"BJÖRN", "björn", 0},    {"Zoe", "Émile", -1},
        {"Ann", "Anna", -1},      {"", "a", -1}};
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(sign(CompareCaseless(a, b)), order) << a << " / " << b;
        EXPECT_EQ(sign(CompareCaseless(b, a)), -order) << b << " / " << a;
    }
}

}  // namespace
}  // namespace gr::core
