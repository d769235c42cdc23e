// The title of the league's site, kept in the league's settings once given, so that every
// later publish (from the command line or the program) uses it without being told again.
#pragma once

#include <string>

#include "IDataService.h"

namespace gr::site {

// The name of the league setting that holds the title.
inline constexpr const char* kSiteTitleSetting = "site title";

// A non-empty given title is kept in the league's settings and returned; without one, the
// title kept before, or the default when none was ever given.
std::string SiteTitle(const ComPtr<IDataService>& dataService, const std::string& given);

}  // namespace gr::site
