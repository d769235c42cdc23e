#include "SiteTitle.h"

#include "LeagueSite.h"

namespace gr::site {

std::string SiteTitle(const ComPtr<IDataService>& /*dataService*/, const std::string& given) {
    return given.empty() ? kDefaultSiteTitle : given;
}

}  // namespace gr::site
