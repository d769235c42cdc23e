#include <gtest/gtest.h>

#include <vector>

#include "Json.h"

namespace gr::admin {
namespace {

// The text as gridora-admin writes it in a document: a JSON string, quotes included.
std::string Quoted(const std::string& text) {
    const std::string dumped = JsonDump(text);
    return dumped.substr(0, dumped.size() - 1);  // without the document's line break
}

TEST(Json, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(Quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(Quoted("\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
    EXPECT_EQ(Quoted(std::string("\x01\x1f", 2)), "\"\\u0001\\u001f\"");
    EXPECT_EQ(Quoted(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(Json, KeepsValidUtf8AndReplacesInvalidBytes) {
    EXPECT_EQ(Quoted("M\xC3\xBCller \xF0\x9F\x8F\x88"), "\"M\xC3\xBCller \xF0\x9F\x8F\x88\"");
    EXPECT_EQ(Quoted("a\xFF"
                     "b"),
              "\"a\xEF\xBF\xBD"
              "b\"");
    EXPECT_EQ(Quoted("\xC3"), "\"\xEF\xBF\xBD\"");  // truncated sequence
    EXPECT_EQ(Quoted("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");  // surrogate
    EXPECT_EQ(Quoted("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");                  // overlong
}

TEST(Json, DocumentsKeepTheirMembersInOrderAndTheirLayout) {
    const Json doc = {{"name", "D'Onta \"Tank\" Foreman, Jr.\n"},
                      {"count", -42},
                      {"nothing", nullptr},
                      {"empty", Json::array()}};
    EXPECT_EQ(JsonDump(doc),
              "{\n  \"name\": \"D'Onta \\\"Tank\\\" Foreman, Jr.\\n\",\n  \"count\": -42,\n"
              "  \"nothing\": null,\n  \"empty\": []\n}\n");
}

TEST(Json, MoneyIsANumberWithItsTwoDecimalsNeverInExponentForm) {
    const std::vector<std::pair<core::Cents, std::string>> cases = {
        {44000, "440"},
        {44050, "440.5"},
        {58, "0.58"},
        {-1234, "-12.34"},
        {0, "0"},
        {-7, "-0.07"},
        {123456789012, "1234567890.12"}};
    for (const auto& [cents, text] : cases) EXPECT_EQ(JsonDump(JsonMoney(cents)), text + "\n");
}

}  // namespace
}  // namespace gr::admin
