// The winnings window on the real services over a copy of the test league (its current season
// has ten managers and no winnings yet), driven by element id as a user would.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>
#include <tuple>

#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "ViewDriver.h"
#include "WinningsPageIds.h"
#include "frmSelection.h"
#include "frmWinnings.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

// An element id of the table: "AA-K12".
std::string Id(const char* code, const std::string& key) {
    return winningspage::WinningsId{code, key}.Format();
}

using Stored = std::tuple<std::string, std::string, int32_t>;  // manager, prize, week

constexpr int32_t kChampion = 1;
constexpr int32_t kWeekly = 5;

class WinningsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        service = setup->get_DataService();
        season = service->GetCurrentSeasonInfo();
        ASSERT_TRUE(season);
    }

    void Open() {
        window = std::make_unique<frmWinnings>();
        window->Initialize(service);
        window->show();
        window->Activated();
        ASSERT_TRUE(WaitForDocument(*window->wbWinnings));
        driver = std::make_unique<ViewDriver>(*window->wbWinnings);
    }

    // The season's prize money, changed in memory as the season window would.
    void SetAmount(int32_t prizeId, int32_t amount) {
        season->get_Prizes()->ItemAs<IPrizeInfo>("K" + std::to_string(prizeId))->let_Amount(amount);
    }

    // Enters a winning in the blank row by typing; week 0 chooses no week. Its record key.
    std::string Enter(const std::string& manager, const std::string& prize, int32_t week = -1) {
        std::string key = window->NewRowKey();
        EXPECT_TRUE(driver->type(Id("AA", key), manager)) << manager;
        EXPECT_TRUE(driver->type(Id("AB", key), prize)) << prize;
        EXPECT_TRUE(week < 0 || driver->select(Id("HA", key), week)) << week;
        return key;
    }

    std::string Text(const std::string& id) const {
        const ElementPtr e = driver->element(id);
        return e ? e->innerText() : "<none>";
    }
    std::string Amount(const std::string& key) const { return Text(Id("EC", key)); }
    int RecordRows() const {
        return static_cast<int>(driver->element("DA")->rows().size()) - 2;  // heading, blank
    }

    // What the league file holds for the current season, read by fresh services once this
    // window and these services are gone.
    std::vector<Stored> StoredWinnings() {
        window.reset();
        season = nullptr;
        service = nullptr;
        setup = nullptr;
        const auto reader = InitializedSetupService();
        std::vector<Stored> stored;
        const auto current = reader->get_DataService()->GetCurrentSeasonInfo();
        for (const auto& w : current->get_Winnings()->ItemsAs<IWinningInfo>())
            stored.emplace_back(w->get_ManagerID(), w->get_PrizeID(), w->get_Week());
        return stored;
    }

    std::string ManagerId(const std::string& firstName) const {
        for (const auto& m : season->get_Managers()->ItemsAs<IManagerInfo>())
            if (m->get_FirstName() == firstName) return std::to_string(m->get_ID());
        return {};
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> service;
    ComPtr<ISeasonInfo> season;
    std::unique_ptr<frmWinnings> window;
    std::unique_ptr<ViewDriver> driver;
};

TEST_F(WinningsTest, WeeklySharesAreSplitWithinTheirWeek) {
    SetAmount(kWeekly, 10);
    Open();
    const std::string maria = Enter("Maria", "Weekly", 3);
    EXPECT_EQ(Amount(maria), "10");
    const std::string kevin = Enter("Kevin", "Weekly", 3);
    const std::string lily = Enter("Lily", "Weekly", 4);
    EXPECT_EQ(Amount(maria), "5");
    EXPECT_EQ(Amount(kevin), "5");
    EXPECT_EQ(Amount(lily), "10");
    EXPECT_EQ(Text(Id("ED", maria)), "3");
    EXPECT_EQ(Text(Id("ED", lily)), "4");
    EXPECT_EQ(RecordRows(), 3);
    EXPECT_TRUE(window->cmdSave->isEnabled());
    EXPECT_TRUE(user->messages.empty());

    // A weekly prize offers the regular weeks after an empty entry.
    const std::string key = window->NewRowKey();
    driver->type(Id("AB", key), "Weekly");
    const auto options = driver->element(Id("HA", key))->options();
    ASSERT_EQ(options.size(), 15u);
    EXPECT_EQ(options[0]->id(), "GA-0");
    EXPECT_EQ(options[0]->value(), "0");
    EXPECT_EQ(options[14]->id(), "GA-14");
    EXPECT_EQ(options[14]->innerText(), "14");
    EXPECT_EQ(Amount(key), "10");  // alone until the row is complete
}

TEST_F(WinningsTest, ASeasonPrizeSharedByThreeGrowsWhenOneIsDeleted) {
    SetAmount(kChampion, 100);
    Open();
    const std::string maria = Enter("Maria", "Champion");
    const std::string kevin = Enter("Kevin", "Champion");
    const std::string lily = Enter("Lily", "Champion");
    for (const auto& key : {maria, kevin, lily}) EXPECT_EQ(Amount(key), "33.33");
    EXPECT_EQ(Text(Id("ED", maria)), "");

    user->answer(MsgAnswer::No);
    ASSERT_TRUE(driver->click(Id("CA", lily)));
    EXPECT_EQ(RecordRows(), 3);
    user->answer(MsgAnswer::Yes);
    ASSERT_TRUE(driver->click(Id("CA", lily)));
    ASSERT_EQ(user->messages.size(), 2u);
    EXPECT_EQ(user->messages[1].text, "Are you sure you want to remove?");
    EXPECT_EQ(user->messages[1].title, "Gridora");
    EXPECT_EQ(user->messages[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(driver->element(Id("FA", lily)), nullptr);
    EXPECT_EQ(Amount(maria), "50");
    EXPECT_EQ(Amount(kevin), "50");

    window->cmdSave->click();
    EXPECT_FALSE(window->cmdSave->isEnabled());
    const std::string champion = std::to_string(kChampion);
    EXPECT_EQ(StoredWinnings(), (std::vector<Stored>{{ManagerId("Maria"), champion, 0},
                                                     {ManagerId("Kevin"), champion, 0}}));
}

TEST_F(WinningsTest, DuplicatesAreRefusedAndTheirRowRemoved) {
    SetAmount(kWeekly, 12);
    Open();
    Enter("Maria", "Champion");
    Enter("Maria", "Weekly", 3);
    window->cmdSave->click();
    ASSERT_FALSE(window->cmdSave->isEnabled());

    // The same season prize again, the manager chosen first.
    std::string key = Enter("Maria", "Champion");
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "This is a duplicate record. Manager \"Maria\" already has Prize \"Champion\" "
              "allocated. Record will be deleted.");
    EXPECT_EQ(user->messages[0].title, "Winnings");
    EXPECT_EQ(driver->element(Id("FA", key)), nullptr);
    EXPECT_EQ(RecordRows(), 2);

    // The same weekly prize in another week is a new winning; in the same week it is not.
    const std::string week4 = Enter("Maria", "Weekly", 4);
    EXPECT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(Amount(week4), "12");
    key = Enter("Maria", "Weekly", 3);
    EXPECT_EQ(user->messages.size(), 2u);
    EXPECT_EQ(driver->element(Id("FA", key)), nullptr);

    // Two entries of one winning before any save: the second is refused as well.
    Enter("Kevin", "Runner");
    key = Enter("Kevin", "Runner");
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_NE(user->messages[2].text.find("Manager \"Kevin\" already has Prize \"Runner-up\""),
              std::string::npos);
    EXPECT_EQ(driver->element(Id("FA", key)), nullptr);
    EXPECT_EQ(RecordRows(), 4);

    window->cmdSave->click();
    EXPECT_EQ(StoredWinnings().size(), 4u);
}

TEST_F(WinningsTest, SaveListsEveryIncompleteRecordAndStoresNothing) {
    Open();
    std::string key = window->NewRowKey();
    driver->type(Id("AA", key), "Kevin");
    EXPECT_EQ(Text(Id("EB", key)), "Kevin Brennan");
    EXPECT_NE(driver->element(Id("CA", key)), nullptr);
    window->cmdSave->click();
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "Following winning records has error:\r\n1. Manager: Kevin Brennan needs prize "
              "name.");
    EXPECT_EQ(user->messages[0].title, "Winnings");

    // Choosing the empty week leaves the row incomplete and shows week 0.
    key = Enter("Lily", "Weekly", 0);
    EXPECT_EQ(Text(Id("ED", key)), "0");
    driver->type(Id("AB", window->NewRowKey()), "Runner");
    window->cmdSave->click();
    ASSERT_EQ(user->messages.size(), 2u);
    EXPECT_EQ(user->messages[1].text,
              "Following winning records has error:\r\n"
              "1. Manager: Kevin Brennan needs prize name.\r\n"
              "2. Prize:Weekly High Score for Lily Chen needs week number.\r\n"
              "3. Prize: Runner-up needs manager name.");
    EXPECT_TRUE(window->cmdSave->isEnabled());
    EXPECT_TRUE(StoredWinnings().empty());
}

// A weekly winning left without its week gets the week list back when the table is drawn again,
// so it can still be completed.
TEST_F(WinningsTest, AWeeklyWinningWithoutItsWeekCanBeCompletedLater) {
    SetAmount(kWeekly, 12);
    Open();
    const std::string lily = Enter("Lily", "Weekly", 0);
    EXPECT_EQ(Text(Id("ED", lily)), "0");
    EXPECT_EQ(driver->element(Id("HA", lily)), nullptr);
    Enter("Maria", "Champion");  // complete: the table is drawn again
    ASSERT_NE(driver->element(Id("HA", lily)), nullptr);
    ASSERT_TRUE(driver->select(Id("HA", lily), 5));
    EXPECT_EQ(Text(Id("ED", lily)), "5");
    EXPECT_EQ(Amount(lily), "12");
    window->cmdSave->click();
    EXPECT_TRUE(user->messages.empty());
    EXPECT_EQ(StoredWinnings().size(), 2u);
}

TEST_F(WinningsTest, TheBlankRowHasNoIconAndIsNeverStored) {
    Open();
    const std::string first = window->NewRowKey();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(driver->element(Id("AA", first)), nullptr);
    EXPECT_NE(driver->element(Id("CC", first)), nullptr);
    EXPECT_EQ(driver->element(Id("CA", first)), nullptr);
    EXPECT_EQ(Text(Id("EE", first)), "");
    EXPECT_EQ(Text(Id("FA", first)).substr(0, 2), "1.");
    EXPECT_FALSE(window->cmdSave->isEnabled());

    const std::string maria = Enter("Maria", "Champion");
    EXPECT_NE(driver->element(Id("CA", maria)), nullptr);
    EXPECT_EQ(driver->element(Id("CA", window->NewRowKey())), nullptr);
    window->cmdSave->click();
    EXPECT_FALSE(window->cmdSave->isEnabled());
    // Drawn again after the save, with a fresh blank row.
    EXPECT_NE(window->NewRowKey(), first);
    EXPECT_NE(driver->element(Id("AA", window->NewRowKey())), nullptr);
    EXPECT_EQ(RecordRows(), 1);

    // Coming back drops blank records left behind; one blank row follows the stored one.
    window->Activated();
    int blanks = 0;
    for (const auto& w : season->get_Winnings()->ItemsAs<IWinningInfo>())
        if (w->get_ManagerID().empty() && w->get_PrizeID().empty()) ++blanks;
    EXPECT_EQ(blanks, 1);
    EXPECT_EQ(RecordRows(), 1);
    EXPECT_EQ(StoredWinnings(),
              (std::vector<Stored>{{ManagerId("Maria"), std::to_string(kChampion), 0}}));
}

TEST_F(WinningsTest, SearchesThatFindNothingOrAreCancelledChangeNothing) {
    Open();
    const std::string key = window->NewRowKey();
    driver->type(Id("AA", key), "Zzz");
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Sorry no manager found.");
    driver->click(Id("CB", key));  // every manager: the dialog, cancelled
    ASSERT_EQ(user->modalTitles.size(), 1u);
    EXPECT_EQ(user->modalTitles[0], "Select a Manager");
    EXPECT_EQ(window->NewRowKey(), key);
    EXPECT_FALSE(window->cmdSave->isEnabled());

    // Accepted, the dialog's first manager by first name is chosen.
    user->onModal([](QDialog& dialog) {
        auto& selection = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*selection.wbReport()));
        selection.cmdAccept()->click();
    });
    driver->click(Id("CB", key));
    EXPECT_EQ(Text(Id("EB", key)), "Anil Gupta");
    EXPECT_NE(window->NewRowKey(), key);
    EXPECT_TRUE(window->cmdSave->isEnabled());
}

// A save the league file refuses (a winner the catalogue does not know) stores nothing, and
// the window keeps its Save enabled so the user can mend it and save again.
TEST_F(WinningsTest, ASaveTheServiceRefusesKeepsSaveEnabled) {
    std::vector<std::string> reported;
    host::SetErrorReporter(
        [&](const std::string&, const std::string& text) { reported.push_back(text); });
    Open();
    Enter("Maria", "Champion");
    ComPtr<IWinningInfo> stray;
    ASSERT_TRUE(service->AddWinning(stray));
    stray->let_ManagerID("999");
    stray->let_PrizeID(std::to_string(kChampion));
    stray->let_Action(ActionTypeAdd);
    window->cmdSave->click();
    host::SetErrorReporter({});
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("Error in saving winnings.", 0), 0u) << reported[0];
    EXPECT_TRUE(window->cmdSave->isEnabled());
    EXPECT_TRUE(StoredWinnings().empty());
}

TEST_F(WinningsTest, ALockedSeasonIsReadOnly) {
    Open();
    const std::string maria = Enter("Maria", "Champion");
    window->cmdSave->click();
    season->let_IsSeasonLocked(true);
    window->Activated();
    EXPECT_EQ(driver->element("DA")->rows().size(), 2u);  // heading and the stored winning
    EXPECT_EQ(driver->element(Id("CA", maria)), nullptr);
    EXPECT_EQ(Text(Id("EB", maria)), "Maria Alvarez");
    EXPECT_EQ(Amount(maria),
              std::to_string(season->get_Prizes()->ItemAs<IPrizeInfo>("K1")->get_Amount()));
    EXPECT_TRUE(window->NewRowKey().empty());
    EXPECT_FALSE(window->cmdSave->isEnabled());
}

// Unsaved rows: a window opened on them can save them; Close asks (Cancel, Yes failing, No).
TEST_F(WinningsTest, UnsavedRowsCanBeSavedWhenTheWindowOpensAgainAndCloseAsksAboutThem) {
    Open();
    Enter("Maria", "Champion");
    Open();  // the first window unloaded without a word
    EXPECT_TRUE(window->cmdSave->isEnabled());
    driver->type(Id("AA", window->NewRowKey()), "Kevin");
    QSignalSpy closed(window.get(), &ChildWindow::FormClosed);
    for (const MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No}) {
        user->answer(answer);
        window->cmdClose->click();
    }
    ASSERT_EQ(user->messages.size(), 4U);
    EXPECT_EQ(user->messages[0].defaultAnswer, MsgAnswer::Yes) << user->messages[0].text;
    EXPECT_EQ(user->messages[2].text.rfind("Following winning records has error:", 0), 0U);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(StoredWinnings().empty());
}

}  // namespace
}  // namespace gr::ui::test
