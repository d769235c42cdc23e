// A strict JSON reader for the tests: it accepts exactly the grammar of RFC 8259.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gr::admin::test {

struct JsonMember;

struct JsonNode {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonNode> items;
    std::vector<JsonMember> members;  // in document order

    // The member under key, or nullptr (also when this is not an object).
    const JsonNode* Find(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonNode value;
};

// False with a reason and the byte offset when the text is not one JSON document.
bool ParseJson(std::string_view text, JsonNode& out, std::string& error);

}  // namespace gr::admin::test
