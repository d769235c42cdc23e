// A small league for the search, catalogue, draft and winnings tests, and ways to look at
// or tamper with the store around the service.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LeagueFixture.h"

namespace gr::testing {

class OpsFixture : public LeagueFixture {
  protected:
    // Season 1 (2024, current): managers 1..4 play, ranked 1..4, 4 managers x 3 rounds;
    // manager 5 plays in no season; prizes 1 (120) and 5 (10) are awarded. Players 7..
    // with apostrophes and wildcard characters in their names are added to the standard ones.
    void CreateOpsLeague(const std::function<void(LeagueWriter&)>& more = {});
    // Runs SQL on the league file; no service may hold it.
    void Execute(const std::string& sql);
    // One value read through a connection of the test's own while the service lets go of the
    // file (null reads as -1).
    int64_t Read(const ComPtr<IDataService>& service, const std::string& sql,
                 const std::vector<int32_t>& params = {});
    // Every [draft info] row of a season as "no:manager/player/team" (nulls as "-").
    std::vector<std::string> DraftRows(const ComPtr<IDataService>& service, int32_t seasonId);

    // The pickable names of a search result, in order.
    static std::vector<std::string> Names(const ComPtr<Collection>& found);
    // The player of that last name, found through the service's search.
    static ComPtr<IPickable> PlayerNamed(const ComPtr<IDataService>& service,
                                         const std::string& lastName);
    // The manager of the current season with that id.
    static ComPtr<IManagerInfo> SeasonManager(const ComPtr<IDataService>& service, int32_t id);
};

}  // namespace gr::testing
