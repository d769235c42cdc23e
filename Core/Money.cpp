#include "Money.h"

namespace gr::core {

namespace {

uint64_t Magnitude(Cents cents) {
    return cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
}

std::string Sign(Cents cents) {
    return cents < 0 ? "-" : "";
}

}  // namespace

Cents DivideHalfEven(Cents total, int64_t parts) {
    if (parts < 1) parts = 1;
    Cents quotient = total / parts;
    Cents remainder = total % parts;
    // On magnitudes, so that a negative total rounds as its positive counterpart does.
    const bool negative = remainder < 0;
    if (negative) remainder = -remainder;
    const Cents twice = remainder * 2;
    if (twice > parts || (twice == parts && quotient % 2 != 0)) quotient += negative ? -1 : 1;
    return quotient;
}

double CentsToAmount(Cents cents) {
    return static_cast<double>(cents) / 100.0;
}

std::string CentsText(Cents cents) {
    const uint64_t magnitude = Magnitude(cents);
    std::string text = Sign(cents) + std::to_string(magnitude / 100);
    const uint64_t fraction = magnitude % 100;
    if (fraction != 0) {
        text += "." + std::to_string(fraction / 10);
        if (fraction % 10 != 0) text += std::to_string(fraction % 10);
    }
    return text;
}

std::string MoneyText(Cents cents) {
    const uint64_t magnitude = Magnitude(cents);
    const uint64_t fraction = magnitude % 100;
    return Sign(cents) + std::to_string(magnitude / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

}  // namespace gr::core
