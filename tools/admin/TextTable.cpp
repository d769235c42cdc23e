#include "TextTable.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace gr::admin {

size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char min2 = 0x80, max2 = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) min2 = 0xA0;
        if (lead == 0xED) max2 = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) min2 = 0x90;
        if (lead == 0xF4) max2 = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        const unsigned char lo = k == 1 ? min2 : 0x80;
        const unsigned char hi = k == 1 ? max2 : 0xBF;
        if (c < lo || c > hi) return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

size_t DisplayWidth(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // skip continuation bytes
    }));
}

namespace {

// The length of the control character at text[i]: 1 for C0 and DEL, 2 for C1 (its UTF-8 is
// C2 80 to C2 9F); 0 for any other character.
size_t ControlLength(std::string_view text, size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return 1;
    if (c != 0xC2 || i + 1 >= text.size()) return 0;
    const auto next = static_cast<unsigned char>(text[i + 1]);
    return next >= 0x80 && next <= 0x9F ? 2 : 0;
}

}  // namespace

bool HasControlCharacter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (ControlLength(text, i) > 0) return true;
    return false;
}

std::string TerminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = ControlLength(text, i);
        if (length == 0) {
            shown.push_back(text[i++]);
            continue;
        }
        // A C1 character's code point is its second byte.
        const auto code = static_cast<unsigned char>(text[i + length - 1]);
        std::array<char, 8> escape{};
        std::snprintf(escape.data(), escape.size(), length == 1 ? "\\x%02x" : "\\u%04x", code);
        shown += escape.data();
        i += length;
    }
    return shown;
}

void TextTable::AddRow(std::vector<std::string> cells) {
    for (std::string& cell : cells) cell = TerminalText(cell);
    m_rows.push_back(std::move(cells));
}

std::string TextTable::Render(std::string_view indent) const {
    std::vector<size_t> widths;
    for (const auto& row : m_rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
    std::string text;
    for (const auto& row : m_rows) {
        std::string line(indent);
        for (size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) line.append(widths[i] - DisplayWidth(row[i]) + 2, ' ');
        }
        // An empty last cell leaves no padding at the end of the line.
        while (line.size() > indent.size() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text;
}

}  // namespace gr::admin
