// The manager ranking's rules without a window: on in-memory seasons.
#include <gtest/gtest.h>

#include <set>

#include "RankingRules.h"
#include "UiFakes.h"

namespace gr::ui::test {
namespace {

// Managers by first name with their stored ranks, listed in the season in this order.
ComPtr<FakeSeason> Season(int32_t count, const std::vector<std::pair<std::string, int32_t>>& m) {
    auto season = MakeCom<FakeSeason>();
    season->noOfManagers = count;
    int32_t id = 10;
    for (const auto& [first, rank] : m) {
        ++id;
        season->managers->Add(MakeCom<FakeManager>(id, first, "L", rank), "K" + std::to_string(id));
    }
    return season;
}

std::vector<std::string> Labels(const RankingRules& rules) {
    std::vector<std::string> labels;
    for (int32_t i = 1; i <= rules.ManagerCount(); ++i)
        labels.push_back(rules.ManagerLabel(i) + "=" + std::to_string(rules.RankShown(i)));
    return labels;
}

TEST(RankingRules, WhatTheTableListsAndWhichCommandsAreOpen) {
    const std::vector<std::pair<std::string, int32_t>> ranked{{"cy", 2}, {"Al", 3}, {"bo", 1}};
    const std::vector<std::pair<std::string, int32_t>> open{{"cy", 0}, {"Al", 0}, {"bo", 0}};
    struct Case {
        const char* what;
        ComPtr<FakeSeason> season;
        bool locked, drafted;
        std::vector<std::string> rows;
        bool shuffle, clearAndSave;
    };
    const Case cases[] = {
        {"open, by name with stored ranks",
         Season(3, ranked),
         false,
         false,
         {"Al [12]=3", "bo [13]=1", "cy [11]=2"},
         true,
         true},
        {"unranked: positions, only Shuffle",
         Season(3, open),
         false,
         false,
         {"Al [12]=1", "bo [13]=2", "cy [11]=3"},
         true,
         false},
        {"locked: by rank, nothing open",
         Season(3, ranked),
         true,
         false,
         {"bo [13]=1", "cy [11]=2", "Al [12]=3"},
         false,
         false},
        {"drafted: by rank",
         Season(3, ranked),
         false,
         true,
         {"bo [13]=1", "cy [11]=2", "Al [12]=3"},
         true,
         true},
        {"too few managers",
         Season(4, ranked),
         false,
         false,
         {"Al [12]=3", "bo [13]=1", "cy [11]=2", "XYZ=4"},
         false,
         false},
        {"no managers", Season(0, {}), false, false, {}, false, false},
        {"no season", nullptr, false, false, {}, false, false},
    };
    for (const Case& c : cases) {
        if (c.season) {
            c.season->rankingLocked = c.locked;
            c.season->drafts->Add(MakeCom<FakeDraft>(
                1, c.drafted ? MakeCom<FakePlayer>(1, "A", "B") : ComPtr<FakePlayer>()));
        }
        RankingRules rules;
        rules.Load(c.season);
        EXPECT_EQ(Labels(rules), c.rows) << c.what;
        EXPECT_EQ(rules.HasDrafts(), c.drafted) << c.what;
        const RankingCommands commands = rules.Commands();
        EXPECT_EQ(commands.shuffle, c.shuffle) << c.what;
        EXPECT_EQ(commands.clear, c.clearAndSave) << c.what;
        EXPECT_EQ(commands.save, c.clearAndSave) << c.what;
        EXPECT_FALSE(rules.IsChanged());
    }
}

TEST(RankingRules, ShuffleResetAndWhatAStoreWrites) {
    const auto season = Season(5, {{"e", 1}, {"d", 2}, {"c", 3}, {"b", 4}, {"a", 5}});
    RankingRules rules;
    rules.Load(season);
    rules.Shuffle(7, 8);
    EXPECT_TRUE(rules.IsChanged());
    const auto ranks = rules.Ranks();
    EXPECT_EQ(std::set<int32_t>(ranks.begin(), ranks.end()), (std::set<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rules.DisplayList()->Count(), 5);
    EXPECT_TRUE(rules.DisplayList()->Contains("K11")) << "re-keyed by id";
    RankingRules again;
    again.Load(season);
    again.Shuffle(7, 8);
    EXPECT_EQ(Labels(again), Labels(rules)) << "the seeds alone decide";
    again.Shuffle(7, 9);
    EXPECT_NE(again.Ranks(), rules.Ranks());

    rules.AssignRanks();
    for (int32_t i = 1; i <= 5; ++i)
        EXPECT_EQ(rules.DisplayList()->ItemAs<IManagerInfo>(i)->get_Rank(), rules.Ranks()[i - 1]);
    rules.Locked();
    EXPECT_FALSE(rules.IsChanged());

    rules.Reset();
    EXPECT_EQ(Labels(rules), (std::vector<std::string>{"a [15]=1", "b [14]=2", "c [13]=3",
                                                       "d [12]=4", "e [11]=5"}));
    EXPECT_FALSE(rules.Commands().save) << "unranked again";
    EXPECT_FALSE(rules.IsChanged()) << "the window marks a Clear";
}

}  // namespace
}  // namespace gr::ui::test
