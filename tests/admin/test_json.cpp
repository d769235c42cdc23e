#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Json.h"
#include "MiniJson.h"

namespace gr::admin {
namespace {

using test::JsonNode;

JsonNode Parsed(const std::string& text) {
    JsonNode node;
    std::string error;
    EXPECT_TRUE(test::ParseJson(text, node, error)) << error << "\n" << text;
    return node;
}

TEST(Json, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(JsonQuote("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonQuote("\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
    EXPECT_EQ(JsonQuote(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\\u007f\"");
    EXPECT_EQ(JsonQuote(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(Json, KeepsValidUtf8AndReplacesInvalidBytes) {
    EXPECT_EQ(JsonQuote("M\xC3\xBCller \xF0\x9F\x8F\x88"), "\"M\xC3\xBCller \xF0\x9F\x8F\x88\"");
    EXPECT_EQ(JsonQuote("a\xFF"
                        "b"),
              "\"a\xEF\xBF\xBD"
              "b\"");
    EXPECT_EQ(JsonQuote("\xC3"), "\"\xEF\xBF\xBD\"");  // truncated sequence
    EXPECT_EQ(JsonQuote("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");  // surrogate
    EXPECT_EQ(JsonQuote("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");                  // overlong
}

TEST(Json, DocumentReadsBackWithTheSameValues) {
    Json doc = Json::MakeObject();
    doc.Set("name", "D'Onta \"Tank\" Foreman, Jr.\n")
        .Set("count", int32_t{-42})
        .Set("share", 33.33)
        .Set("ok", true)
        .Set("nothing", Json())
        .Set("list", Json::MakeArray().Push(int32_t{1}).Push("two").Push(Json::MakeObject()))
        .Set("empty", Json::MakeArray());
    const JsonNode node = Parsed(doc.Dump());
    ASSERT_EQ(node.kind, JsonNode::Kind::Object);
    EXPECT_EQ(node.Find("name")->text, "D'Onta \"Tank\" Foreman, Jr.\n");
    EXPECT_EQ(node.Find("count")->number, -42);
    EXPECT_DOUBLE_EQ(node.Find("share")->number, 33.33);
    EXPECT_TRUE(node.Find("ok")->boolean);
    EXPECT_EQ(node.Find("nothing")->kind, JsonNode::Kind::Null);
    const JsonNode* list = node.Find("list");
    ASSERT_EQ(list->items.size(), 3u);
    EXPECT_EQ(list->items[1].text, "two");
    EXPECT_EQ(list->items[2].kind, JsonNode::Kind::Object);
    EXPECT_TRUE(node.Find("empty")->items.empty());
    EXPECT_EQ(node.members.front().key, "name");  // members keep their order
}

TEST(Json, NumbersUseTheShortestExactText) {
    EXPECT_EQ(Json(0.1).Dump(), "0.1\n");
    EXPECT_EQ(Json(12.5).Dump(), "12.5\n");
    EXPECT_EQ(Json(int64_t{5000000000}).Dump(), "5000000000\n");
    EXPECT_EQ(Json(std::numeric_limits<double>::quiet_NaN()).Dump(), "null\n");
    EXPECT_EQ(Json(std::numeric_limits<double>::infinity()).Dump(), "null\n");
}

TEST(Json, PushOnAnObjectIsAProgrammingError) {
    Json object = Json::MakeObject();
    EXPECT_THROW(object.Push(1), std::logic_error);
    Json array = Json::MakeArray();
    EXPECT_THROW(array.Set("k", 1), std::logic_error);
}

TEST(MiniJson, RejectsWhatIsNotJson) {
    JsonNode node;
    std::string error;
    for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "01", "\"a\nb\"", "'x'", "[1] x",
                            "{\"a\":1,}", "\"\\ud800\"", "nul", "1.", "-"}) {
        EXPECT_FALSE(test::ParseJson(bad, node, error)) << bad;
    }
    EXPECT_TRUE(
        test::ParseJson(" {\"a\": [1, 2.5e3, -0, \"\\u00e9\\ud83c\\udfc8\"]} ", node, error));
    EXPECT_EQ(node.Find("a")->items[3].text, "\xC3\xA9\xF0\x9F\x8F\x88");
}

}  // namespace
}  // namespace gr::admin
