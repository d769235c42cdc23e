// The league's own web site: a folder of static pages (LeagueSite pages in SitePages.h, one
// stylesheet) that can be copied anywhere and read without a server. gridora-admin's publish
// command and the program's Publish League Site... both publish through this class.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "IDataService.h"
#include "SiteLeague.h"
#include "SitePublisher.h"

namespace gr::site {

// The title a site gets when the league has none stored.
inline constexpr const char* kDefaultSiteTitle = "Our Fantasy League";

class GRLeagueSite {
  public:
    explicit GRLeagueSite(SiteLeague league) : m_league(std::move(league)) {}

    // The league as the data service holds it now.
    static GRLeagueSite Read(const ComPtr<IDataService>& dataService, std::string title);

    // The stylesheet, the front page, a page per season and a page per manager.
    std::vector<SiteFile> Files() const;
    // The number of pages among the files (the stylesheet is none).
    int PageCount() const;

    PublishOutcome Publish(const std::filesystem::path& folder, bool allowForeign) const;

  private:
    SiteLeague m_league;
};

}  // namespace gr::site
