// What a pick does on the draft board, without a window: on in-memory seasons.
#include <gtest/gtest.h>

#include <tuple>

#include "DraftEntry.h"
#include "UiFakes.h"

namespace gr::ui::test {
namespace {

using ::testing::Return;

// Takes the only result, as the board does without asking; nothing for none or several.
ComPtr<IPickable> OnlyResult(const ComPtr<Collection>& results) {
    return results && results->Count() == 1 ? results->ItemAs<IPickable>(1) : nullptr;
}

struct EntryFixture : ::testing::Test {
    // Managers "M1".."Mn" in draft order, rounds of open picks, the ranking locked.
    void Shape(int32_t managers, int32_t rounds) {
        season->noOfManagers = managers;
        season->noOfRounds = rounds;
        season->rankingLocked = true;
        for (int32_t id = 1; id <= managers; ++id)
            ranks->Add(MakeCom<FakeManager>(id, "M" + std::to_string(id), "L", id));
        for (int32_t d = 1; d <= managers * rounds; ++d) season->drafts->Add(MakeCom<FakeDraft>(d));
        entry.Load(data, season, ranks);
        entry.OnPickChanged([this](int32_t pick) { changed.push_back(pick); });
    }
    ComPtr<IPickable> Held(int32_t pick) { return entry.Draft(pick)->get_PlayerOrTeam(); }

    ComPtr<FakeSeason> season = MakeCom<FakeSeason>();
    ComPtr<NiceDataService> data = MakeCom<NiceDataService>();
    ComPtr<Collection> ranks = Collection::Create();
    ComPtr<FakePlayer> bee =
        MakeCom<FakePlayer>(5, "Ann", "Bee", MakeCom<FakeTeam>(1, "GB", "G", "P"),
                            MakeCom<FakePosition>(2, "QB", "Quarterback"));
    std::vector<int32_t> changed;
    DraftEntry entry;
};

TEST_F(EntryFixture, SnakeOrderPanelAndNavigation) {
    Shape(3, 4);
    struct Case {
        int32_t pick;
        const char* coach;
        const char* info;
        bool back, forward;
    };
    for (const Case& c : {Case{1, "M1", "(Round #1)(Pick #1)(Overall Pick #1)", false, true},
                          Case{4, "M3", "(Round #2)(Pick #1)(Overall Pick #4)", true, true},
                          Case{6, "M1", "(Round #2)(Pick #3)(Overall Pick #6)", true, true},
                          Case{7, "M1", "(Round #3)(Pick #1)(Overall Pick #7)", true, true},
                          Case{12, "M1", "(Round #4)(Pick #3)(Overall Pick #12)", true, false}}) {
        ASSERT_TRUE(entry.GoTo(c.pick));
        EXPECT_EQ(entry.Panel().coach, c.coach) << c.pick;
        EXPECT_EQ(entry.Panel().pickInfo, c.info);
        EXPECT_EQ(entry.CanGoBack(), c.back) << c.pick;
        EXPECT_EQ(entry.CanGoForward(), c.forward) << c.pick;
    }
    EXPECT_FALSE(entry.Next()) << "the last pick";
    EXPECT_FALSE(entry.GoTo(13));
    EXPECT_EQ(entry.CurrentPick(), 12);
    ASSERT_TRUE(entry.GoTo(1));
    EXPECT_FALSE(entry.Previous());
    EXPECT_TRUE(entry.Next());
    EXPECT_EQ(entry.CurrentPick(), 2);
}

TEST_F(EntryFixture, CurrentPickIsTheFirstOpenOrTheLast) {
    Shape(2, 2);
    entry.GoToCurrentPick();
    EXPECT_EQ(entry.CurrentPick(), 1);
    entry.SetPick(1, bee);
    entry.SetPick(3, MakeCom<FakePlayer>(6, "Cy", "Dee"));
    entry.GoToCurrentPick();
    EXPECT_EQ(entry.CurrentPick(), 2);
    EXPECT_EQ(entry.ManagerInTurn()->get_FirstName(), "M2");
    entry.SetPick(2, MakeCom<FakePlayer>(7, "Ed", "Fay"));
    entry.SetPick(4, MakeCom<FakePlayer>(8, "Gus", "Ho"));
    entry.GoToCurrentPick();
    EXPECT_EQ(entry.CurrentPick(), 4);
    EXPECT_EQ(changed, (std::vector<int32_t>{1, 3, 2, 4}));

    DraftEntry none;
    none.GoToCurrentPick();
    EXPECT_EQ(none.CurrentPick(), 0);
    EXPECT_FALSE(none.CurrentDraft());
    EXPECT_FALSE(none.IsReady());
}

TEST_F(EntryFixture, ATypedNameEmptiesThePickThenTakesOrRefuses) {
    Shape(2, 2);
    const auto cy = MakeCom<FakePlayer>(6, "Cy", "Dee");
    season->markTaken(cy, "2\tAl\tCy Dee");
    struct Case {
        bool typed;
        const char* text;
        ComPtr<Collection> results;
        EntryOutcome outcome;
        const char* notice;
        bool heldAfter;  // pick 1 still holds the player it held before
    };
    const Case cases[] = {
        {false, "Bee", Items(bee), EntryOutcome::Ignored, "", true},
        {true, "  ", Items(bee), EntryOutcome::Empty, "", true},
        {true, "Zed", Collection::Create(), EntryOutcome::NotFound, "", false},
        {true, " Dee ", Items(cy), EntryOutcome::Refused,
         "Dude, Al already took Cy Dee in round #2.", false},
    };
    for (const Case& c : cases) {
        const auto held = MakeCom<FakePlayer>(9, "Old", "Pick");
        entry.SetPick(1, held);
        entry.GoTo(1);
        if (c.typed) entry.NoteTyped();
        EXPECT_CALL(*data, Search(TypePlayerOrTeam, ::testing::_, false, true))
            .WillRepeatedly(Return(c.results));
        const EntryResult result = entry.EnterName(c.text, OnlyResult);
        EXPECT_EQ(result.outcome, c.outcome) << c.text;
        EXPECT_EQ(result.notice, c.notice);
        EXPECT_EQ(Held(1) == ComPtr<IPickable>(held), c.heldAfter) << c.text;
    }
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "Bee", false, true)).WillOnce(Return(Items(bee)));
    entry.NoteTyped();
    EXPECT_EQ(entry.EnterName("Bee", OnlyResult).outcome, EntryOutcome::Taken);
    EXPECT_EQ(Held(1), ComPtr<IPickable>(bee));
    EXPECT_FALSE(entry.IsTyped());
    const PickPanelText panel = entry.Panel();
    EXPECT_EQ(panel.name + "|" + panel.team + "|" + panel.position, "Ann Bee|GB|QB");
    EXPECT_EQ(entry.Draft(1)->get_Manager()->get_FirstName(), "M1");
}

TEST_F(EntryFixture, BrowsingKeepsTheCurrentPickAndLeavesTypedTextToTheField) {
    Shape(2, 1);
    entry.GoTo(1);
    entry.NoteTyped();
    EXPECT_EQ(entry.Browse("Be", OnlyResult).outcome, EntryOutcome::Ignored);
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "", false, true))
        .WillRepeatedly(Return(Items(bee)));
    EXPECT_EQ(entry.Browse("", OnlyResult).outcome, EntryOutcome::Taken);
    season->markTaken(bee, "1\tM1\tAnn Bee");
    const EntryResult again = entry.Browse("Ann Bee", OnlyResult);
    EXPECT_EQ(again.outcome, EntryOutcome::Refused);
    EXPECT_EQ(again.notice, "Dude, M1 already took Ann Bee in round #1.");
    EXPECT_EQ(Held(1), ComPtr<IPickable>(bee)) << "not emptied first";
}

TEST_F(EntryFixture, UnsavedPicksAreWhatDiffersFromTheLeague) {
    Shape(1, 2);
    season->drafts->ItemAs<IDraftInfo>(1)->set_PlayerOrTeam(bee);
    entry.Load(data, season, ranks);
    EXPECT_FALSE(entry.IsUnsaved());
    entry.GoTo(1);
    EXPECT_TRUE(entry.EmptyPick());
    EXPECT_FALSE(entry.EmptyPick()) << "already empty";
    EXPECT_TRUE(entry.IsUnsaved());
    entry.SetPick(2, bee);
    ASSERT_EQ(entry.ChangedPicks().size(), 2U);
    const RecoveredPick moved = entry.ChangedPicks()[1];
    EXPECT_EQ(std::tie(moved.pick, moved.type, moved.id, moved.name, moved.heldType),
              std::make_tuple(2, int32_t{PickedPlayer}, 5, std::string("Ann Bee"), 0));
    // Activating again while unsaved keeps what the league held.
    entry.Load(data, season, ranks);
    EXPECT_EQ(entry.ChangedPicks().size(), 2U);
    entry.Saved();
    EXPECT_FALSE(entry.IsUnsaved());
    EXPECT_TRUE(entry.ChangedPicks().empty());
}

}  // namespace
}  // namespace gr::ui::test
