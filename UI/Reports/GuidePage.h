// The user guide page: frequently asked questions and a short description of each screen.
// Fixed text, built in the program; it reads no data.
#pragma once

#include <string>

namespace gr::ui {

// The whole page: one table of heading, text and blank rows.
std::string BuildGuidePage();

}  // namespace gr::ui
