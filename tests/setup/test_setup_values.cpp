#include <gtest/gtest.h>

#include "SetupValues.h"

namespace {

using namespace gr::setup;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

TEST(LeadingNumberTest, ReadsTheLeadingNumberOnly) {
    EXPECT_DOUBLE_EQ(LeadingNumber("12"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("  7abc"), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-3.25x"), -3.25);
    EXPECT_DOUBLE_EQ(LeadingNumber("+4"), 4.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2024-05-06"), 2024.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.5.6"), 1.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("x12"), 0.0);
}

TEST(ReadLongTest, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(ReadLong("2.5"), 2);
    EXPECT_EQ(ReadLong("3.5"), 4);
    EXPECT_EQ(ReadLong("-2.5"), -2);
    EXPECT_EQ(ReadLong("2.51"), 3);
    EXPECT_EQ(ReadLong("1.4"), 1);
    EXPECT_EQ(ReadLong("3"), 3);
}

TEST(ReadLongTest, EmptyNonNumericAndOutOfRangeReadAsZero) {
    EXPECT_EQ(ReadLong(""), 0);
    EXPECT_EQ(ReadLong("live"), 0);
    EXPECT_EQ(ReadLong("99999999999"), 0);
    EXPECT_EQ(ReadLong("2147483647"), 2147483647);
}

TEST(ReadDateTest, ShortDateTextReadsAsThatDate) {
    EXPECT_EQ(ReadDate("2024-05-06"), (year{2024} / month{5} / day{6}));
    EXPECT_EQ(ReadDate("2020-12-31"), (year{2020} / month{12} / day{31}));
}

TEST(ReadDateTest, EmptyNonNumericOrInvalidTextReadsAsTheZeroDate) {
    const Date zero = year{1899} / month{12} / day{30};
    EXPECT_EQ(ZeroDate(), zero);
    EXPECT_EQ(ReadDate(""), zero);
    EXPECT_EQ(ReadDate("yesterday"), zero);
    EXPECT_EQ(ReadDate("0"), zero);
    EXPECT_EQ(ReadDate("2024-13-01"), zero);
    EXPECT_EQ(ReadDate("2023-02-29"), zero);
    EXPECT_EQ(ReadDate("2024-05-06 junk"), zero);
    EXPECT_EQ(ReadDate("12345"), zero);
}

TEST(DateTextTest, FormatsShortCompactAndCounter) {
    const Date date = year{2020} / month{1} / day{5};
    EXPECT_EQ(ShortDate(date), "2020-01-05");
    EXPECT_EQ(CompactDate(date), "20200105");
    EXPECT_EQ(ReadDate(ShortDate(date)), date);
    EXPECT_EQ(CounterText(1), "01");
    EXPECT_EQ(CounterText(12), "12");
    EXPECT_EQ(CounterText(100), "100");
}

}  // namespace
