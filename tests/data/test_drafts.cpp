// Ranking and draft persistence through the data service: what one saved pick writes, a
// changed or removed pick, a full round trip, and every save all or nothing.
#include <string>
#include <vector>

#include "CatalogueInfo.h"
#include "DataKeys.h"
#include "OpsFixture.h"

using namespace gr;
using gr::testing::LeagueWriter;
using gr::testing::OpsFixture;
using Rows = std::vector<std::string>;

namespace {

class Drafts : public OpsFixture {
  protected:
    static ComPtr<IDraftInfo> PickAt(const ComPtr<ISeasonInfo>& season, int32_t no) {
        return season->get_Drafts()->ItemAs<IDraftInfo>(no);
    }
    static ComPtr<IPickable> TeamOf(const ComPtr<IDataService>& service, int32_t id) {
        return service->GetTeams()->ItemAs<IPickable>(data::RecordKey(id));
    }
    // Picks in board order as "key:manager id" ("N<no>:0" for an empty pick).
    static Rows Board(const ComPtr<ISeasonInfo>& season) {
        Rows board;
        for (const ComPtr<IDraftInfo>& pick : season->get_Drafts()->ItemsAs<IDraftInfo>()) {
            std::string key = data::PickKey(pick->get_PlayerOrTeam());
            if (key.empty()) key = data::EmptyPickKey(pick->get_DraftNo());
            board.push_back(
                key + ":" +
                std::to_string(pick->get_Manager() ? pick->get_Manager()->get_ID() : 0));
        }
        return board;
    }
};

// ---- Ranking and locks ------------------------------------------------------------------

TEST_F(Drafts, SaveRankingStoresEveryRankAndNullForTheUnranked) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Draft(1, 1, 1, 1, 0);
        w.Draft(1, 2, 2, 0, 3);
    });
    auto service = StartService();
    SeasonManager(service, 1)->let_Rank(4);
    SeasonManager(service, 3)->let_Rank(0);
    SeasonManager(service, 4)->let_Rank(1);
    ASSERT_TRUE(service->SaveRanking());
    EXPECT_EQ(Read(service, "select [ranking] from [playing info] where [manager id] = 1"), 4);
    EXPECT_EQ(Read(service, "select [ranking] from [playing info] where [manager id] = 2"), 2);
    EXPECT_EQ(Read(service, "select [ranking] from [playing info] where [manager id] = 3"), -1);
    EXPECT_EQ(Read(service, "select [ranking] from [playing info] where [manager id] = 4"), 1);
    // The board was read again: two stored picks, so the next pick is the third.
    EXPECT_EQ(service->GetCurrentSeasonInfo()->get_CurrentPick(), 3);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Drafts, SaveRankingIsAllOrNothing) {
    CreateOpsLeague();
    Execute(
        "create trigger [refuse] before update of [ranking] on [playing info] "
        "when new.[manager id] = 3 begin select raise(abort, 'refused'); end;");
    auto service = StartService();
    for (int32_t m = 1; m <= 4; ++m) SeasonManager(service, m)->let_Rank(5 - m);
    EXPECT_FALSE(service->SaveRanking());
    EXPECT_EQ(m_reports, (Rows{"Gridora Service|Error in saving ranking info.\nrefused"}));
    m_reports.clear();
    for (int32_t m = 1; m <= 4; ++m)
        EXPECT_EQ(
            Read(service, "select [ranking] from [playing info] where [manager id] = ?1", {m}), m);
}

TEST_F(Drafts, DisablingRankingAndDraftingLocksTheSeasonAndItsRow) {
    CreateOpsLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(service->DisableRanking());
    EXPECT_TRUE(season->get_IsRankingLocked());
    EXPECT_EQ(Read(service, "select [is ranking locked] from [season info] where [id] = 1"), 1);
    EXPECT_EQ(Read(service, "select [is draft locked] from [season info] where [id] = 1"), 0);
    ASSERT_TRUE(service->DisableDrafting());
    EXPECT_TRUE(season->get_IsDraftLocked());
    EXPECT_EQ(Read(service, "select [is draft locked] from [season info] where [id] = 1"), 1);
}

// ---- SaveDrafts ---------------------------------------------------------------------------

TEST_F(Drafts, OnePickWritesExactlyOneRowWithItsManagerAndThing) {
    CreateOpsLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->UpdateDraft(PlayerNamed(service, "Allen"), 1, SeasonManager(service, 1));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-"}));
    season->UpdateDraft(TeamOf(service, 3), 2, SeasonManager(service, 2));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-", "2:2/-/3"}));
}

TEST_F(Drafts, APickChangedToATeamHoldsOnlyTheTeam) {
    CreateOpsLeague([](LeagueWriter& w) { w.Draft(1, 1, 1, 1, 0); });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->UpdateDraft(TeamOf(service, 3), 1, SeasonManager(service, 1));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/-/3"}));
    season->UpdateDraft(PlayerNamed(service, "Hill"), 1, SeasonManager(service, 1));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/3/-"}));
}

TEST_F(Drafts, ARemovedPickClearsItsRow) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Draft(1, 1, 1, 1, 0);
        w.Draft(1, 2, 2, 0, 2);
    });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->RemoveDraft(2);
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-", "2:-/-/-"}));
    // Removing a pick that was never stored writes nothing.
    season->RemoveDraft(5);
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1).size(), 2u);

    service = nullptr;
    auto reread = StartService();
    auto reloaded = reread->GetCurrentSeasonInfo();
    EXPECT_FALSE(PickAt(reloaded, 2)->get_PlayerOrTeam());
    EXPECT_FALSE(PickAt(reloaded, 2)->get_Manager());
}

TEST_F(Drafts, PicksThatDidNotChangeAreNotTouched) {
    CreateOpsLeague([](LeagueWriter& w) { w.Draft(1, 1, 1, 1, 0); });
    Execute(
        "create trigger [frozen] before update on [draft info] when old.[draft no] = 1 "
        "begin select raise(abort, 'pick 1 touched'); end;");
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->UpdateDraft(PlayerNamed(service, "Lamb"), 2, SeasonManager(service, 2));
    EXPECT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-", "2:2/4/-"}));
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Drafts, SaveDraftsIsAllOrNothingAndKeepsThePicksToSaveAgain) {
    CreateOpsLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    auto ghost = MakeCom<data::PlayerInfo>();
    ghost->SetID(999);
    ghost->SetFirstName("No");
    ghost->SetLastName("Body");
    season->UpdateDraft(PlayerNamed(service, "Allen"), 1, SeasonManager(service, 1));
    season->UpdateDraft(ghost.As<IPickable>(), 2, SeasonManager(service, 2));
    EXPECT_FALSE(service->SaveDrafts());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving drafts.\n", 0), 0u);
    m_reports.clear();
    EXPECT_EQ(DraftRows(service, 1), Rows{});

    season->UpdateDraft(PlayerNamed(service, "Diggs"), 2, SeasonManager(service, 2));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-", "2:2/6/-"}));
}

TEST_F(Drafts, TheLocksAreTheScreensBusiness) {
    CreateOpsLeague();
    auto service = StartService();
    ASSERT_TRUE(service->DisableDrafting());
    auto season = service->GetCurrentSeasonInfo();
    season->let_IsSeasonLocked(true);
    season->UpdateDraft(PlayerNamed(service, "Allen"), 1, SeasonManager(service, 1));
    ASSERT_TRUE(service->SaveDrafts());
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-"}));
}

TEST_F(Drafts, RoundTripShowsExactlyWhatWasInMemory) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Draft(1, 1, 1, 6, 0);
        w.Draft(1, 2, 2, 7, 0);
    });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    // Reverse the order, then draft: a player, a team, a changed pick and a removed one.
    for (int32_t m = 1; m <= 4; ++m) SeasonManager(service, m)->let_Rank(5 - m);
    ASSERT_TRUE(service->SaveRanking());
    season = service->GetCurrentSeasonInfo();
    season->UpdateDraft(PlayerNamed(service, "Allen"), 3, SeasonManager(service, 2));
    season->UpdateDraft(TeamOf(service, 2), 4, SeasonManager(service, 1));
    season->UpdateDraft(TeamOf(service, 1), 1, SeasonManager(service, 4));
    season->RemoveDraft(2);
    season->UpdateDraft(PlayerNamed(service, "Chase"), 12, SeasonManager(service, 4));
    const Rows inMemory = Board(season);
    ASSERT_TRUE(service->SaveDrafts());
    ASSERT_TRUE(m_reports.empty());

    service = nullptr;
    auto reread = StartService();
    auto reloaded = reread->GetCurrentSeasonInfo();
    EXPECT_EQ(Board(reloaded), inMemory);
    EXPECT_EQ(inMemory[0], "T1:4");
    EXPECT_EQ(inMemory[1], "N2:0");
    EXPECT_EQ(inMemory[2], "P1:2");
    EXPECT_EQ(SeasonManager(reread, 4)->get_Rank(), 1);
}

// ---- DeleteDrafts -------------------------------------------------------------------------

TEST_F(Drafts, DeleteDraftsEmptiesTheBoardOfThisSeasonOnly) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Season(2, 2023, 2, 1);
        w.Draft(2, 1, 1, 2, 0);
        w.Draft(1, 1, 1, 1, 0);
        w.Draft(1, 2, 2, 0, 3);
    });
    auto service = StartService();
    ASSERT_TRUE(service->DeleteDrafts());
    auto season = service->GetCurrentSeasonInfo();
    EXPECT_EQ(season->get_CurrentPick(), 1);
    ASSERT_EQ(season->get_Drafts()->Count(), 12);
    for (const ComPtr<IDraftInfo>& pick : season->get_Drafts()->ItemsAs<IDraftInfo>())
        EXPECT_FALSE(pick->get_PlayerOrTeam()) << pick->get_DraftNo();
    EXPECT_EQ(DraftRows(service, 1), Rows{});
    EXPECT_EQ(DraftRows(service, 2), (Rows{"1:1/2/-"}));
}

TEST_F(Drafts, DeleteDraftsIsAllOrNothing) {
    CreateOpsLeague([](LeagueWriter& w) {
        w.Draft(1, 1, 1, 1, 0);
        w.Draft(1, 2, 2, 0, 3);
    });
    Execute(
        "create trigger [keep] before delete on [draft info] when old.[draft no] = 2 "
        "begin select raise(abort, 'kept'); end;");
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    EXPECT_FALSE(service->DeleteDrafts());
    EXPECT_EQ(m_reports, (Rows{"Gridora Service|Error in deleting drafts.\nkept"}));
    m_reports.clear();
    EXPECT_EQ(DraftRows(service, 1), (Rows{"1:1/1/-", "2:2/-/3"}));
    EXPECT_TRUE(PickAt(season, 1)->get_PlayerOrTeam());
}

}  // namespace
