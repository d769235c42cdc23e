#include "LeagueSite.h"

#include <utility>

#include "SitePages.h"
#include "SiteStyle.h"

namespace gr::site {

GRLeagueSite GRLeagueSite::Read(const ComPtr<IDataService>& dataService, std::string title) {
    return GRLeagueSite(ReadSiteLeague(dataService, std::move(title)));
}

std::vector<SiteFile> GRLeagueSite::Files() const {
    std::vector<SiteFile> files;
    files.push_back({kStylesheetFile, SiteStylesheet()});
    files.push_back({kIndexFile, IndexPage(m_league)});
    for (const SiteSeason& season : m_league.seasons)
        files.push_back({SeasonFile(season.year), SeasonPage(m_league, season)});
    for (const auto* group : {&m_league.allSeasons.playing, &m_league.allSeasons.nonPlaying})
        for (const reports::LeagueMoneyRow& manager : *group)
            files.push_back({ManagerFile(manager.managerId), ManagerPage(m_league, manager)});
    return files;
}

int GRLeagueSite::PageCount() const {
    return static_cast<int>(1 + m_league.seasons.size() + m_league.allSeasons.playing.size() +
                            m_league.allSeasons.nonPlaying.size());
}

PublishOutcome GRLeagueSite::Publish(const std::filesystem::path& folder, bool allowForeign) const {
    return PublishSiteFiles(folder, Files(), allowForeign);
}

}  // namespace gr::site
