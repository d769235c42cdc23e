#include "Money.h"

namespace gr::admin {

int64_t ShareInCents(int64_t amount, int64_t winners) {
    const int64_t total = amount * 100;
    int64_t quotient = total / winners;
    int64_t remainder = total % winners;
    // Work on magnitudes so that negative amounts round symmetrically.
    const bool negative = remainder < 0;
    if (negative) remainder = -remainder;
    const int64_t twice = remainder * 2;
    if (twice > winners || (twice == winners && quotient % 2 != 0)) quotient += negative ? -1 : 1;
    return quotient;
}

std::string CentsText(int64_t cents) {
    const bool negative = cents < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 100);
    const uint64_t fraction = magnitude % 100;
    if (fraction != 0) {
        text += "." + std::to_string(fraction / 10);
        if (fraction % 10 != 0) text += std::to_string(fraction % 10);
    }
    return text;
}

}  // namespace gr::admin
