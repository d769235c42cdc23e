#include <gtest/gtest.h>

#include "GRPickUtils.h"

namespace {

std::vector<int32_t> RanksOfRound(int32_t round, int32_t managers) {
    std::vector<int32_t> ranks;
    for (int32_t place = 1; place <= managers; ++place) {
        const int32_t pick = (round - 1) * managers + place;
        ranks.push_back(gr::GetDraftSlot(pick, managers)->managerRank);
    }
    return ranks;
}

TEST(SnakeOrder, TenManagersGoOutAndBack) {
    EXPECT_EQ(RanksOfRound(1, 10), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(RanksOfRound(2, 10), (std::vector<int32_t>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(RanksOfRound(3, 10), RanksOfRound(1, 10));
}

TEST(SnakeOrder, TwelveManagersTurnAtTheRoundBoundary) {
    auto last = gr::GetDraftSlot(12, 12);
    auto next = gr::GetDraftSlot(13, 12);
    ASSERT_TRUE(last && next);
    EXPECT_EQ(last->round, 1);
    EXPECT_EQ(last->managerRank, 12);
    EXPECT_EQ(next->round, 2);
    EXPECT_EQ(next->place, 1);
    EXPECT_EQ(next->managerRank, 12);
    EXPECT_EQ(gr::GetDraftSlot(24, 12)->managerRank, 1);
    EXPECT_EQ(gr::GetDraftSlot(25, 12)->managerRank, 1);
    EXPECT_EQ(gr::GetDraftSlot(192, 12)->round, 16);
}

TEST(SnakeOrder, NoManagersOrNoPickGiveNothing) {
    EXPECT_FALSE(gr::GetDraftSlot(1, 0));
    EXPECT_FALSE(gr::GetDraftSlot(1, -3));
    EXPECT_FALSE(gr::GetDraftSlot(0, 10));
    EXPECT_EQ(gr::RoundOfPick(5, 0), 0);
}

TEST(SnakeOrder, OneManagerPicksEveryTime) {
    for (int32_t p = 1; p <= 5; ++p) {
        EXPECT_EQ(gr::GetDraftSlot(p, 1)->managerRank, 1);
        EXPECT_EQ(gr::GetDraftSlot(p, 1)->round, p);
    }
}

// The refusal of a pick reads the season's tab-separated picked info; missing fields are empty.
TEST(TakenPick, NoticeFromPickedInfo) {
    const std::pair<const char*, const char*> cases[] = {
        {"3\tBob Smith\tAnn Bee", "Dude, Bob Smith already took Ann Bee in round #3."},
        {"2\tAl", "Dude, Al already took  in round #2."},
        {"1\tAl\tGreen Bay\textra", "Dude, Al already took Green Bay in round #1."},
        {"", "Dude,  already took  in round #."},
    };
    for (const auto& [info, notice] : cases)
        EXPECT_EQ(gr::AlreadyTookNotice(gr::ParsePickedInfo(info)), notice) << info;
}

}  // namespace
