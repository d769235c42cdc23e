// Numbers as the screens read them from what the user typed and show them back: the "numeric
// value" of a text, rounding half to even, and the money and decimal formats of the pages.
// (Money that is worked out, not typed, is counted in cents: Money.h.)
#pragma once

#include <cstdint>
#include <string>

namespace gr::core {

// The leading number of text: leading blanks are skipped, then an optional sign and the digits
// with at most one decimal point are read up to the first other character. Empty or
// non-numeric text reads as 0. A value too large for a Long stays as large as it was typed.
double NumericValue(const std::string& text);

// Rounded to the nearest whole number, halves to the even neighbour (1.5 -> 2, 2.5 -> 2).
double RoundHalfEven(double value);
// Rounded to decimals places, halves to the even neighbour (12.125 -> 12.12).
double RoundHalfEven(double value, int decimals);

// Whether value, once rounded, fits a Long.
bool FitsLong(double value);
// The value rounded half to even into a Long; beyond the Long range it is clamped to its ends.
int32_t ToLong(double value);

// The shortest decimal text that reads back as value, without exponent: 12, 1.5, -3, 0.1.
std::string ShortestDecimal(double value);
// Whether text is exactly the shortest decimal form of its own numeric value, as the season's
// text boxes demand ("12" is; "012", " 12", "12a", "1.0" and "" are not).
bool IsShortestNumber(const std::string& text);

// "0.00": at least one integer digit, exactly two decimals, no thousands separator.
std::string FormatMoney(double value);
// "$"#,##0: whole units with thousands separators ("$1,234", "-$50").
std::string FormatDollars(double value);

}  // namespace gr::core
