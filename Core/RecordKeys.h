// Collection keys of records: "K" followed by the decimal id. The data service keeps the
// managers and prizes of a season, the seasons and its reference lists under these keys, and
// the screens, the reports and gridora-admin look records up by them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace gr::core {

std::string RecordKey(int32_t id);
// The key of an id held as decimal text, as a winning holds its manager's and prize's ids.
std::string RecordKey(std::string_view id);

}  // namespace gr::core
