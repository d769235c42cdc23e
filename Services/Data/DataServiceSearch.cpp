// Search of the catalogue by name or description.
#include "DataService.h"

namespace gr::data {

// Provisional: replaced by the draft/search/catalogue/winnings work.
ComPtr<Collection> DataService::Search(InfoTypeEnum /*SearchType*/,
                                       const std::string& /*SearchText*/, bool /*CurSeasonOnly*/,
                                       bool /*SkipRetiredPlayers*/) {
    return {};
}

}  // namespace gr::data
