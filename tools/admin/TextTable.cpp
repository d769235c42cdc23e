#include "TextTable.h"

#include <algorithm>

namespace gr::admin {

size_t DisplayWidth(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // skip continuation bytes
    }));
}

void TextTable::AddRow(std::vector<std::string> cells) {
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
