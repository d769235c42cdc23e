// Text made safe to stand in HTML, as an element's content or a quoted attribute's value:
// a name such as <script> or "O'Neil & Sons" shows as the characters it is made of.
#pragma once

#include <string>
#include <string_view>

namespace gr::core {

// & < > " ' as character references; every other byte as it is (UTF-8 stays UTF-8).
std::string HtmlEscape(std::string_view text);

}  // namespace gr::core
