// Catalogue editing: players, positions, managers and prizes.
#include "DataService.h"

namespace gr::data {

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::UpdatePlayer(const std::string& /*LastName*/, const std::string& /*FirstName*/,
                               int32_t /*Position*/, int32_t /*Team*/, bool /*IsRetired*/,
                               int32_t& /*ID*/, ComPtr<IPlayerInfo>& /*oNewPlayer*/,
                               std::string& /*ErrorMessage*/) {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::UpdatePosition(const std::string& /*Desc*/, const std::string& /*Abbr*/,
                                 int32_t& /*ID*/, ComPtr<IPositionInfo>& /*oNewPosition*/,
                                 std::string& /*ErrorMessage*/) {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::UpdateManager(const std::string& /*LastName*/, const std::string& /*FirstName*/,
                                int32_t& /*ID*/, ComPtr<IManagerTmplInfo>& /*oNewManagerTmpl*/,
                                std::string& /*ErrorMessage*/) {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::UpdatePrize(const std::string& /*Name*/, int32_t /*PrizeTypeID*/, int32_t& /*ID*/,
                              ComPtr<IPrizeTmplInfo>& /*oNewPrize*/,
                              std::string& /*ErrorMessage*/) {
    return false;
}

// Provisional: replaced by the draft/search/catalogue/winnings work.
bool DataService::Delete(InfoTypeEnum /*DeleteType*/, int32_t /*ID*/,
                         std::string& /*ErrorMessage*/) {
    return false;
}

}  // namespace gr::data
