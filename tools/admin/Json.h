// A JSON value built in memory and written as one document.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace gr::admin {

class Json {
  public:
    using Array = std::vector<Json>;
    using Object = std::vector<std::pair<std::string, Json>>;  // members keep their order

    Json() = default;  // null
    Json(bool value) : m_value(value) {}
    Json(int32_t value) : m_value(static_cast<int64_t>(value)) {}
    Json(int64_t value) : m_value(value) {}
    Json(double value) : m_value(value) {}
    Json(const char* value) : m_value(std::string(value)) {}
    Json(std::string value) : m_value(std::move(value)) {}
    Json(Array value) : m_value(std::move(value)) {}
    Json(Object value) : m_value(std::move(value)) {}

    static Json MakeArray() { return Json(Array{}); }
    static Json MakeObject() { return Json(Object{}); }

    // Appends to an array, or a member to an object; returns *this for chaining.
    Json& Push(Json value);
    Json& Set(std::string key, Json value);

    // Indented by two blanks per level, with a line break at the end.
    std::string Dump() const;

  private:
    void Write(std::string& out, int depth) const;

    std::variant<std::nullptr_t, bool, int64_t, double, std::string, Array, Object> m_value =
        nullptr;
};

// The text as a JSON string literal, quotes included. Invalid UTF-8 bytes become U+FFFD
// so that the document stays valid whatever the database holds.
std::string JsonQuote(std::string_view text);

}  // namespace gr::admin
