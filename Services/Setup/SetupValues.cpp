#include "SetupValues.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace gr::setup {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Parses an unsigned decimal field of the date; advances pos past its digits.
std::optional<unsigned> DateField(const std::string& text, size_t& pos, size_t maxDigits) {
    const size_t start = pos;
    unsigned value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < maxDigits)
        value = value * 10 + static_cast<unsigned>(text[pos++] - '0');
    if (pos == start) return std::nullopt;
    return value;
}

std::string Format(const char* pattern, const Date& date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, pattern, static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

}  // namespace

Date ZeroDate() {
    return Date{std::chrono::year{1899}, std::chrono::month{12}, std::chrono::day{30}};
}

double LeadingNumber(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    std::string number;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) number += text[pos++];
    bool seenPoint = false;
    bool seenDigit = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += c;
    }
    if (!seenDigit) return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

int32_t ReadLong(const std::string& text) {
    // nearbyint rounds in the default mode: to nearest, halves to even.
    const double rounded = std::nearbyint(LeadingNumber(text));
    if (!std::isfinite(rounded) || rounded > std::numeric_limits<int32_t>::max() ||
        rounded < std::numeric_limits<int32_t>::min())
        return 0;
    return static_cast<int32_t>(rounded);
}

Date ReadDate(const std::string& text) {
    if (LeadingNumber(text) == 0.0) return ZeroDate();
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    const auto year = DateField(text, pos, 4);
    if (!year || pos >= text.size() || text[pos++] != '-') return ZeroDate();
    const auto month = DateField(text, pos, 2);
    if (!month || pos >= text.size() || text[pos++] != '-') return ZeroDate();
    const auto day = DateField(text, pos, 2);
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (!day || pos != text.size()) return ZeroDate();
    const Date date{std::chrono::year{static_cast<int>(*year)}, std::chrono::month{*month},
                    std::chrono::day{*day}};
    return date.ok() ? date : ZeroDate();
}

std::string ShortDate(const Date& date) {
    return Format("%04d-%02u-%02u", date);
}

std::string CompactDate(const Date& date) {
    return Format("%04d%02u%02u", date);
}

std::string CounterText(int32_t counter) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", counter);
    return buffer;
}

}  // namespace gr::setup
