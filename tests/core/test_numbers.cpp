#include <gtest/gtest.h>

#include "GRNumbers.h"

using namespace gr::core;

TEST(NumericValue, ReadsTheLeadingNumberOfWhatWasTyped) {
    EXPECT_EQ(NumericValue("12"), 12);
    EXPECT_EQ(NumericValue("12a"), 12);
    EXPECT_EQ(NumericValue(" 12"), 12);
    EXPECT_EQ(NumericValue("012"), 12);
    EXPECT_EQ(NumericValue("1.5"), 1.5);
    EXPECT_EQ(NumericValue(".5"), 0.5);
    EXPECT_EQ(NumericValue("-3"), -3);
    EXPECT_EQ(NumericValue("+7"), 7);
    EXPECT_EQ(NumericValue("1.2.3"), 1.2);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("."), 0);
}

TEST(NumericValue, KeepsValuesBeyondALongSoTheyReadAsTooLarge) {
    EXPECT_GT(NumericValue("99999999999"), 99999);
    EXPECT_GT(NumericValue(std::string(400, '9')), 99999);  // beyond a double: the largest one
    EXPECT_FALSE(FitsLong(NumericValue("99999999999")));
    EXPECT_TRUE(FitsLong(NumericValue("2147483647")));
    EXPECT_FALSE(FitsLong(NumericValue("2147483648")));
    EXPECT_EQ(ToLong(NumericValue("99999999999")), 2147483647);
    EXPECT_EQ(ToLong(NumericValue("-99999999999")), -2147483647 - 1);
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), 0 - 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(12.125, 2), 12.12);
    EXPECT_EQ(RoundHalfEven(12.375, 2), 12.38);
    EXPECT_EQ(RoundHalfEven(100.0 / 3.0, 2), 33.33);
    EXPECT_EQ(ToLong(1.5), 2);
    EXPECT_EQ(ToLong(2.5), 2);
    EXPECT_EQ(ToLong(-0.4), 0);
}

TEST(ShortestDecimal, IsTheFormTheSeasonBoxesAccept) {
    EXPECT_EQ(ShortestDecimal(12), "12");
    EXPECT_EQ(ShortestDecimal(1.5), "1.5");
    EXPECT_EQ(ShortestDecimal(0.1), "0.1");
    EXPECT_EQ(ShortestDecimal(-0.0), "0");
    EXPECT_EQ(ShortestDecimal(1e20), "100000000000000000000");
    for (const char* accepted : {"12", "1.5", "2.5", "0", "-3", "99999"})
        EXPECT_TRUE(IsShortestNumber(accepted)) << accepted;
    for (const char* refused : {"12a", "012", " 12", "", "1.0", ".5", "+7", "12 ", "1,000"})
        EXPECT_FALSE(IsShortestNumber(refused)) << '"' << refused << '"';
}

TEST(MoneyFormats, ShowTwoDecimalsOrWholeDollars) {
    EXPECT_EQ(FormatMoney(0), "0.00");
    EXPECT_EQ(FormatMoney(12.5), "12.50");
    EXPECT_EQ(FormatMoney(100.0 / 12.0), "8.33");
    EXPECT_EQ(FormatMoney(12.125), "12.12");
    EXPECT_EQ(FormatMoney(-70), "-70.00");
    EXPECT_EQ(FormatMoney(-0.001), "0.00");
    EXPECT_EQ(FormatMoney(1234567.891), "1234567.89");
    EXPECT_EQ(FormatDollars(0), "$0");
    EXPECT_EQ(FormatDollars(999), "$999");
    EXPECT_EQ(FormatDollars(1000), "$1,000");
    EXPECT_EQ(FormatDollars(1234567), "$1,234,567");
    EXPECT_EQ(FormatDollars(-50), "-$50");
    EXPECT_EQ(FormatDollars(2.5), "$2");
}
