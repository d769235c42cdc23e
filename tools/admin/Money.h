// Shares of prize money, kept exact in cents.
#pragma once

#include <cstdint>
#include <string>

namespace gr::admin {

// amount / winners in cents, a half cent going to the even neighbour. winners >= 1.
int64_t ShareInCents(int64_t amount, int64_t winners);

// Cents as a plain decimal number without trailing zeros: 3333 -> "33.33", 500 -> "5",
// 1250 -> "12.5".
std::string CentsText(int64_t cents);

}  // namespace gr::admin
