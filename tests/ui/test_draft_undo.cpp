// Undo and redo of a sitting's picks through the draft entry, on an in-memory season.
#include <gtest/gtest.h>

#include "DraftUndo.h"
#include "UiFakes.h"

namespace gr::ui::test {
namespace {

TEST(DraftUndoTest, TakesPicksBackToTheSittingsStartAndAgainOneChangeAtATime) {
    auto season = MakeCom<FakeSeason>();
    season->noOfManagers = 2;
    season->noOfRounds = 2;
    season->rankingLocked = true;
    auto ranks = Collection::Create();
    for (int32_t id = 1; id <= 2; ++id) ranks->Add(MakeCom<FakeManager>(id, "M", "L", id));
    for (int32_t d = 1; d <= 4; ++d) season->drafts->Add(MakeCom<FakeDraft>(d));
    const ComPtr<IPickable> old = MakeCom<FakePlayer>(1, "Old", "Pick");
    const ComPtr<IPickable> bee = MakeCom<FakePlayer>(2, "Ann", "Bee");
    const ComPtr<IPickable> ray = MakeCom<FakePlayer>(3, "Ray", "Rookie");
    const ComPtr<IPickable> cy = MakeCom<FakePlayer>(4, "Cy", "Young");
    season->drafts->ItemAs<IDraftInfo>(1)->set_PlayerOrTeam(old);  // before this sitting
    DraftEntry entry;
    entry.Load(MakeCom<NiceDataService>(), season, ranks);
    DraftUndo undo(entry);
    entry.OnPickChanged([&undo](int32_t pick) { undo.PickChanged(pick); });
    undo.Start();
    const auto held = [&entry](int32_t pick) { return entry.Draft(pick)->get_PlayerOrTeam(); };

    entry.GoToCurrentPick();
    entry.Take(bee);  // pick 2
    entry.Next();
    entry.Take(ray);  // pick 3
    // Pick 2 typed over: emptied, then another name; one change to take back.
    entry.GoTo(2);
    entry.EmptyPick();
    entry.Take(cy);
    EXPECT_TRUE(held(3) == ray && held(2) == cy);

    ASSERT_TRUE(undo.Undo());
    EXPECT_TRUE(held(2) == bee) << "the name typed over comes back whole";
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(held(3));
    EXPECT_EQ(entry.CurrentPick(), 3) << "the pick taken back is the current one";
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(held(2));
    EXPECT_FALSE(undo.Undo()) << "the sitting began after pick 1";
    EXPECT_TRUE(held(1) == old);

    ASSERT_TRUE(undo.Redo());
    EXPECT_TRUE(held(2) == bee);
    EXPECT_EQ(entry.CurrentPick(), 3) << "on to the pick after it";
    // A new change drops what was left to redo.
    entry.Take(ray);
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_TRUE(undo.CanUndo());
}

}  // namespace
}  // namespace gr::ui::test
