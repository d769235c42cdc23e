#include "SiteTitle.h"

#include "LeagueSite.h"

namespace gr::site {

std::string SiteTitle(const ComPtr<IDataService>& dataService, const std::string& given) {
    const ComPtr<ILeagueSettings> settings =
        dataService ? dataService.As<ILeagueSettings>() : ComPtr<ILeagueSettings>();
    if (!given.empty()) {
        // A failure to keep it is reported by the service; this publish has its title anyway.
        if (settings) settings->SetLeagueSetting(kSiteTitleSetting, given);
        return given;
    }
    std::string stored;
    bool found = false;
    if (settings && settings->GetLeagueSetting(kSiteTitleSetting, stored, found) && found &&
        !stored.empty())
        return stored;
    return kDefaultSiteTitle;
}

}  // namespace gr::site
