// The winnings editor's rules without a window: on an in-memory season.
#include <gtest/gtest.h>

#include "UiFakes.h"
#include "WinningsRules.h"

namespace gr::ui::test {
namespace {

struct WinningsFixture : ::testing::Test {
    WinningsFixture() {
        for (const auto& [id, first] :
             {std::pair{1, "Al"}, std::pair{2, "Bo"}, std::pair{3, "Cy"}}) {
            auto manager = MakeCom<FakeManager>(id, first, "L");
            manager->tmpl = MakeCom<FakeManagerTmpl>(id, first, "Last");
            season->managers->Add(manager, "K" + std::to_string(id));
        }
        season->prizes->Add(MakeCom<FakePrize>(10, "Champion", MakeCom<FakePrizeType>(1, "S"), 100),
                            "K10");
        season->prizes->Add(MakeCom<FakePrize>(20, "Weekly", MakeCom<FakePrizeType>(2, "W"), 10),
                            "K20");
        season->prizes->Add(MakeCom<FakePrize>(30, "Odd", MakeCom<FakePrizeType>(3, "O"), 9),
                            "K30");
    }
    // A winning under key "W<n>" (stored when id > 0).
    ComPtr<FakeWinning> Win(const std::string& manager, const std::string& prize, int32_t week,
                            int32_t id = 0, ActionTypeEnum action = ActionTypeAdd) {
        auto winning = MakeCom<FakeWinning>(manager, prize, week, action);
        winning->key = "W" + std::to_string(++keys);
        winning->id = id;
        season->winnings->Add(winning, winning->key);
        return winning;
    }

    ComPtr<FakeSeason> season = MakeCom<FakeSeason>();
    WinningsRules rules;
    int32_t keys = 0;
};

TEST_F(WinningsFixture, SharesSplitEachPrizeAndWeekAmongItsWinners) {
    const auto a = Win("1", "10", 0), b = Win("2", "10", 0), c = Win("3", "10", 0);
    const auto d = Win("1", "20", 3), e = Win("2", "20", 3), f = Win("3", "20", 4);
    const auto g = Win("1", "30", 0), gone = Win("2", "30", 0, 7, ActionTypeRemove);
    const auto open = Win("", "20", 0);
    rules.Load(season);
    const auto counts = rules.CountWinners();
    const std::pair<ComPtr<FakeWinning>, const char*> cases[] = {
        {a, "33.33"}, {b, "33.33"}, {c, "33.33"}, {d, "5"}, {e, "5"}, {f, "10"}, {g, "9"}};
    for (const auto& [winning, share] : cases)
        EXPECT_EQ(rules.ShareText(winning, counts), share) << winning->key;
    EXPECT_EQ(rules.WholePrizeText(a), "100");
    EXPECT_EQ(rules.ShareText(MakeCom<FakeWinning>("1", "", 0), counts), "");
    EXPECT_EQ(rules.PrizeText(d) + "/" + rules.ManagerText(d), "Weekly/Al Last");
}

TEST_F(WinningsFixture, CompletionDuplicatesAndChoices) {
    Win("1", "10", 0, 5);
    Win("2", "20", 3, 6);
    Win("3", "20", 3, 8, ActionTypeRemove);
    rules.Load(season);
    struct Case {
        const char *manager, *prize;
        int32_t week;
        bool complete;
        const char* duplicateOf;  // key of the record it duplicates; "" for none
    };
    for (const Case& c : {Case{"1", "10", 0, true, "W1"}, Case{"2", "10", 0, true, ""},
                          Case{"2", "20", 3, true, "W2"}, Case{"2", "20", 4, true, ""},
                          Case{"2", "20", 0, false, ""}, Case{"3", "20", 3, true, ""},
                          Case{"", "10", 0, false, ""}, Case{"1", "", 0, false, ""}}) {
        const auto record = MakeCom<FakeWinning>(c.manager, c.prize, c.week, ActionTypeAdd);
        record->key = "new";
        EXPECT_EQ(rules.IsComplete(record), c.complete) << c.manager << "/" << c.prize;
        const auto duplicate = rules.FindDuplicate(record);
        EXPECT_EQ(duplicate ? duplicate->get_Key() : "", c.duplicateOf)
            << c.manager << "/" << c.prize << "/" << c.week;
    }
    EXPECT_EQ(rules.DuplicateNotice(rules.Record("W1")),
              "This is a duplicate record. Manager \"Al\" already has Prize \"Champion\" "
              "allocated. Record will be deleted.");

    const auto blank = MakeCom<FakeWinning>("", "", 0, ActionTypeRemove);
    EXPECT_TRUE(rules.IsComplete(blank)) << "a removed record";
    WinningsRules::ChooseManager(blank, 3);
    WinningsRules::ChooseWeek(blank, -1);
    EXPECT_EQ(blank->managerId + "/" + std::to_string(blank->week), "3/0");
    EXPECT_EQ(blank->action, ActionTypeAdd);
    WinningsRules::ChoosePrize(blank, 20);
    EXPECT_EQ(blank->prizeId, "20");
}

TEST_F(WinningsFixture, SaveListsIncompleteRecordsAndTheLeagueLacksNewAndDeletedRows) {
    Win("", "", 0);                          // left blank: dropped at activation
    Win("", "", 0, 0, ActionTypeRemove);     // so is a blank row never filled in
    Win("1", "10", 0, 4);                    // stored
    Win("2", "", 0);                         // new, no prize
    Win("", "10", 0);                        // new, no manager
    Win("3", "20", 0);                       // weekly without a week
    Win("1", "20", 2, 9, ActionTypeRemove);  // stored, deleted
    rules.Load(season);
    EXPECT_EQ(season->winnings->Count(), 5);
    EXPECT_EQ(rules.RecordErrors(),
              "1. Manager: Bo L needs prize name.\r\n"
              "2. Prize: Champion needs manager name.\r\n"
              "3. Prize:Weekly for Cy L needs week number.");
    const std::vector<RecoveredWinning> rows = rules.UnsavedRows();
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(std::make_tuple(rows[0].storedId, rows[0].managerId, rows[0].prizeId,
                              rows[0].managerName, rows[0].prizeDesc),
              std::make_tuple(0, 2, 0, std::string("Bo L"), std::string()));
    EXPECT_EQ(std::make_tuple(rows[3].storedId, rows[3].prizeId, rows[3].week),
              std::make_tuple(9, 20, 2));

    season->winnings->Clear();
    Win("1", "10", 0, 4, ActionTypeNone);
    rules.Load(season);
    EXPECT_EQ(rules.RecordErrors(), "");
    EXPECT_TRUE(rules.UnsavedRows().empty());
}

}  // namespace
}  // namespace gr::ui::test
