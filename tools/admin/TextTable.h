// Columns of text lined up for the terminal, the UTF-8 rules they rely on, and text made safe
// to show there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gr::admin {

class TextTable {
  public:
    // The cells are shown as TerminalText.
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

// Whether text holds a control character: C0 (line breaks, escape), DEL or C1 (in UTF-8).
bool HasControlCharacter(std::string_view text);
// Text as the terminal may show it: every control character written as an escape ("\x1b",
// "\u009b"), so that a name cannot move the cursor, recolour or retitle the user's terminal.
std::string TerminalText(std::string_view text);

}  // namespace gr::admin
