// The JSON documents of gridora-admin, built with nlohmann's json; members keep their order.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "Money.h"

namespace gr::admin {

using Json = nlohmann::ordered_json;

// Money as a JSON number that means its two decimals: a whole amount as an integer (440),
// any other with its cents (440.5, 0.58), never in exponent form.
Json JsonMoney(core::Cents cents);

// The document indented by two blanks per level, with a line break at the end. Bytes that are
// not UTF-8 are written as U+FFFD, so the document stays valid whatever the database holds.
std::string JsonDump(const Json& document);

}  // namespace gr::admin
