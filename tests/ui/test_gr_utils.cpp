#include <gtest/gtest.h>

#include "GRUtils.h"
#include "UiFakes.h"

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;

namespace {

std::vector<std::string> FirstNames(const ComPtr<Collection>& c) {
    std::vector<std::string> out;
    for (const auto& m : c->ItemsAs<IManagerInfo>()) out.push_back(m->get_FirstName());
    return out;
}

}  // namespace

TEST(SortManagers, ByNameIgnoresCaseAndKeepsEqualNamesInOrder) {
    const auto c = Items(MakeCom<FakeManager>(1, "bob", "x"), MakeCom<FakeManager>(2, "Al", "y"),
                         MakeCom<FakeManager>(3, "Bob", "z"));
    const auto sorted = SortManagers(c, SortByName);
    EXPECT_EQ(FirstNames(sorted), (std::vector<std::string>{"Al", "bob", "Bob"}));
    EXPECT_EQ(c->Count(), 3);  // a new collection; the input is unchanged
    EXPECT_EQ(c->ItemAs<IManagerInfo>(1)->get_FirstName(), "bob");
}

TEST(SortManagers, ByRankIsStable) {
    const auto c = Items(MakeCom<FakeManager>(1, "a", "", 3), MakeCom<FakeManager>(2, "b", "", 1),
                         MakeCom<FakeManager>(3, "c", "", 2), MakeCom<FakeManager>(4, "d", "", 1));
    const auto sorted = SortManagers(c, SortByRank);
    EXPECT_EQ(FirstNames(sorted), (std::vector<std::string>{"b", "d", "c", "a"}));
    EXPECT_EQ(sorted->KeyAt(1), "");
}

TEST(SortManagers, NoneOrEmptyGivesNone) {
    EXPECT_FALSE(SortManagers({}, SortByName));
    EXPECT_FALSE(SortManagers(Collection::Create(), SortByRank));
}

TEST(SortSeasonsByYear, NewestFirst) {
    const auto c =
        Items(MakeCom<FakeSeason>(2019), MakeCom<FakeSeason>(2021), MakeCom<FakeSeason>(2020));
    const auto sorted = SortSeasonsByYear(c);
    ASSERT_EQ(sorted->Count(), 3);
    EXPECT_EQ(sorted->ItemAs<ISeasonInfo>(1)->get_Year(), 2021);
    EXPECT_EQ(sorted->ItemAs<ISeasonInfo>(2)->get_Year(), 2020);
    EXPECT_EQ(sorted->ItemAs<ISeasonInfo>(3)->get_Year(), 2019);
    EXPECT_FALSE(SortSeasonsByYear(Collection::Create()));
}

TEST(Colours, RowsAlternateAndHighlightIsGreen) {
    EXPECT_EQ(GetRowColor(2), "FFCCFF");
    EXPECT_EQ(GetRowColor(0), "FFCCFF");
    EXPECT_EQ(GetRowColor(1), "CCFFFF");
    EXPECT_EQ(GetRowColor(-1), "CCFFFF");
    EXPECT_EQ(GetHighlightColor(), "99FF99");
}

TEST(GetManagerName, JoinsNamesAndIsEmptyWithoutManager) {
    EXPECT_EQ(GetManagerName(MakeCom<FakeManager>(1, "Ann", "Lee")), "Ann Lee");
    EXPECT_EQ(GetManagerName({}), "");
}

TEST(FormatPickedInfo, PlayersInBothStylesOthersEmpty) {
    const std::string info = "3\tBob Smith\tTom Brady";
    EXPECT_EQ(FormatPickedInfo(PickedPlayer, info, "1"),
              "Dude, Bob Smith already took Tom Brady in round #3.");
    EXPECT_EQ(FormatPickedInfo(PickedPlayer, info, "2"), " (Bob Smith R3)");
    EXPECT_EQ(FormatPickedInfo(PickedTeam, info, "1"), "");
    EXPECT_EQ(FormatPickedInfo(PickedTeam, info, "2"), "");
    EXPECT_EQ(FormatPickedInfo(PickedManager, info, "2"), "");
}

TEST(CountPrizeWinners, WeeklyPrizesCountPerWeekSeasonPrizesTogether) {
    const auto weekly = MakeCom<FakePrizeType>(2, "Weekly");
    const auto once = MakeCom<FakePrizeType>(1, "Season");
    const auto prizes = Collection::Create();
    prizes->Add(MakeCom<FakePrize>(5, "High score", weekly, 20), "K5");
    prizes->Add(MakeCom<FakePrize>(1, "Champion", once, 300), "K1");
    const auto winnings = Items(
        MakeCom<FakeWinning>("1", "5", 3), MakeCom<FakeWinning>("2", "5", 3),
        MakeCom<FakeWinning>("3", "5", 4), MakeCom<FakeWinning>("1", "1", 3),
        MakeCom<FakeWinning>("2", "1", 4), MakeCom<FakeWinning>("4", "5", 4, ActionTypeRemove),
        MakeCom<FakeWinning>("4", "9", 4));
    const auto counts = CountPrizeWinners(winnings, prizes);
    EXPECT_EQ(counts.at("K5^3"), 2);
    EXPECT_EQ(counts.at("K5^4"), 1);  // the removed winning does not count
    EXPECT_EQ(counts.at("K1^1"), 2);
    EXPECT_EQ(counts.count("K9^4"), 0u);  // unknown prize skipped
    EXPECT_EQ(counts.size(), 3u);
    EXPECT_TRUE(CountPrizeWinners({}, prizes).empty());
}

TEST(IsDraftEmpty, TrueUnlessSomePickHoldsAPlayerOrTeam) {
    const auto season = MakeCom<FakeSeason>();
    EXPECT_TRUE(IsDraftEmpty(season));
    season->drafts->Add(MakeCom<FakeDraft>(1));
    EXPECT_TRUE(IsDraftEmpty(season));
    season->drafts->Add(MakeCom<FakeDraft>(2, MakeCom<FakeTeam>(1, "NE", "New England", "Pats")));
    EXPECT_FALSE(IsDraftEmpty(season));
    EXPECT_TRUE(IsDraftEmpty({}));
}

TEST(GetDraftSlot, SnakeOrder) {
    struct Case {
        int pick, managers, slot, round, inRound;
    };
    const Case cases[] = {{1, 10, 1, 1, 1},   {10, 10, 10, 1, 10}, {11, 10, 10, 2, 1},
                          {20, 10, 1, 2, 10}, {21, 10, 1, 3, 1},   {12, 12, 12, 1, 12},
                          {13, 12, 12, 2, 1}, {24, 12, 1, 2, 12},  {25, 12, 1, 3, 1},
                          {3, 1, 1, 3, 1}};
    for (const Case& c : cases) {
        int32_t slot = 0, round = 0, inRound = 0;
        GetDraftSlot(c.pick, c.managers, slot, round, inRound);
        EXPECT_EQ(slot, c.slot) << c.pick << "/" << c.managers;
        EXPECT_EQ(round, c.round) << c.pick << "/" << c.managers;
        EXPECT_EQ(inRound, c.inRound) << c.pick << "/" << c.managers;
    }
}

TEST(GetDraftSlot, WithoutManagersNothingIsSet) {
    int32_t slot = 7, round = 8, inRound = 9;
    GetDraftSlot(5, 0, slot, round, inRound);
    EXPECT_EQ(slot, 7);
    EXPECT_EQ(round, 8);
    EXPECT_EQ(inRound, 9);
    GetDraftSlot(3, -2, slot, round, inRound);
    EXPECT_EQ(slot, 7);
}

TEST(GetDraftSlot, APickNumberBelowOneSetsNothing) {
    int32_t slot = 7, round = 8, inRound = 9;
    GetDraftSlot(0, 10, slot, round, inRound);
    GetDraftSlot(-4, 10, slot, round, inRound);
    EXPECT_EQ(slot, 7);
    EXPECT_EQ(round, 8);
    EXPECT_EQ(inRound, 9);
}
