// The season aggregate in memory: managers, prizes, picks and their keys.
#include <gtest/gtest.h>

#include "CatalogueInfo.h"
#include "DataKeys.h"
#include "DraftInfo.h"
#include "SeasonEntries.h"
#include "SeasonInfo.h"

using namespace gr;
using namespace gr::data;

namespace {

ComPtr<ManagerTmplInfo> Manager(int32_t id, const std::string& first, const std::string& last) {
    auto m = MakeCom<ManagerTmplInfo>();
    m->SetID(id);
    m->SetFirstName(first);
    m->SetLastName(last);
    return m;
}

ComPtr<PlayerInfo> Player(int32_t id, const std::string& first, const std::string& last) {
    auto p = MakeCom<PlayerInfo>();
    p->SetID(id);
    p->SetFirstName(first);
    p->SetLastName(last);
    return p;
}

ComPtr<TeamInfo> Team(int32_t id, const std::string& name) {
    auto t = MakeCom<TeamInfo>();
    t->SetID(id);
    t->SetName(name);
    return t;
}

ComPtr<PrizeTmplInfo> Prize(int32_t id, const std::string& desc) {
    auto p = MakeCom<PrizeTmplInfo>();
    p->SetID(id);
    p->SetDesc(desc);
    return p;
}

// A season of n managers (ranked 1..n, ids 101..) and r rounds, all picks empty.
ComPtr<SeasonInfo> Season(int32_t n, int32_t r) {
    auto season = MakeCom<SeasonInfo>();
    season->let_NoOfManagers(n);
    season->let_NoOfRounds(r);
    for (int32_t i = 1; i <= n; ++i) {
        season->AddManager(Manager(100 + i, "First" + std::to_string(i), "Last"));
        season->get_Managers()->ItemAs<IManagerInfo>(i)->let_Rank(i);
    }
    season->SetDrafts(CreateEmptyDrafts(n * r));
    return season;
}

ComPtr<DraftInfo> DraftAt(const ComPtr<SeasonInfo>& season, int32_t pos) {
    auto item = season->get_Drafts()->ItemAs<IDraftInfo>(pos);
    return ComPtr<DraftInfo>(dynamic_cast<DraftInfo*>(item.get()));
}

ComPtr<IManagerInfo> ManagerOfRank(const ComPtr<SeasonInfo>& season, int32_t rank) {
    for (auto& m : season->get_Managers()->ItemsAs<IManagerInfo>())
        if (m->get_Rank() == rank) return m;
    return {};
}

}  // namespace

TEST(SeasonAggregate, AddingTheSameManagerTwiceLeavesOneItem) {
    auto season = MakeCom<SeasonInfo>();
    auto master = Manager(7, "Ann", "Lee");
    EXPECT_TRUE(season->AddManager(master));
    season->get_Managers()->ItemAs<IManagerInfo>("K7")->let_Rank(3);
    EXPECT_TRUE(season->AddManager(master));
    ASSERT_EQ(season->get_Managers()->Count(), 1);
    auto mgr = season->get_Managers()->ItemAs<IManagerInfo>("K7");
    ASSERT_TRUE(mgr);
    EXPECT_EQ(mgr->get_Rank(), 3) << "the second add must not replace the first";
    EXPECT_EQ(mgr->get_ID(), 7);
    EXPECT_EQ(mgr->get_FirstName(), "Ann");
    EXPECT_FALSE(mgr->get_IsFeePaid());
}

TEST(SeasonAggregate, NewManagerStartsUnrankedAndUnpaid) {
    auto season = MakeCom<SeasonInfo>();
    auto master = Manager(4, "Bo", "Diaz");
    season->AddManager(master);
    auto mgr = season->get_Managers()->ItemAs<IManagerInfo>("K4");
    ASSERT_TRUE(mgr);
    EXPECT_EQ(mgr->get_Rank(), 0);
    EXPECT_FALSE(mgr->get_IsFeePaid());
    EXPECT_TRUE(IsSameObject(mgr->get_ManagerTmpl(), master));
    master->SetFirstName("Bob");
    EXPECT_EQ(mgr->get_FirstName(), "Bob") << "names come from the master";
}

TEST(SeasonAggregate, RemoveManagerDropsItsKey) {
    auto season = MakeCom<SeasonInfo>();
    season->AddManager(Manager(1, "A", "A"));
    season->AddManager(Manager(2, "B", "B"));
    auto second = season->get_Managers()->ItemAs<IManagerInfo>("K2");
    EXPECT_TRUE(season->RemoveManager(second));
    EXPECT_EQ(season->get_Managers()->Count(), 1);
    EXPECT_FALSE(season->get_Managers()->Contains("K2"));
    EXPECT_TRUE(season->get_Managers()->Contains("K1"));
    EXPECT_FALSE(season->RemoveManager(nullptr));
}

TEST(SeasonAggregate, AddPrizeOnceWithAmountZero) {
    auto season = MakeCom<SeasonInfo>();
    auto champion = Prize(1, "Champion");
    EXPECT_TRUE(season->AddPrize(champion));
    season->get_Prizes()->ItemAs<IPrizeInfo>("K1")->let_Amount(500);
    EXPECT_TRUE(season->AddPrize(champion));
    ASSERT_EQ(season->get_Prizes()->Count(), 1);
    auto prize = season->get_Prizes()->ItemAs<IPrizeInfo>("K1");
    EXPECT_EQ(prize->get_Amount(), 500);
    EXPECT_EQ(prize->get_Desc(), "Champion");
    EXPECT_EQ(prize->get_ID(), 1);
    season->AddPrize(Prize(2, "Runner-up"));
    EXPECT_EQ(season->get_Prizes()->ItemAs<IPrizeInfo>("K2")->get_Amount(), 0);
}

TEST(SeasonAggregate, PickBeyondManagersTimesRoundsHasNoDraft) {
    auto season = Season(4, 3);
    auto drafts = season->get_Drafts();
    EXPECT_EQ(drafts->Count(), 12);
    EXPECT_TRUE(drafts->ItemAs<IDraftInfo>(12));
    EXPECT_FALSE(drafts->ItemAs<IDraftInfo>(13));
    EXPECT_FALSE(drafts->ItemAs<IDraftInfo>(0));
    // Picking or removing outside the draft changes nothing.
    season->UpdateDraft(Player(9, "Joe", "Burrow"), 13, ManagerOfRank(season, 1));
    season->RemoveDraft(13);
    season->RemoveDraft(-1);
    EXPECT_EQ(drafts->Count(), 12);
    EXPECT_FALSE(drafts->Contains("P9"));
}

TEST(SeasonAggregate, CurrentPickIsAtLeastOne) {
    auto season = MakeCom<SeasonInfo>();
    EXPECT_EQ(season->get_CurrentPick(), 1);
    season->SetCurrentPick(0);
    EXPECT_EQ(season->get_CurrentPick(), 1);
    season->SetCurrentPick(-5);
    EXPECT_EQ(season->get_CurrentPick(), 1);
    season->SetCurrentPick(6);
    EXPECT_EQ(season->get_CurrentPick(), 6);
}

TEST(SeasonAggregate, UpdateDraftKeysThePickByWhatItHolds) {
    auto season = Season(4, 2);
    auto mgr = ManagerOfRank(season, 2);
    season->UpdateDraft(Player(33, "Jalen", "Hurts"), 2, mgr);
    season->UpdateDraft(Team(5, "Dallas"), 3, ManagerOfRank(season, 3));
    auto drafts = season->get_Drafts();
    EXPECT_EQ(drafts->KeyAt(2), "P33");
    EXPECT_EQ(drafts->KeyAt(3), "T5");
    EXPECT_EQ(drafts->KeyAt(1), "N1");
    EXPECT_EQ(drafts->Count(), 8);
    auto pick = DraftAt(season, 2);
    EXPECT_EQ(pick->get_DraftNo(), 2) << "the pick keeps its place";
    EXPECT_TRUE(pick->IsChanged());
    EXPECT_EQ(pick->PlayerID(), 33);
    EXPECT_EQ(pick->TeamID(), 0);
    EXPECT_TRUE(IsSameObject(pick->get_Manager(), mgr));
    EXPECT_EQ(DraftAt(season, 3)->TeamID(), 5);
    EXPECT_FALSE(DraftAt(season, 1)->IsChanged());
}

TEST(SeasonAggregate, UpdateDraftRefusesAThingHeldByAnotherPick) {
    auto season = Season(2, 2);
    auto player = Player(8, "A", "B");
    season->UpdateDraft(player, 1, ManagerOfRank(season, 1));
    season->UpdateDraft(player, 2, ManagerOfRank(season, 2));
    auto drafts = season->get_Drafts();
    EXPECT_EQ(drafts->Count(), 4) << "no pick may be lost";
    EXPECT_EQ(drafts->KeyAt(1), "P8");
    EXPECT_EQ(drafts->KeyAt(2), "N2");
    EXPECT_EQ(DraftAt(season, 2)->PlayerID(), 0);
}

TEST(SeasonAggregate, UpdateDraftIgnoresThingsThatCannotBeDrafted) {
    auto season = Season(2, 1);
    season->UpdateDraft(Manager(1, "A", "B"), 1, ManagerOfRank(season, 1));
    season->UpdateDraft(nullptr, 1, ManagerOfRank(season, 1));
    EXPECT_EQ(season->get_Drafts()->KeyAt(1), "N1");
    EXPECT_FALSE(DraftAt(season, 1)->get_PlayerOrTeam());
    EXPECT_FALSE(DraftAt(season, 1)->IsChanged());
}

TEST(SeasonAggregate, ReplacingAPlayerWithATeamSwitchesKind) {
    auto season = Season(2, 1);
    season->UpdateDraft(Player(4, "A", "B"), 1, ManagerOfRank(season, 1));
    season->UpdateDraft(Team(4, "Chicago"), 1, ManagerOfRank(season, 1));
    auto pick = DraftAt(season, 1);
    EXPECT_EQ(season->get_Drafts()->KeyAt(1), "T4");
    EXPECT_EQ(pick->PickedKind(), PickedTeam);
    EXPECT_EQ(pick->PlayerID(), 0);
    EXPECT_EQ(pick->TeamID(), 4);
    EXPECT_EQ(pick->get_PlayerOrTeam()->get_PickName(), "Chicago");
}

TEST(SeasonAggregate, SettingTheSameThingAgainDoesNotMarkChanged) {
    auto pick = MakeCom<DraftInfo>(1);
    auto player = Player(2, "A", "B");
    pick->set_PlayerOrTeam(player);
    pick->SetChanged(false);
    pick->set_PlayerOrTeam(Player(2, "A", "B"));  // same player, another object
    EXPECT_FALSE(pick->IsChanged());
    pick->set_Manager(nullptr);
    pick->let_DraftNo(4);
    EXPECT_FALSE(pick->IsChanged()) << "manager and number do not mark a pick changed";
    pick->set_PlayerOrTeam(nullptr);
    EXPECT_EQ(pick->PlayerID(), 2) << "no object is ignored by the setter";
}

TEST(SeasonAggregate, RemovedPickHoldsNothingIsMarkedChangedAndIsFreeAgain) {
    auto season = Season(4, 2);
    auto player = Player(12, "Tom", "Brady");
    season->UpdateDraft(player, 6, ManagerOfRank(season, 3));
    std::string info;
    ASSERT_TRUE(season->IsPickableTaken(player, info));
    DraftAt(season, 6)->SetChanged(false);  // as after a save

    season->RemoveDraft(6);
    auto pick = DraftAt(season, 6);
    EXPECT_EQ(season->get_Drafts()->KeyAt(6), "N6");
    EXPECT_EQ(pick->get_DraftNo(), 6);
    EXPECT_FALSE(pick->get_PlayerOrTeam());
    EXPECT_FALSE(pick->get_Manager());
    EXPECT_EQ(pick->PlayerID(), 0);
    EXPECT_TRUE(pick->IsChanged()) << "saving must store the removal";
    EXPECT_FALSE(season->IsPickableTaken(player, info));
    EXPECT_EQ(season->get_Drafts()->Count(), 8);

    // The player can be drafted again elsewhere.
    season->UpdateDraft(player, 7, ManagerOfRank(season, 2));
    EXPECT_EQ(season->get_Drafts()->KeyAt(7), "P12");
}

TEST(SeasonAggregate, RemovingTheLastPickKeepsItLast) {
    auto season = Season(2, 2);
    season->UpdateDraft(Team(3, "Denver"), 4, ManagerOfRank(season, 1));
    season->RemoveDraft(4);
    EXPECT_EQ(season->get_Drafts()->KeyAt(4), "N4");
    EXPECT_EQ(DraftAt(season, 4)->get_DraftNo(), 4);
}

TEST(SeasonAggregate, IsPickableTakenForPlayersAndTeamsGivesRoundManagerAndName) {
    auto season = Season(10, 3);
    auto player = Player(55, "Patrick", "Mahomes");
    // Pick 14 among 10 managers is round 2.
    season->UpdateDraft(player, 14, ManagerOfRank(season, 7));
    std::string info = "untouched";
    EXPECT_TRUE(season->IsPickableTaken(player, info));
    EXPECT_EQ(info, "2\tFirst7\tPatrick Mahomes");

    auto team = Team(9, "Green Bay");
    season->UpdateDraft(team, 30, ManagerOfRank(season, 1));
    EXPECT_TRUE(season->IsPickableTaken(team, info));
    EXPECT_EQ(info, "3\tFirst1\tGreen Bay");

    info = "untouched";
    EXPECT_FALSE(season->IsPickableTaken(Player(56, "X", "Y"), info));
    EXPECT_EQ(info, "untouched");
    EXPECT_FALSE(season->IsPickableTaken(Team(55, "Same id as a player")));
}

TEST(SeasonAggregate, IsPickableTakenForManagersPrizesAndOtherKinds) {
    auto season = Season(2, 1);
    EXPECT_TRUE(season->IsPickableTaken(Manager(101, "", "")));
    EXPECT_FALSE(season->IsPickableTaken(Manager(999, "", "")));
    season->AddPrize(Prize(3, "Third"));
    EXPECT_TRUE(season->IsPickableTaken(Prize(3, "")));
    EXPECT_FALSE(season->IsPickableTaken(Prize(4, "")));
    auto position = MakeCom<PositionInfo>();
    position->SetID(1);
    EXPECT_TRUE(season->IsPickableTaken(position)) << "positions are never free to pick";
    EXPECT_TRUE(season->IsPickableTaken(nullptr));
}

TEST(SeasonAggregate, TakenPickWhoseManagerIsGoneStillReportsItsRound) {
    auto season = Season(12, 2);
    auto player = Player(1, "A", "Player");
    season->UpdateDraft(player, 13, nullptr);
    std::string info;
    EXPECT_TRUE(season->IsPickableTaken(player, info));
    EXPECT_EQ(info, "2\t\tA Player");
}

// Snake order seen through the aggregate: the round that IsPickableTaken reports and the
// manager that the draft rule puts on each pick, for 10 and 12 managers.
class SnakeRounds : public ::testing::TestWithParam<int32_t> {};

TEST_P(SnakeRounds, EveryPickReportsItsRound) {
    const int32_t n = GetParam();
    auto season = Season(n, 3);
    for (int32_t p = 1; p <= n * 3; ++p) {
        const int32_t round = (p - 1) / n + 1;
        const int32_t place = (p - 1) % n + 1;
        const int32_t rank = round % 2 ? place : n + 1 - place;
        season->UpdateDraft(Player(p, "F" + std::to_string(p), "L"), p,
                            ManagerOfRank(season, rank));
    }
    for (int32_t p = 1; p <= n * 3; ++p) {
        std::string info;
        ASSERT_TRUE(season->IsPickableTaken(Player(p, "", ""), info));
        const int32_t round = (p - 1) / n + 1;
        EXPECT_EQ(info.substr(0, info.find('\t')), std::to_string(round)) << "pick " << p;
    }
    // Last pick of round 1 and first pick of round 2 belong to the same manager.
    EXPECT_TRUE(
        IsSameObject(DraftAt(season, n)->get_Manager(), DraftAt(season, n + 1)->get_Manager()));
    EXPECT_EQ(DraftAt(season, 2 * n)->get_Manager()->get_Rank(), 1);
    EXPECT_EQ(DraftAt(season, 2 * n + 1)->get_Manager()->get_Rank(), 1);
}

INSTANTIATE_TEST_SUITE_P(TenAndTwelveManagers, SnakeRounds, ::testing::Values(10, 12));

TEST(PickKeys, EachKindHasItsLetter) {
    EXPECT_EQ(PickKey(Player(3, "", "")), "P3");
    EXPECT_EQ(PickKey(Team(4, "")), "T4");
    EXPECT_EQ(PickKey(Manager(5, "", "")), "K5");
    EXPECT_EQ(PickKey(Prize(6, "")), "K6");
    auto position = MakeCom<PositionInfo>();
    position->SetID(7);
    EXPECT_EQ(PickKey(position), "7");
    EXPECT_EQ(PickKey(ComPtr<IPickable>()), "");
    EXPECT_EQ(EmptyPickKey(12), "N12");
}
