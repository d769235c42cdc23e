// The site's one stylesheet: phone first (tables fit the screen, only the draft board scrolls
// sideways), wider screens get room, paper gets plain black on white with the positions'
// colours kept.
#pragma once

#include <string>

namespace gr::site {

std::string SiteStylesheet();

}  // namespace gr::site
