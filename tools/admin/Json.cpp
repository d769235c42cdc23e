#include "Json.h"

namespace gr::admin {

Json JsonMoney(core::Cents cents) {
    // Below 2^53 cents a double holds every cent exactly, and the library writes the shortest
    // text that reads back as it: the amount's own digits.
    if (cents % 100 == 0) return cents / 100;
    return core::CentsToAmount(cents);
}

std::string JsonDump(const Json& document) {
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace gr::admin
