// The manager ranking window and the draft board with its pick panel, on the headless view:
// on the real services over a copy of the demo league (its current season has ten managers,
// sixteen rounds and no ranking yet), and on in-memory seasons for shapes the demo lacks.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QTest>
#include <set>

#include "DraftBoardHtml.h"
#include "DraftShuffle.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "ScriptedUser.h"
#include "UiFakes.h"
#include "ViewDriver.h"
#include "frmAddNewPopup.h"
#include "frmDraftPlayers.h"
#include "frmDraftRanking.h"
#include "frmSelection.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

using ::testing::Return;

std::string Text(const HtmlView& view, const std::string& id) {
    const ElementPtr e = view.document() ? view.document()->getElementById(id) : nullptr;
    return e ? e->innerText() : "<missing " + id + ">";
}

// The rank column of the ranking table, row by row.
std::vector<std::string> RankColumn(const frmDraftRanking& window) {
    std::vector<std::string> ranks;
    const auto rows = window.wbDisplay->document()->body()->children()[0]->rows();
    for (size_t r = 1; r < rows.size(); ++r) ranks.push_back(rows[r]->cells()[2]->innerText());
    return ranks;
}

template <class Window>
void Open(Window& window, const ComPtr<IDataService>& data, HtmlView& view) {
    window.Initialize(data);
    window.resize(1000, 600);
    window.show();
    ASSERT_TRUE(WaitForDocument(view));
    window.Activated();
}

void Leave(QLineEdit* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

// Replaces the field's text as a user does (select all, delete, type), then tabs away.
void TypeAndLeave(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (!box->text().isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    Leave(box);
}

// ---- On the real services -----------------------------------------------------------------

class DraftOnServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        data = setup->get_DataService();
        season = data->GetCurrentSeasonInfo();
        ASSERT_TRUE(season);
        ASSERT_EQ(season->get_NoOfManagers(), 10);
    }
    void TearDown() override { SetRandomSeedSource({}); }

    // Ranks the managers in name order and locks the ranking, as the ranking window does.
    void LockRanking() {
        const auto managers = SortManagers(season->get_Managers(), SortByName);
        for (int32_t i = 1; i <= managers->Count(); ++i)
            managers->ItemAs<IManagerInfo>(i)->let_Rank(i);
        ASSERT_TRUE(data->SaveRanking());
        ASSERT_TRUE(data->DisableRanking());
    }

    // The name of the player a search for text finds, as the data service has it.
    ComPtr<IPickable> Find(const std::string& text) {
        const auto found = data->Search(TypePlayerOrTeam, text, false, true);
        return found && found->Count() > 0 ? found->ItemAs<IPickable>(1) : nullptr;
    }

    int32_t DraftedPicks() {
        int32_t rows = 0;
        for (const auto& draft : data->GetCurrentSeasonInfo()->get_Drafts()->ItemsAs<IDraftInfo>())
            if (draft->get_PlayerOrTeam()) ++rows;
        return rows;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> data;
    ComPtr<ISeasonInfo> season;
};

TEST_F(DraftOnServicesTest, ShuffleRanksEveryManagerOnceLeavingStoresUnlockedSaveLocks) {
    int seeds = 0;
    SetRandomSeedSource([&] { return static_cast<uint32_t>(1000 + ++seeds); });
    frmDraftRanking window;
    Open(window, data, *window.wbDisplay);
    // Unranked: positions stand in for ranks, only Shuffle is offered.
    EXPECT_EQ(RankColumn(window),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_TRUE(window.cmdShuffle->isEnabled());
    EXPECT_FALSE(window.cmdClear->isEnabled());
    EXPECT_FALSE(window.cmdSave->isEnabled());

    window.cmdShuffle->click();
    EXPECT_EQ(seeds, 2) << "managers and ranks are shuffled from seeds of their own";
    std::set<int32_t> ranks(window.RankList().begin(), window.RankList().end());
    EXPECT_EQ(ranks.size(), 10U);
    EXPECT_EQ(*ranks.begin(), 1);
    EXPECT_EQ(*ranks.rbegin(), 10);
    EXPECT_TRUE(window.cmdClear->isEnabled());
    EXPECT_TRUE(window.cmdSave->isEnabled());
    EXPECT_EQ(window.DisplayList()->Count(), 10);

    // Closing (as any way of leaving) stores the shuffled ranks without locking; coming back
    // shows them by name.
    std::map<int32_t, int32_t> shuffled;
    for (int32_t i = 1; i <= 10; ++i)
        shuffled[window.DisplayList()->ItemAs<IManagerInfo>(i)->get_ID()] =
            window.RankList()[i - 1];
    window.cmdClose->click();
    ASSERT_TRUE(data->DiscardCurrentSeasonInfo());
    window.Activated();
    EXPECT_FALSE(data->GetCurrentSeasonInfo()->get_IsRankingLocked());
    for (int32_t i = 1; i <= 10; ++i) {
        const auto manager = window.DisplayList()->ItemAs<IManagerInfo>(i);
        EXPECT_EQ(manager->get_Rank(), shuffled[manager->get_ID()]);
    }
    EXPECT_EQ(window.DisplayList()->ItemAs<IManagerInfo>(1)->get_FirstName(), "Anil");
    // Clear lists by name with positions as ranks; Save & Lock is gone until a new shuffle.
    window.cmdClear->click();
    EXPECT_FALSE(window.cmdSave->isEnabled());
    EXPECT_EQ(RankColumn(window).front(), "1");
    window.cmdShuffle->click();
    window.cmdSave->click();
    for (QPushButton* b : {window.cmdShuffle, window.cmdClear, window.cmdSave})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(window.cmdClose->isEnabled());
    EXPECT_FALSE(window.IsChanged());

    // Reopened on a fresh read of the file: locked, in rank order.
    ASSERT_TRUE(data->DiscardCurrentSeasonInfo());
    frmDraftRanking again;
    Open(again, data, *again.wbDisplay);
    EXPECT_TRUE(data->GetCurrentSeasonInfo()->get_IsRankingLocked());
    EXPECT_EQ(RankColumn(again),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_FALSE(again.cmdShuffle->isEnabled());
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(DraftOnServicesTest, ReshufflingADraftedSeasonAsksAndDeletesTheDraftsOnlyOnYes) {
    LockRanking();
    season->let_IsRankingLocked(false);  // unlocked again, as the season window can
    season->UpdateDraft(Find("Heinicke"), 1, season->get_Managers()->ItemAs<IManagerInfo>(1));
    ASSERT_TRUE(data->SaveDrafts());
    frmDraftRanking window;
    Open(window, data, *window.wbDisplay);
    const auto before = window.RankList();

    user->answer(MsgAnswer::No);
    window.cmdShuffle->click();
    ASSERT_EQ(user->messages.size(), 1U);
    EXPECT_EQ(user->messages[0].text,
              "There are some players or teams already drafted. Re-ranking would delete those "
              "drafts. Are you sure?");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(user->messages[0].defaultAnswer, MsgAnswer::No);
    EXPECT_EQ(window.RankList(), before);
    EXPECT_EQ(DraftedPicks(), 1);

    user->answer(MsgAnswer::Yes);
    window.cmdShuffle->click();
    EXPECT_EQ(user->messages.size(), 2U);
    EXPECT_EQ(DraftedPicks(), 0);
    EXPECT_EQ(data->GetCurrentSeasonInfo()->get_CurrentPick(), 1);
    EXPECT_TRUE(window.cmdSave->isEnabled());
}

TEST_F(DraftOnServicesTest, PicksTypedTakenRefusedAndMovedThrough) {
    LockRanking();
    frmDraftPlayers board;
    Open(board, data, *board.wbReport);
    ASSERT_TRUE(board.txtPlayerName->isEnabled());
    EXPECT_EQ(board.CurrentPick(), 1);
    EXPECT_FALSE(board.cmdPrevPick->isEnabled());
    EXPECT_EQ(board.lblCoach->text().toStdString(), "Anil");  // first by name, rank 1
    EXPECT_EQ(board.lblPickInfo->text().toStdString(), "(Round #1)(Pick #1)(Overall Pick #1)");

    // One match is taken at once, and its cell shows it at once.
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Heinicke"));
    EXPECT_EQ(board.txtPlayerName->text().toStdString(), "Taylor Heinicke");
    EXPECT_EQ(board.lblPositionName->text().toStdString(), "QB");
    EXPECT_EQ(board.lblTeamName->text().toStdString(), "ATL");
    EXPECT_EQ(Text(*board.wbReport, "EA-1-1"), "Taylor Heinicke (QB)(1)");
    EXPECT_TRUE(board.cmdSave->isEnabled());
    EXPECT_TRUE(user->modalTitles.empty());

    // Several matches open the selection dialog; cancelling it takes nothing.
    QTest::keyClick(board.txtPlayerName, Qt::Key_Return);  // unchanged: nothing happens
    EXPECT_EQ(board.CurrentPick(), 1);
    board.cmdNextPick->click();
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Josh"));
    EXPECT_EQ(user->modalTitles, std::vector<std::string>{"Select a Player or a Team"});
    EXPECT_EQ(Text(*board.wbReport, "EA-2-1"), "(2)");

    // A name matching nothing.
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Zzyzx"));
    ASSERT_FALSE(user->messages.empty());
    EXPECT_EQ(user->messages.back().text, "Sorry no player or team found.");

    // Enter takes the pick and moves on to an empty field.
    board.txtPlayerName->clear();
    QTest::keyClicks(board.txtPlayerName, QStringLiteral("FitzPatrick"));
    QTest::keyClick(board.txtPlayerName, Qt::Key_Return);
    EXPECT_EQ(board.CurrentPick(), 3);
    EXPECT_EQ(board.txtPlayerName->text().toStdString(), "");
    EXPECT_EQ(Text(*board.wbReport, "EA-2-1"), "John FitzPatrick (TE)(2)");

    // Pick 11 of 10 managers: round 2, made by the manager in position 10.
    for (int pick = 3; pick < 11; ++pick) board.cmdNextPick->click();
    ASSERT_EQ(board.CurrentPick(), 11);
    EXPECT_EQ(board.lblPickInfo->text().toStdString(), "(Round #2)(Pick #1)(Overall Pick #11)");
    EXPECT_EQ(board.lblCoach->text().toStdString(), "Terrell");
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Allgeier"));
    EXPECT_EQ(Text(*board.wbReport, "EA-10-2"), "Tyler Allgeier (RB)(11)");

    // Pick 12: a player already taken in round 2 is refused and the pick stays empty.
    board.cmdNextPick->click();
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Allgeier"));
    EXPECT_EQ(user->messages.back().text, "Dude, Terrell already took Tyler Allgeier in round #2.");
    EXPECT_TRUE(board.IsEntryChanged());
    EXPECT_EQ(Text(*board.wbReport, "EA-9-2"), "(12)");
    // A team already taken gets the same kind of notice.
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Arizona"));
    board.cmdNextPick->click();
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Arizona"));
    EXPECT_EQ(user->messages.back().text, "Dude, Sofie already took Arizona in round #2.");

    // Back to a filled pick: it shows its player; leaving unchanged and emptying keep it.
    board.cmdSave->click();
    EXPECT_FALSE(board.cmdSave->isEnabled());
    while (board.CurrentPick() > 1) board.cmdPrevPick->click();
    EXPECT_EQ(board.txtPlayerName->text().toStdString(), "Taylor Heinicke");
    Leave(board.txtPlayerName);
    EXPECT_FALSE(board.cmdSave->isEnabled());
    TypeAndLeave(board.txtPlayerName, QString());
    EXPECT_EQ(Text(*board.wbReport, "EA-1-1"), "Taylor Heinicke (QB)(1)");
    EXPECT_FALSE(board.cmdSave->isEnabled());
    // A name that matches nothing has emptied the pick, and its cell says so at once.
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Zzyzx"));
    EXPECT_EQ(user->messages.back().text, "Sorry no player or team found.");
    EXPECT_EQ(Text(*board.wbReport, "EA-1-1"), "(1)");
    EXPECT_TRUE(board.cmdSave->isEnabled()) << "the league still holds the emptied pick";

    // The by-manager view puts pick 11 in row 2, column 10.
    board.cmdDispBy->click();
    EXPECT_EQ(board.cmdDispBy->text().toStdString(), "Display By &Round");
    EXPECT_EQ(Text(*board.wbReport, "EA-2-10"), "Tyler Allgeier (RB)(11)");
    // Go to Current Pick finds the first open pick: the one just emptied.
    board.cmdGotoCurPick->click();
    EXPECT_EQ(board.CurrentPick(), 1);
}

TEST_F(DraftOnServicesTest, CloseAsksDeactivationSavesLockShowsTheReadOnlyBoard) {
    LockRanking();
    auto board = std::make_unique<frmDraftPlayers>();
    Open(*board, data, *board->wbReport);
    TypeAndLeave(board->txtPlayerName, QStringLiteral("Heinicke"));
    user->answer(MsgAnswer::Cancel);
    board->cmdClose->click();
    EXPECT_EQ(user->messages.back().text, "Do you want to save changes?");
    EXPECT_EQ(user->messages.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(board->isVisible());
    EXPECT_TRUE(board->cmdSave->isEnabled());

    user->answer(MsgAnswer::No);
    board->cmdClose->click();
    EXPECT_FALSE(board->isVisible());
    EXPECT_EQ(DraftedPicks(), 0) << "No discards the unsaved pick";

    board = std::make_unique<frmDraftPlayers>();
    Open(*board, data, *board->wbReport);
    TypeAndLeave(board->txtPlayerName, QStringLiteral("Heinicke"));
    EXPECT_TRUE(board->MayLeave(LeaveReason::Replaced));
    EXPECT_FALSE(board->cmdSave->isEnabled());
    ASSERT_TRUE(data->DiscardCurrentSeasonInfo());
    EXPECT_EQ(DraftedPicks(), 1) << "leaving the board saves without a question";

    board->Activated();
    EXPECT_EQ(board->CurrentPick(), 2);
    board->cmdLockDrafting->click();
    EXPECT_TRUE(data->GetCurrentSeasonInfo()->get_IsDraftLocked());
    EXPECT_EQ(board->View(), DraftView::ByManager);
    EXPECT_EQ(board->cmdDispBy->text().toStdString(), "Display By &Round");
    EXPECT_FALSE(board->fraCurrentPick->isVisible());
    EXPECT_FALSE(board->cmdGotoCurPick->isVisible());
    EXPECT_FALSE(board->cmdLockDrafting->isVisible());
    EXPECT_EQ(Text(*board->wbReport, "EA-1-1"), "Taylor Heinicke (QB)(1)");
    EXPECT_EQ(user->messages.size(), 2U);
}

TEST_F(DraftOnServicesTest, AnAddedPlayerIsTakenAndTheDialogIsKeptForTheNextUse) {
    LockRanking();
    frmDraftPlayers board;
    Open(board, data, *board.wbReport);
    std::vector<QDialog*> shown;
    user->onModal([&](QDialog& dialog) {
        shown.push_back(&dialog);
        auto& popup = dynamic_cast<frmAddNewPopup&>(dialog);
        ASSERT_TRUE(WaitForDocument(*popup.ctlAddNewPopup->wbReport));
        ViewDriver driver(*popup.ctlAddNewPopup->wbReport);
        driver.type("AB", "Rookie");
        driver.type("AA", "Ray");
        driver.select("HA", 2);
        driver.select("HB", 3);
        popup.cmdAccept->click();
    });
    board.cmdAddPlayer->click();
    EXPECT_EQ(user->modalTitles, std::vector<std::string>{"Add a Player"});
    EXPECT_EQ(board.txtPlayerName->text().toStdString(), "Ray Rookie");
    EXPECT_EQ(Text(*board.wbReport, "EA-1-1").rfind("Ray Rookie", 0), 0U);
    EXPECT_TRUE(board.cmdSave->isEnabled());

    // Cancelled the second time: the same dialog, and nothing taken.
    board.cmdNextPick->click();
    user->onModal([&](QDialog& dialog) {
        shown.push_back(&dialog);
        dynamic_cast<frmAddNewPopup&>(dialog).cmdCancel->click();
    });
    board.cmdAddPlayer->click();
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(Text(*board.wbReport, "EA-2-1"), "(2)");
    EXPECT_TRUE(user->messages.empty());
}

// ---- On in-memory seasons -----------------------------------------------------------------

class DraftOnFakesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        ON_CALL(*data, GetCurrentSeasonInfo()).WillByDefault(Return(ComPtr<ISeasonInfo>(season)));
        ON_CALL(*data, SaveDrafts()).WillByDefault(Return(true));
    }
    void TearDown() override { SetRandomSeedSource({}); }

    ComPtr<FakeManager> AddManager(int32_t id, const std::string& first, int32_t rank) {
        auto manager = MakeCom<FakeManager>(id, first, "L", rank);
        season->managers->Add(manager, "K" + std::to_string(id));
        return manager;
    }
    void Shape(int32_t managers, int32_t rounds) {
        season->noOfManagers = managers;
        season->noOfRounds = rounds;
        for (int32_t d = 1; d <= managers * rounds; ++d)
            season->drafts->Add(MakeCom<FakeDraft>(d), "N" + std::to_string(d));
    }

    std::shared_ptr<ScriptedUser> user;
    ComPtr<FakeSeason> season = MakeCom<FakeSeason>();
    ComPtr<NiceDataService> data = MakeCom<NiceDataService>();
};

TEST(DraftShuffleTest, APermutationFromItsSeedThatReachesEveryPlace) {
    EXPECT_EQ(ShuffledOrder(1, 7), std::vector<uint32_t>{0});
    EXPECT_TRUE(ShuffledOrder(0, 7).empty());
    const auto order = ShuffledOrder(12, 99);
    EXPECT_EQ(std::set<uint32_t>(order.begin(), order.end()).size(), 12U);
    EXPECT_EQ(ShuffledOrder(12, 99), order) << "the seed alone decides";
    EXPECT_NE(ShuffledOrder(12, 100), order);
    // Every element ends in every place now and then, the last place included.
    std::set<std::pair<uint32_t, uint32_t>> seen;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        const auto o = ShuffledOrder(3, seed);
        for (uint32_t place = 0; place < 3; ++place) seen.insert({place, o[place]});
    }
    EXPECT_EQ(seen.size(), 9U);
}

TEST_F(DraftOnFakesTest, RankingOfOneTwelveOrTooFewManagers) {
    season->noOfManagers = 1;
    AddManager(7, "Solo", 0);
    frmDraftRanking one;
    Open(one, data, *one.wbDisplay);
    one.cmdShuffle->click();
    one.cmdSave->click();
    EXPECT_EQ(season->managers->ItemAs<IManagerInfo>(1)->get_Rank(), 1);

    season->managers->Clear();
    season->noOfManagers = 12;
    for (int32_t id = 1; id <= 12; ++id) AddManager(id, "M" + std::to_string(100 - id), 0);
    frmDraftRanking twelve;
    Open(twelve, data, *twelve.wbDisplay);
    twelve.cmdShuffle->click();
    twelve.cmdSave->click();
    std::set<int32_t> ranks;
    for (const auto& m : season->managers->ItemsAs<IManagerInfo>()) ranks.insert(m->get_Rank());
    EXPECT_EQ(ranks, (std::set<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

    // Fewer managers than the season's count: "XYZ" and nothing but Close.
    season->noOfManagers = 13;
    season->rankingLocked = false;
    frmDraftRanking missing;
    Open(missing, data, *missing.wbDisplay);
    const auto rows = missing.wbDisplay->document()->body()->children()[0]->rows();
    ASSERT_EQ(rows.size(), 14U);
    EXPECT_EQ(rows[13]->cells()[1]->innerText(), "XYZ");
    EXPECT_EQ(rows[13]->cells()[2]->innerText(), "13");
    EXPECT_FALSE(missing.cmdShuffle->isEnabled());
    EXPECT_TRUE(missing.cmdClose->isEnabled());
}

TEST_F(DraftOnFakesTest, GridHeadingsWidthsAndPositionsFollowTheRankList) {
    // Equal ranks keep the season's order; a gap in the ranks leaves no position empty.
    AddManager(1, "Bea", 2);
    AddManager(2, "Al", 2);
    AddManager(3, "Cy", 5);
    Shape(3, 3);
    season->rankingLocked = true;
    frmDraftPlayers board;
    Open(board, data, *board.wbReport);
    const ElementPtr table = board.wbReport->document()->body()->children()[0];
    EXPECT_EQ(table->getAttribute("width"), "675");
    EXPECT_EQ(Text(*board.wbReport, "KA-1"), "");
    EXPECT_EQ(board.wbReport->document()->getElementById("KA-2"), nullptr);
    const auto heading = table->rows()[0]->cells();
    EXPECT_EQ(heading[0]->innerText(), "Manager");
    EXPECT_EQ(heading[1]->innerText(), "Round #1 " + WebdingsSymbol('6'));
    EXPECT_EQ(heading[2]->innerText(), "Round #2 " + WebdingsSymbol('5'));
    EXPECT_EQ(table->rows()[1]->cells()[0]->innerText(), "1. Bea");
    EXPECT_EQ(table->rows()[2]->cells()[0]->innerText(), "2. Al");
    EXPECT_EQ(table->rows()[3]->cells()[0]->innerText(), "3. Cy");
    EXPECT_EQ(board.lblCoach->text().toStdString(), "Bea");
    EXPECT_EQ(table->rows()[1]->getAttribute("bgcolor"), "CCFFFF");
    EXPECT_EQ(table->rows()[2]->getAttribute("bgcolor"), "FFCCFF");
    // Pick 6 ends round 2 with position 1; pick 4 starts it with position 3.
    EXPECT_EQ(Text(*board.wbReport, "EA-1-2"), "(6)");
    EXPECT_EQ(Text(*board.wbReport, "EA-3-2"), "(4)");

    // A fourth round opens a second group with its own heading column.
    season->drafts->Clear();
    Shape(3, 4);
    board.Activated();
    const ElementPtr wider = board.wbReport->document()->body()->children()[0];
    EXPECT_EQ(wider->getAttribute("width"), "970");
    EXPECT_EQ(wider->rows()[0]->cells().size(), 6U);
    EXPECT_NE(board.wbReport->document()->getElementById("KA-2"), nullptr);
    EXPECT_EQ(DraftTableWidth(4), 970);

    board.cmdDispBy->click();
    const ElementPtr byManager = board.wbReport->document()->body()->children()[0];
    EXPECT_EQ(byManager->rows()[0]->cells()[0]->innerText(), "Round");
    EXPECT_EQ(byManager->rows()[0]->cells()[1]->innerText(), "Bea");
    EXPECT_EQ(byManager->rows()[2]->cells()[0]->innerText(), "Round #2 " + WebdingsSymbol('3'));
}

TEST_F(DraftOnFakesTest, ABoardThatCannotTakePicksSaysWhyAndTheEndsDisableNavigation) {
    // Each reason in place of the board, naming the command that mends it; every pick control
    // off. Without managers the toggle is off for good.
    AddManager(1, "Al", 1);
    AddManager(2, "Bo", 2);
    struct Case {
        int32_t managers, rounds;
        bool locked;
        const char* why;
        const char* command;
        bool toggle;
    };
    for (const Case& c : {Case{2, 0, true, "no draft rounds", "Setup \xE2\x86\x92 Season", true},
                          Case{0, 4, true, "no managers", "Setup \xE2\x86\x92 Season", false},
                          Case{2, 2, false, "order is not locked", "Manager Ranking", true}}) {
        season->drafts->Clear();
        Shape(c.managers, c.rounds);
        season->rankingLocked = c.locked;
        frmDraftPlayers board;
        Open(board, data, *board.wbReport);
        const std::string notice = Text(*board.wbReport, "NR");
        EXPECT_NE(notice.find(c.why), std::string::npos) << notice;
        EXPECT_NE(notice.find(c.command), std::string::npos) << notice;
        EXPECT_EQ(board.wbReport->document()->getElementById("EA-1-1"), nullptr) << c.why;
        EXPECT_FALSE(board.txtPlayerName->isEnabled()) << c.why;
        EXPECT_FALSE(board.cmdGotoCurPick->isEnabled()) << c.why;
        EXPECT_EQ(board.cmdDispBy->isEnabled(), c.toggle) << c.why;
    }
    ON_CALL(*data, GetCurrentSeasonInfo()).WillByDefault(Return(ComPtr<ISeasonInfo>()));
    frmDraftPlayers noSeason;
    Open(noSeason, data, *noSeason.wbReport);
    EXPECT_NE(Text(*noSeason.wbReport, "NR").find("no season"), std::string::npos);
    ON_CALL(*data, GetCurrentSeasonInfo()).WillByDefault(Return(ComPtr<ISeasonInfo>(season)));
    season->rankingLocked = true;

    // One pick in all: Previous and Next both off; Enter takes it and stays.
    season->managers->Clear();
    season->drafts->Clear();
    AddManager(1, "Al", 1);
    Shape(1, 1);
    auto player = MakeCom<FakePlayer>(5, "Ann", "Bee");
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "Bee", false, true))
        .WillOnce(Return(Items(player)));
    frmDraftPlayers single;
    Open(single, data, *single.wbReport);
    EXPECT_FALSE(single.cmdPrevPick->isEnabled());
    EXPECT_FALSE(single.cmdNextPick->isEnabled());
    QTest::keyClicks(single.txtPlayerName, QStringLiteral("Bee"));
    QTest::keyClick(single.txtPlayerName, Qt::Key_Return);
    EXPECT_EQ(single.CurrentPick(), 1);
    EXPECT_TRUE(single.cmdSave->isEnabled());
}

// Picks the league refuses to store keep the board however it is left, and are not locked.
TEST_F(DraftOnFakesTest, PicksThatCannotBeSavedKeepTheBoardHoweverItIsLeft) {
    AddManager(1, "Al", 1);
    Shape(1, 2);
    season->rankingLocked = true;
    ON_CALL(*data, SaveDrafts()).WillByDefault(Return(false));
    EXPECT_CALL(*data, DisableDrafting()).Times(0);
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "Bee", false, true))
        .WillOnce(Return(Items(MakeCom<FakePlayer>(5, "Ann", "Bee"))));
    frmDraftPlayers board;
    Open(board, data, *board.wbReport);
    TypeAndLeave(board.txtPlayerName, QStringLiteral("Bee"));
    user->answer(MsgAnswer::Yes);  // at Exit
    for (const LeaveReason way :
         {LeaveReason::Replaced, LeaveReason::Unattended, LeaveReason::Exit})
        EXPECT_FALSE(board.MayLeave(way)) << static_cast<int>(way);
    board.cmdLockDrafting->click();
    EXPECT_TRUE(board.cmdSave->isEnabled());
    ASSERT_EQ(user->messages.size(), 1U);
    EXPECT_EQ(user->messages[0].defaultAnswer, MsgAnswer::Cancel) << user->messages[0].text;
}

TEST_F(DraftOnFakesTest, BrowsingRefusesTheCurrentPicksOwnPlayer) {
    auto manager = AddManager(1, "Al", 1);
    Shape(1, 2);
    season->rankingLocked = true;
    auto player = MakeCom<FakePlayer>(5, "Ann", "Bee");
    season->drafts->ItemAs<IDraftInfo>(1)->set_PlayerOrTeam(player);
    season->markTaken(player, "1\tAl\tAnn Bee");
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "", false, true)).WillOnce(Return(Items(player)));
    frmDraftPlayers board;
    Open(board, data, *board.wbReport);
    board.cmdPrevPick->click();
    ASSERT_EQ(board.CurrentPick(), 1);
    board.cmdDBLookup->click();
    ASSERT_EQ(user->messages.size(), 1U);
    EXPECT_EQ(user->messages[0].text, "Dude, Al already took Ann Bee in round #1.");
    EXPECT_FALSE(board.cmdSave->isEnabled());
}

}  // namespace
}  // namespace gr::ui::test
