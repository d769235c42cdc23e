// Columns of text lined up for the terminal, and the UTF-8 rules they rely on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gr::admin {

class TextTable {
  public:
    void AddRow(std::vector<std::string> cells);
    // Every row on its own line, each cell padded to its column's width, two blanks apart;
    // each line starts with the indent and ends without blanks.
    std::string Render(std::string_view indent = "") const;

  private:
    std::vector<std::vector<std::string>> m_rows;
};

// Length of the well-formed UTF-8 sequence that starts at text[i] (1 for ASCII), or 0 when it
// is malformed, truncated, overlong or a surrogate.
size_t Utf8SequenceLength(std::string_view text, size_t i);
bool IsValidUtf8(std::string_view text);

// The number of characters (not bytes) of UTF-8 text.
size_t DisplayWidth(std::string_view text);

}  // namespace gr::admin
