#include "GRStringUtils.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "HtmlParser.h"

namespace gr::ui {

namespace {

// Position of needle in haystack from start, letters compared without case; npos when absent.
size_t FindNoCase(const std::string& haystack, const std::string& needle, size_t start) {
    const auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(start),
                                haystack.end(), needle.begin(), needle.end(), [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) ==
                                           std::tolower(static_cast<unsigned char>(b));
                                });
    return it == haystack.end() ? std::string::npos : static_cast<size_t>(it - haystack.begin());
}

}  // namespace

std::string GetField(const std::string& text, const std::string& delimiter, int32_t n) {
    if (text.empty()) return {};
    if (delimiter.empty()) return text;
    size_t start = 0;
    for (int32_t skipped = 1; skipped < n; ++skipped) {
        const size_t at = FindNoCase(text, delimiter, start);
        if (at == std::string::npos) return {};
        start = at + delimiter.size();
    }
    const size_t end = FindNoCase(text, delimiter, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string HtmlEscape(const std::string& text) {
    return EscapeHtml(text);
}

int32_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int32_t>::max()) return 0;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string WebdingsSymbol(char webdings) {
    switch (webdings) {
        case 'r':
            return "\u2716";  // heavy multiplication x
        case 'N':
            return "\U0001F50D";  // magnifying glass
        case 'l':
            return "\u271A";  // heavy greek cross
        case '6':
            return "\u25BC";  // down
        case '5':
            return "\u25B2";  // up
        case '4':
            return "\u25B6";  // right
        case '3':
            return "\u25C0";  // left
        default:
            return std::string(1, webdings);
    }
}

std::string WebdingsGlyphHtml(char webdings) {
    return "<span class='glyph'>" + HtmlEscape(WebdingsSymbol(webdings)) + "</span>";
}

}  // namespace gr::ui
