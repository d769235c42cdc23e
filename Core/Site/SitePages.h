// The pages of the published league site, each one whole HTML5 document built from the plain
// league (SiteLeague.h): the front page with the money of the current season, all seasons and
// the past champions; a page per season with its managers, draft board, prizes and winnings;
// a page per manager with the seasons played, the picks and the balance over the years. Every
// name is escaped; the pages load nothing but the one stylesheet beside them and run no script.
#pragma once

#include <string>

#include "SiteLeague.h"

namespace gr::site {

inline constexpr const char* kIndexFile = "index.html";
inline constexpr const char* kStylesheetFile = "style.css";
std::string SeasonFile(int32_t year);
std::string ManagerFile(int32_t managerId);

std::string IndexPage(const SiteLeague& league);
std::string SeasonPage(const SiteLeague& league, const SiteSeason& season);
std::string ManagerPage(const SiteLeague& league, const reports::LeagueMoneyRow& manager);

// The class that colours a pick of the position with this abbreviation ("p-qb").
std::string PositionClass(std::string_view abbr);

}  // namespace gr::site
