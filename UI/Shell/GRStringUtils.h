// Text routines shared by the screens.
#pragma once

#include <cstdint>
#include <string>

namespace gr::ui {

// The n-th field (from 1) of text split at delimiter, the delimiter found case-insensitively.
// Empty text gives empty text, an empty delimiter the whole text, a missing field empty text;
// n below 1 counts as 1.
std::string GetField(const std::string& text, const std::string& delimiter, int32_t n);

// Text from data or from the user, made safe to place in a page (content or quoted attribute).
std::string HtmlEscape(const std::string& text);

// The leading decimal number of text (as element id indices are read); 0 when there is none.
int32_t LeadingNumber(const std::string& text);

// The symbol shown for a Webdings character of the pages: "r" delete, "N" search, "l" add,
// "6" down, "5" up, "4" right, "3" left. Other characters come back unchanged.
std::string WebdingsSymbol(char webdings);
// The symbol wrapped in the element that gives it the symbol font.
std::string WebdingsGlyphHtml(char webdings);

}  // namespace gr::ui
