#include <gtest/gtest.h>

#include "GRStringUtils.h"

using namespace gr::ui;

TEST(GetField, SplitsElementIds) {
    EXPECT_EQ(GetField("HA", "-", 1), "HA");
    EXPECT_EQ(GetField("", "-", 1), "");
    EXPECT_EQ(GetField("GA-2", "-", 3), "");
    EXPECT_EQ(GetField("GA-2", "-", 2), "2");
    EXPECT_EQ(GetField("AB-3-12", "-", 2), "3");
    EXPECT_EQ(GetField("AB-3-12", "-", 3), "12");
    EXPECT_EQ(GetField("AB", "-", 2), "");
}

TEST(GetField, NBelowOneCountsAsOneAndEmptyDelimiterGivesAll) {
    EXPECT_EQ(GetField("AB-3", "-", 0), "AB");
    EXPECT_EQ(GetField("AB-3", "-", -4), "AB");
    EXPECT_EQ(GetField("AB-3", "", 2), "AB-3");
}

TEST(GetField, DelimiterIsFoundWithoutCaseAndMayBeLong) {
    EXPECT_EQ(GetField("oneXtwoxthree", "x", 3), "three");
    EXPECT_EQ(GetField("a::b::c", "::", 2), "b");
    EXPECT_EQ(GetField("a--", "-", 2), "");
    EXPECT_EQ(GetField("a--", "-", 3), "");
    EXPECT_EQ(GetField("1\tBob Smith\tTom Brady", "\t", 3), "Tom Brady");
}

TEST(HtmlEscape, EscapesEveryCharacterThatCouldOpenMarkup) {
    EXPECT_EQ(HtmlEscape("<img src=x onerror='a()'>&\""),
              "&lt;img src=x onerror=&#39;a()&#39;&gt;&amp;&quot;");
    EXPECT_EQ(HtmlEscape("O'Neil"), "O&#39;Neil");
    EXPECT_EQ(HtmlEscape(""), "");
}

TEST(LeadingNumber, ReadsTheLeadingDigitsOnly) {
    EXPECT_EQ(LeadingNumber("12"), 12);
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("x1"), 0);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("99999999999"), 0);  // out of range is not a number
}

TEST(WebdingsSymbol, GivesASymbolForEveryGlyphThePagesUse) {
    for (const char c : std::string("rNl6543")) {
        const std::string s = WebdingsSymbol(c);
        EXPECT_NE(s, std::string(1, c)) << c;
        EXPECT_GE(s.size(), 3u) << c;  // a non-ASCII symbol
    }
    EXPECT_EQ(WebdingsSymbol('z'), "z");
    EXPECT_EQ(WebdingsGlyphHtml('r'), "<span class='glyph'>\u2716</span>");
}
