// Money in whole cents. The league stores its amounts (fees, prize money) in whole currency
// units; every share, sum and balance is worked out on integer cents, so a share is rounded
// once, sums are exact and a balance shown as 0.00 is exactly zero.
#pragma once

#include <cstdint>
#include <string>

namespace gr::core {

using Cents = int64_t;

// An amount of whole currency units, in cents.
constexpr Cents CentsOf(int64_t units) {
    return units * 100;
}

// One of parts equal parts of total, rounded to the cent with a half cent going to the even
// cent: 2300 over 40 parts is 57.5, which gives 58. Fewer than one part counts as one.
Cents DivideHalfEven(Cents total, int64_t parts);

// The amount as a number, for where a number is written (JSON).
double CentsToAmount(Cents cents);

// A plain decimal number without trailing zeros: 3333 -> "33.33", 500 -> "5", 1250 -> "12.5".
std::string CentsText(Cents cents);
// "0.00": at least one integer digit, exactly two decimals, no thousands separator.
std::string MoneyText(Cents cents);

}  // namespace gr::core
