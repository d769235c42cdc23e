// Money in whole cents: shares rounded half to even, and amounts as text.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "GRNumbers.h"
#include "Money.h"

namespace gr::core {
namespace {

TEST(Money, SharesRoundHalfCentsToEven) {
    EXPECT_EQ(DivideHalfEven(CentsOf(100), 3), 3333);
    EXPECT_EQ(DivideHalfEven(CentsOf(200), 3), 6667);
    EXPECT_EQ(DivideHalfEven(CentsOf(25), 2), 1250);
    EXPECT_EQ(DivideHalfEven(CentsOf(1), 8), 12);  // 12.5 cents -> 12
    EXPECT_EQ(DivideHalfEven(CentsOf(3), 8), 38);  // 37.5 cents -> 38
    EXPECT_EQ(DivideHalfEven(CentsOf(-3), 8), -38);
    EXPECT_EQ(DivideHalfEven(CentsOf(0), 4), 0);
}

TEST(Money, CentsWithoutTrailingZeros) {
    EXPECT_EQ(CentsText(3333), "33.33");
    EXPECT_EQ(CentsText(500), "5");
    EXPECT_EQ(CentsText(1250), "12.5");
    EXPECT_EQ(CentsText(7), "0.07");
    EXPECT_EQ(CentsText(-1250), "-12.5");
    EXPECT_EQ(CentsText(0), "0");
}

// A half cent goes to the even cent: 23.00 among 40 is 57.5 cents, so 0.58 each.
TEST(Money, SharesOfWholeCentsRoundAHalfCentToTheEvenCent) {
    const std::vector<std::array<Cents, 3>> cases = {
        {2300, 40, 58}, {2100, 40, 52}, {-2300, 40, -58}, {5, 2, 2},
        {7, 2, 4},      {1, 3, 0},      {2, 3, 1},        {1000, 0, 1000}};
    for (const auto& [total, parts, share] : cases)
        EXPECT_EQ(DivideHalfEven(total, parts), share) << total << " / " << parts;
}

TEST(Money, MoneyTextIsThePagesTwoDecimals) {
    EXPECT_EQ(MoneyText(123456789), "1234567.89");
    for (Cents cents = -100000; cents <= 100000; cents += 7)
        ASSERT_EQ(MoneyText(cents), FormatMoney(CentsToAmount(cents))) << cents;
}

}  // namespace
}  // namespace gr::core
