#include "RecordKeys.h"

namespace gr::core {

namespace {

constexpr char kRecordKeyLetter = 'K';

}  // namespace

std::string RecordKey(int32_t id) {
    return kRecordKeyLetter + std::to_string(id);
}

std::string RecordKey(std::string_view id) {
    std::string key(1, kRecordKeyLetter);
    key += id;
    return key;
}

}  // namespace gr::core
