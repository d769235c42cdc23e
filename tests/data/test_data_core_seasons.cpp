// Seasons through the data service: loading with everything in them, creating, saving
// figures, money and managers, all or nothing; and a full round trip through the store.
#include "CatalogueInfo.h"
#include "DataKeys.h"
#include "DraftInfo.h"
#include "LeagueFixture.h"

using namespace gr;
using gr::testing::LeagueFixture;
using gr::testing::LeagueWriter;

namespace {

class DataSeasons : public LeagueFixture {
  protected:
    // Season 1 (2023): 4 managers, 3 rounds, fee 50; managers 1..4 play (4 unranked),
    // prizes 1 and 5 with money, two winnings, and picks 1..5 stored.
    void CreateStandardLeague(const std::function<void(LeagueWriter&)>& more = {}) {
        CreateLeague([&](LeagueWriter& w) {
            w.Manager(1, "Ann", "Lee");
            w.Manager(2, "Bo", "Diaz");
            w.Manager(3, "Cy", "Ng");
            w.Manager(4, "Di", "Ro");
            w.Manager(5, "Ed", "Out");
            w.Season(1, 2023, 4, 3, 50);
            w.Playing(1, 1, 2, true);
            w.Playing(1, 2, 1, false);
            w.Playing(1, 3, 3, true);
            w.Playing(1, 4, 0, false);
            w.Money(1, 1, 120);
            w.Money(1, 5, 10);
            w.Winning(7, 1, 1, 5, 3);
            w.Winning(8, 1, 2, 1, 0);
            w.Draft(1, 1, 2, 1, 0);
            w.Draft(1, 2, 1, 0, 3);
            w.Draft(1, 3, 3, 4, 0);
            w.Draft(1, 4, 4, 3, 0);
            w.Draft(1, 5, 4, 6, 0);
            w.CurrentSeason(1);
            if (more) more(w);
        });
    }

    static ComPtr<data::DraftInfo> Pick(const ComPtr<ISeasonInfo>& season, int32_t pos) {
        return data::Concrete<data::DraftInfo>(season->get_Drafts()->ItemAs<IDraftInfo>(pos));
    }

    static ComPtr<IManagerTmplInfo> MasterOf(int32_t id) {
        auto master = MakeCom<data::ManagerTmplInfo>();
        master->SetID(id);
        return master;
    }
};

}  // namespace

TEST_F(DataSeasons, LoadsFiguresPrizesManagersWinningsAndDrafts) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_ID(), 1);
    EXPECT_EQ(season->get_Year(), 2023);
    EXPECT_EQ(season->get_NoOfManagers(), 4);
    EXPECT_EQ(season->get_NoOfRounds(), 3);
    EXPECT_EQ(season->get_MoneyContribution(), 50);
    EXPECT_EQ(season->get_NoOfRegularWeeks(), 14);
    EXPECT_EQ(season->get_TotalNoOfWeeks(), 17);
    EXPECT_FALSE(season->get_IsRankingLocked());

    auto prizes = season->get_Prizes();
    ASSERT_EQ(prizes->Count(), 2);
    EXPECT_EQ(prizes->ItemAs<IPrizeInfo>("K1")->get_Amount(), 120);
    EXPECT_EQ(prizes->ItemAs<IPrizeInfo>("K5")->get_Desc(), "Weekly High Score");

    auto managers = season->get_Managers();
    ASSERT_EQ(managers->Count(), 4);
    // Ranking order, the unranked manager first.
    EXPECT_EQ(managers->KeyAt(1), "K4");
    EXPECT_EQ(managers->ItemAs<IManagerInfo>(1)->get_Rank(), 0);
    EXPECT_EQ(managers->KeyAt(2), "K2");
    EXPECT_EQ(managers->KeyAt(3), "K1");
    EXPECT_EQ(managers->KeyAt(4), "K3");
    EXPECT_TRUE(managers->ItemAs<IManagerInfo>("K1")->get_IsFeePaid());
    EXPECT_EQ(managers->ItemAs<IManagerInfo>("K3")->get_FirstName(), "Cy");

    auto winnings = season->get_Winnings();
    ASSERT_EQ(winnings->Count(), 2);
    auto weekly = winnings->ItemAs<IWinningInfo>("K7");
    EXPECT_EQ(weekly->get_ManagerID(), "1");
    EXPECT_EQ(weekly->get_PrizeID(), "5");
    EXPECT_EQ(weekly->get_Week(), 3);
    EXPECT_EQ(winnings->ItemAs<IWinningInfo>("K8")->get_Week(), 0) << "null week reads 0";

    auto drafts = season->get_Drafts();
    ASSERT_EQ(drafts->Count(), 12);
    EXPECT_EQ(drafts->KeyAt(1), "P1");
    EXPECT_EQ(drafts->KeyAt(2), "T3");
    EXPECT_EQ(drafts->KeyAt(6), "N6");
    EXPECT_EQ(drafts->ItemAs<IDraftInfo>("P1")->get_Manager()->get_ID(), 2);
    EXPECT_TRUE(IsSameObject(drafts->ItemAs<IDraftInfo>("P1")->get_Manager(),
                             managers->ItemAs<IManagerInfo>("K2")));
    auto player = drafts->ItemAs<IDraftInfo>("P4")->get_PlayerOrTeam().As<IPlayerInfo>();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->get_LastName(), "Lamb");
    EXPECT_EQ(player->get_Team()->get_Abbr(), "DAL");
    EXPECT_EQ(player->get_Position()->get_Abbr(), "WR");
    EXPECT_EQ(drafts->ItemAs<IDraftInfo>("T3")->get_PlayerOrTeam()->get_PickName(), "Dallas");
    for (int32_t p = 1; p <= 12; ++p) EXPECT_FALSE(Pick(season, p)->IsChanged()) << p;

    EXPECT_EQ(season->get_CurrentPick(), 1) << "a full load starts the pick entry at 1";
    std::string info;
    EXPECT_TRUE(season->IsPickableTaken(player.As<IPickable>(), info));
    EXPECT_EQ(info, "1\tCy\tCeeDee Lamb");
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataSeasons, CurrentPickIsOneAfterALoadAndFollowsThePicksWhenDraftsReload) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_CurrentPick(), 1);
    ASSERT_TRUE(service->SaveRanking());
    EXPECT_EQ(season->get_CurrentPick(), 6) << "five stored picks";
}

TEST_F(DataSeasons, DraftsAlwaysHaveManagersTimesRoundsPicks) {
    CreateStandardLeague([](LeagueWriter& w) {
        w.Season(2, 2024, 4, 3);
        w.Draft(1, 13, 1, 2, 0);  // beyond the draft of season 1: ignored
    });
    auto service = StartService();
    EXPECT_EQ(service->GetCurrentSeasonInfo()->get_Drafts()->Count(), 12);
    service->let_CurrentSeasonYear(2024);
    auto empty = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(empty);
    ASSERT_EQ(empty->get_Drafts()->Count(), 12);
    for (int32_t p = 1; p <= 12; ++p)
        EXPECT_EQ(empty->get_Drafts()->KeyAt(p), "N" + std::to_string(p));
}

TEST_F(DataSeasons, DraftRowOfAManagerWhoLeftLoadsWithoutAManager) {
    CreateStandardLeague([](LeagueWriter& w) { w.Draft(1, 6, 5, 2, 0); });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season) << "the season must still load";
    auto pick = season->get_Drafts()->ItemAs<IDraftInfo>(6);
    EXPECT_EQ(season->get_Drafts()->KeyAt(6), "P2");
    EXPECT_FALSE(pick->get_Manager());
    EXPECT_EQ(pick->get_PlayerOrTeam()->get_PickID(), 2);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataSeasons, RemovedPickStoredWithoutPlayerOrTeamLoadsEmpty) {
    CreateStandardLeague([](LeagueWriter& w) { w.Draft(1, 6, 1, 0, 0); });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_Drafts()->KeyAt(6), "N6");
    EXPECT_FALSE(season->get_Drafts()->ItemAs<IDraftInfo>(6)->get_PlayerOrTeam());
}

TEST_F(DataSeasons, SamePlayerStoredTwiceLoadsOnlyTheFirstPick) {
    CreateStandardLeague([](LeagueWriter& w) { w.Draft(1, 7, 1, 1, 0); });
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    EXPECT_EQ(season->get_Drafts()->Count(), 12) << "no pick is lost";
    EXPECT_EQ(season->get_Drafts()->KeyAt(1), "P1");
    EXPECT_EQ(season->get_Drafts()->KeyAt(7), "N7");
}

TEST_F(DataSeasons, SaveFiguresAndMoneyInOneGo) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->let_NoOfRounds(16);
    season->let_MoneyContribution(80);
    season->let_IsRankingLocked(true);
    season->let_HasSeasonStarted(true);
    season->get_Prizes()->Remove("K5");
    season->get_Prizes()->ItemAs<IPrizeInfo>("K1")->let_Amount(300);
    season->AddPrize(service->GetPrizeTmpls()->ItemAs<IPrizeTmplInfo>("K2"));
    season->get_Prizes()->ItemAs<IPrizeInfo>("K2")->let_Amount(90);
    ASSERT_TRUE(service->SaveCurrentSeasonInfo());
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select [no of rounds] from [season info] where id = 1"), 16);
        EXPECT_EQ(Scalar(db, "select [money contribution] from [season info] where id = 1"), 80);
        EXPECT_EQ(Scalar(db, "select [is ranking locked] from [season info] where id = 1"), 1);
        EXPECT_EQ(Scalar(db, "select [is draft locked] from [season info] where id = 1"), 0);
        EXPECT_EQ(Scalar(db, "select [has season started] from [season info] where id = 1"), 1);
        EXPECT_EQ(
            Scalar(db, "select count(*) from [money distribution info] where [season id] = 1"), 2);
        EXPECT_EQ(Scalar(db, "select count(*) from [money distribution info] where [prize id] = 5"),
                  0)
            << "a prize removed from the season loses its row";
        EXPECT_EQ(Scalar(db, "select money from [money distribution info] where [prize id] = 1"),
                  300);
        EXPECT_EQ(Scalar(db, "select money from [money distribution info] where [prize id] = 2"),
                  90);
        EXPECT_EQ(Scalar(db, "select count(*) from [playing info] where [season id] = 1"), 4)
            << "managers are not written here";
    });
}

TEST_F(DataSeasons, FailedSeasonSaveLeavesTheStoredSeasonWhole) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->let_MoneyContribution(999);
    season->get_Prizes()->Remove("K1");
    // A prize whose master does not exist: the store refuses its row half-way.
    auto ghost = MakeCom<data::PrizeTmplInfo>();
    ghost->SetID(77);
    season->AddPrize(ghost);
    EXPECT_FALSE(service->SaveCurrentSeasonInfo());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving season info.\n", 0), 0u)
        << m_reports[0];
    m_reports.clear();
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select [money contribution] from [season info] where id = 1"), 50);
        EXPECT_EQ(Scalar(db, "select money from [money distribution info] where [prize id] = 1"),
                  120)
            << "the old money distribution is kept";
        EXPECT_EQ(Scalar(db, "select count(*) from [money distribution info]"), 2);
    });
}

TEST_F(DataSeasons, SaveManagersStoresRankFeeAndNullForUnranked) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    auto managers = season->get_Managers();
    season->RemoveManager(managers->ItemAs<IManagerInfo>("K3"));
    season->AddManager(MasterOf(5));
    managers->ItemAs<IManagerInfo>("K1")->let_Rank(1);
    managers->ItemAs<IManagerInfo>("K2")->let_Rank(2);
    managers->ItemAs<IManagerInfo>("K2")->let_IsFeePaid(true);
    managers->ItemAs<IManagerInfo>("K4")->let_Rank(3);
    ASSERT_TRUE(service->SaveManagersPlaying());

    auto reloaded = season->get_Managers();
    ASSERT_EQ(reloaded->Count(), 4);
    EXPECT_EQ(reloaded->KeyAt(1), "K5") << "the unranked manager comes first";
    EXPECT_EQ(reloaded->KeyAt(2), "K1");
    EXPECT_EQ(reloaded->KeyAt(3), "K2");
    EXPECT_EQ(reloaded->KeyAt(4), "K4");
    EXPECT_EQ(reloaded->ItemAs<IManagerInfo>("K5")->get_FirstName(), "Ed");
    // Picks follow the reloaded managers; the pick of the manager who left has none.
    EXPECT_TRUE(IsSameObject(season->get_Drafts()->ItemAs<IDraftInfo>(1)->get_Manager(),
                             reloaded->ItemAs<IManagerInfo>("K2")));
    EXPECT_FALSE(season->get_Drafts()->ItemAs<IDraftInfo>(3)->get_Manager());

    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select count(*) from [playing info] where [season id] = 1"), 4);
        EXPECT_EQ(Scalar(db, "select ranking from [playing info] where [manager id] = 5"), -1)
            << "rank 0 is stored as null";
        EXPECT_EQ(Scalar(db, "select [fee paid] from [playing info] where [manager id] = 2"), 1);
        EXPECT_EQ(Scalar(db, "select count(*) from [playing info] where [manager id] = 3"), 0);
    });
}

TEST_F(DataSeasons, FailedManagersSaveKeepsTheStoredManagers) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->AddManager(MasterOf(99));  // not in the catalogue: refused by the store
    EXPECT_FALSE(service->SaveManagersPlaying());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving playing info.\n", 0), 0u)
        << m_reports[0];
    m_reports.clear();
    Inspect(service, [&](db::Database& db) {
        EXPECT_EQ(Scalar(db, "select count(*) from [playing info] where [season id] = 1"), 4);
        EXPECT_EQ(Scalar(db, "select ranking from [playing info] where [manager id] = 3"), 3);
    });
}

// The season window's save: managers and figures together or not at all.
TEST_F(DataSeasons, SeasonAndManagersAreSavedTogetherOrNotAtAll) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->get_Managers()->ItemAs<IManagerInfo>("K2")->let_IsFeePaid(true);
    season->let_MoneyContribution(75);
    auto ghost = MakeCom<data::PrizeTmplInfo>();  // refused by the store after the managers
    ghost->SetID(77);
    season->AddPrize(ghost);
    auto save = service.As<ISeasonSave>();
    ASSERT_TRUE(save);
    EXPECT_FALSE(save->SaveSeasonAndManagers());
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].rfind("Gridora Service|Error in saving season info.\n", 0), 0u);
    m_reports.clear();
    const auto stored = [&](int64_t fee, int64_t paid) {
        Inspect(service, [&](db::Database& db) {
            EXPECT_EQ(Scalar(db, "select [money contribution] from [season info]"), fee);
            EXPECT_EQ(Scalar(db, "select [fee paid] from [playing info] where [manager id] = 2"),
                      paid);
        });
    };
    stored(50, 0);
    season->get_Prizes()->Remove("K77");  // now both parts are stored
    EXPECT_TRUE(save->SaveSeasonAndManagers());
    stored(75, 1);
}

TEST_F(DataSeasons, DiscardDropsUnsavedChanges) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->let_MoneyContribution(1);
    season->let_Year(2030);
    EXPECT_TRUE(service->DiscardCurrentSeasonInfo());
    auto fresh = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(IsSameObject(fresh, season));
    EXPECT_EQ(fresh->get_MoneyContribution(), 50);
    EXPECT_EQ(fresh->get_Year(), 2023);
    EXPECT_EQ(service->GetAllSeasons()->Count(), 1);
    EXPECT_TRUE(IsSameObject(service->GetAllSeasons()->ItemAs<ISeasonInfo>("K1"), fresh));
}

TEST_F(DataSeasons, ChangedYearIsFoundUnderTheNewYearAsTheSameSeason) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    season->let_Year(2025);
    ASSERT_TRUE(service->SaveCurrentSeasonInfo());
    service->let_CurrentSeasonYear(2025);
    EXPECT_EQ(service->get_CurrentSeasonID(), 1);
    EXPECT_TRUE(IsSameObject(service->GetCurrentSeasonInfo(), season));
    // The old year holds no season any more: assigning it creates a new one.
    service->let_CurrentSeasonYear(2023);
    EXPECT_EQ(service->get_CurrentSeasonID(), 2);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataSeasons, AddSeasonOfAYearThatExistsIsRefused) {
    CreateStandardLeague();
    auto service = StartService();
    EXPECT_FALSE(service->AddSeason(2023));
    ASSERT_EQ(m_reports.size(), 1u);
    m_reports.clear();
    auto added = service->AddSeason(2040);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->get_ID(), 2);
    EXPECT_EQ(added->get_Drafts()->Count(), 0);
    EXPECT_EQ(added->get_CurrentPick(), 1);
}

TEST_F(DataSeasons, RoundTripThroughTheStore) {
    CreateStandardLeague();
    auto service = StartService();
    service->let_CurrentSeasonYear(2024);
    auto season = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    season->let_NoOfManagers(3);
    season->let_NoOfRounds(2);
    season->let_MoneyContribution(40);
    season->let_NoOfRegularWeeks(13);
    season->let_TotalNoOfWeeks(16);
    season->let_IsRankingLocked(true);
    season->let_IsDraftLocked(true);
    season->let_IsSeasonLocked(false);
    season->let_HasSeasonStarted(true);
    auto masters = service->GetPrizeTmpls();
    season->AddPrize(masters->ItemAs<IPrizeTmplInfo>("K1"));
    season->AddPrize(masters->ItemAs<IPrizeTmplInfo>("K5"));
    season->get_Prizes()->ItemAs<IPrizeInfo>("K1")->let_Amount(100);
    season->get_Prizes()->ItemAs<IPrizeInfo>("K5")->let_Amount(5);
    for (int32_t id : {3, 1, 2}) season->AddManager(MasterOf(id));
    season->get_Managers()->ItemAs<IManagerInfo>("K3")->let_Rank(1);
    season->get_Managers()->ItemAs<IManagerInfo>("K1")->let_Rank(2);
    season->get_Managers()->ItemAs<IManagerInfo>("K1")->let_IsFeePaid(true);
    ASSERT_TRUE(service->SaveCurrentSeasonInfo());
    ASSERT_TRUE(service->SaveManagersPlaying());
    // Storing the ranking gives the board its new size; then a player, a team and a win.
    ASSERT_TRUE(service->SaveRanking());
    ASSERT_EQ(season->get_Drafts()->Count(), 6);
    auto found = service->Search(TypePlayerOrTeam, "Lamb");
    ASSERT_TRUE(found);
    ASSERT_EQ(found->Count(), 1);
    auto playing = season->get_Managers();
    season->UpdateDraft(found->ItemAs<IPickable>(1), 1, playing->ItemAs<IManagerInfo>("K3"));
    season->UpdateDraft(service->GetTeams()->ItemAs<IPickable>("K2"), 2,
                        playing->ItemAs<IManagerInfo>("K1"));
    ASSERT_TRUE(service->SaveDrafts());
    ComPtr<IWinningInfo> win;
    ASSERT_TRUE(service->AddWinning(win));
    win->let_ManagerID("3");
    win->let_PrizeID("5");
    win->let_Week(4);
    win->let_Action(ActionTypeAdd);
    ASSERT_TRUE(service->SaveWinnings());

    std::string message;
    ASSERT_TRUE(service->OpenDatabase(true, message)) << message;
    auto loaded = service->GetCurrentSeasonInfo();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(IsSameObject(loaded, season)) << "the caches were dropped";
    EXPECT_EQ(loaded->get_ID(), season->get_ID());
    EXPECT_EQ(loaded->get_Year(), 2024);
    EXPECT_EQ(loaded->get_NoOfManagers(), 3);
    EXPECT_EQ(loaded->get_NoOfRounds(), 2);
    EXPECT_EQ(loaded->get_MoneyContribution(), 40);
    EXPECT_EQ(loaded->get_NoOfRegularWeeks(), 13);
    EXPECT_EQ(loaded->get_TotalNoOfWeeks(), 16);
    EXPECT_TRUE(loaded->get_IsRankingLocked());
    EXPECT_TRUE(loaded->get_IsDraftLocked());
    EXPECT_FALSE(loaded->get_IsSeasonLocked());
    EXPECT_TRUE(loaded->get_HasSeasonStarted());
    ASSERT_EQ(loaded->get_Prizes()->Count(), 2);
    EXPECT_EQ(loaded->get_Prizes()->ItemAs<IPrizeInfo>("K1")->get_Amount(), 100);
    EXPECT_EQ(loaded->get_Prizes()->ItemAs<IPrizeInfo>("K5")->get_Amount(), 5);
    auto managers = loaded->get_Managers();
    ASSERT_EQ(managers->Count(), 3);
    EXPECT_EQ(managers->KeyAt(1), "K2");
    EXPECT_EQ(managers->KeyAt(2), "K3");
    EXPECT_EQ(managers->KeyAt(3), "K1");
    EXPECT_EQ(managers->ItemAs<IManagerInfo>("K3")->get_LastName(), "Ng");
    EXPECT_TRUE(managers->ItemAs<IManagerInfo>("K1")->get_IsFeePaid());
    EXPECT_FALSE(managers->ItemAs<IManagerInfo>("K2")->get_IsFeePaid());
    auto drafts = loaded->get_Drafts();
    ASSERT_EQ(drafts->Count(), 6);
    EXPECT_EQ(drafts->KeyAt(1), "P4");
    EXPECT_TRUE(IsSameObject(drafts->ItemAs<IDraftInfo>(1)->get_Manager(),
                             managers->ItemAs<IManagerInfo>("K3")));
    EXPECT_EQ(drafts->ItemAs<IDraftInfo>(1)->get_PlayerOrTeam()->get_PickName(), "CeeDee Lamb");
    EXPECT_EQ(drafts->KeyAt(2), "T2");
    EXPECT_EQ(drafts->ItemAs<IDraftInfo>(2)->get_Manager()->get_ID(), 1);
    for (int32_t p = 3; p <= 6; ++p) EXPECT_EQ(drafts->KeyAt(p), "N" + std::to_string(p));
    EXPECT_EQ(loaded->get_CurrentPick(), 1);
    auto winnings = loaded->get_Winnings();
    ASSERT_EQ(winnings->Count(), 1);
    auto stored = winnings->ItemAs<IWinningInfo>(1);
    EXPECT_EQ(stored->get_SeasonID(), loaded->get_ID());
    EXPECT_EQ(stored->get_ManagerID(), "3");
    EXPECT_EQ(stored->get_PrizeID(), "5");
    EXPECT_EQ(stored->get_Week(), 4);
    EXPECT_EQ(winnings->KeyAt(1), "K" + std::to_string(stored->get_ID()));
    // The season of 2023 is untouched.
    service->let_CurrentSeasonYear(2023);
    auto old = service->GetCurrentSeasonInfo();
    EXPECT_EQ(old->get_Managers()->Count(), 4);
    EXPECT_EQ(old->get_Prizes()->ItemAs<IPrizeInfo>("K1")->get_Amount(), 120);
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(DataSeasons, SavingWithoutAConnectionReportsAndFails) {
    CreateStandardLeague();
    auto service = StartService();
    auto season = service->GetCurrentSeasonInfo();
    service->CloseDatabase();
    EXPECT_FALSE(service->SaveCurrentSeasonInfo());
    EXPECT_FALSE(service->SaveManagersPlaying());
    ASSERT_EQ(m_reports.size(), 2u);
    EXPECT_EQ(m_reports[0],
              "Gridora Service|Error in saving season info.\nThe database is not open.");
    EXPECT_EQ(m_reports[1],
              "Gridora Service|Error in saving playing info.\nThe database is not open.");
    EXPECT_EQ(season->get_Managers()->Count(), 4) << "the season in memory is kept";
    m_reports.clear();
}
