#include "GRNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace gr::core {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// 0 for -0 and any value that prints as zero, so no "-0" is ever shown.
double WithoutNegativeZero(double value) {
    return value == 0.0 ? 0.0 : value;
}

std::string GroupThousands(const std::string& digits) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

double NumericValue(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            seenDigit = true;
        } else if (text[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += text[i];
    }
    if (!seenDigit) return 0.0;
    double value = 0.0;
    const char* begin = number.data() + (number[0] == '+' ? 1 : 0);
    const auto result = std::from_chars(begin, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number[0] == '-' ? -std::numeric_limits<double>::max()
                                : std::numeric_limits<double>::max();
    return WithoutNegativeZero(value);
}

double RoundHalfEven(double value) {
    // The default floating-point rounding mode rounds halves to the even neighbour.
    return WithoutNegativeZero(std::nearbyint(value));
}

double RoundHalfEven(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) return value;
    return WithoutNegativeZero(std::nearbyint(scaled) / scale);
}

bool FitsLong(double value) {
    const double rounded = RoundHalfEven(value);
    return rounded >= std::numeric_limits<int32_t>::min() &&
           rounded <= std::numeric_limits<int32_t>::max();
}

int32_t ToLong(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = RoundHalfEven(value);
    if (rounded <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (rounded >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}

std::string ShortestDecimal(double value) {
    value = WithoutNegativeZero(value);
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

bool IsShortestNumber(const std::string& text) {
    return ShortestDecimal(NumericValue(text)) == text;
}

std::string FormatMoney(double value) {
    value = WithoutNegativeZero(RoundHalfEven(value, 2));
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0.00");
}

std::string FormatDollars(double value) {
    value = WithoutNegativeZero(RoundHalfEven(value));
    const bool negative = value < 0;
    const std::string digits = ShortestDecimal(std::fabs(value));
    return (negative ? "-$" : "$") + GroupThousands(digits);
}

}  // namespace gr::core
