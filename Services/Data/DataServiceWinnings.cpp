// Winning records of the current season: adding and storing them.
#include "DataService.h"

namespace gr::data {

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::AddWinning(ComPtr<IWinningInfo>& /*oNewWin*/) {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::SaveWinnings() {
    return false;
}

}  // namespace gr::data
