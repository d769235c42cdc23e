// Columns of text lined up for the terminal.
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

// The number of characters (not bytes) of UTF-8 text.
size_t DisplayWidth(std::string_view text);

}  // namespace gr::admin
