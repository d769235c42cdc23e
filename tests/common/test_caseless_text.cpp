// Reading order and LIKE without regard to case, beyond ASCII, as every connection has them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CaselessText.h"

using gr::db::CompareCaseless;
using gr::db::LikeCaseless;

TEST(CaselessText, NamesSortAsAPersonReadsThem) {
    std::vector<std::string> names{"DeVante", "deebo", "DeeJay", "Deebo", "DeAndre",
                                   "Émile",   "élan",  "Zoe",    "Dee"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareCaseless(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"DeAndre", "Dee", "Deebo", "deebo", "DeeJay",
                                               "DeVante", "Zoe", "élan", "Émile"}));
    EXPECT_EQ(CompareCaseless("", ""), 0);
    EXPECT_LT(CompareCaseless("", "a"), 0);
    EXPECT_LT(CompareCaseless("ωmega", "ΩMEGB"), 0);
    // Broken UTF-8 compares byte by byte, never past the end, and a stray byte is no letter.
    EXPECT_NE(CompareCaseless("a\xC3", "a\xC3\xA9"), 0);
    EXPECT_NE(CompareCaseless("\xFF", "\xFE"), 0);
    EXPECT_FALSE(LikeCaseless("\xE9", "\xC3\xA9", 0));  // a lone byte 0xE9 is not "é"
}

TEST(CaselessText, LikeMatchesWithoutRegardToCaseWithWildcardsAndEscape) {
    EXPECT_TRUE(LikeCaseless("all%", "Allen", '\\'));
    EXPECT_TRUE(LikeCaseless("ÉMI%", "émile", '\\'));
    EXPECT_TRUE(LikeCaseless("%STRASSE%", "Hauptstrasse 1", '\\'));
    EXPECT_TRUE(LikeCaseless("%ö%", "BJÖRN", 0));
    EXPECT_TRUE(LikeCaseless("_mile", "Émile", 0));  // "_" is one letter, not one byte
    EXPECT_TRUE(LikeCaseless("%a%b%", "xxaxxbxx", 0));
    EXPECT_TRUE(LikeCaseless("%", "", 0));
    EXPECT_FALSE(LikeCaseless("_", "", 0));
    EXPECT_FALSE(LikeCaseless("llen%", "Allen", '\\'));
    EXPECT_FALSE(LikeCaseless("%a%b", "xxaxxbxx", 0));
    // Escaped wildcards and the escape itself match only themselves.
    EXPECT_TRUE(LikeCaseless("50\\%%", "50% off", '\\'));
    EXPECT_FALSE(LikeCaseless("50\\%%", "500 off", '\\'));
    EXPECT_TRUE(LikeCaseless("a\\_b", "A_B", '\\'));
    EXPECT_FALSE(LikeCaseless("a\\_b", "axb", '\\'));
    EXPECT_TRUE(LikeCaseless("c\\\\d", "C\\D", '\\'));
    EXPECT_FALSE(LikeCaseless("ab\\", "ab", '\\'));  // an escape with nothing after it
    // A long run of "%" and a long text end quickly.
    EXPECT_FALSE(LikeCaseless(std::string(200, '%') + "z", std::string(5000, 'a'), 0));
}
