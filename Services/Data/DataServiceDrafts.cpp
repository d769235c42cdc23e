// Ranking and draft persistence of the current season.
#include "DataService.h"

namespace gr::data {

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::SaveRanking() {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::DisableRanking() {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::SaveDrafts() {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::DeleteDrafts() {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::DisableDrafting() {
    return false;
}

}  // namespace gr::data
