// The season setup window on the real services over a copy of the demo league (this year's
// season: 10 managers, 5 prizes, fee 120, 14 regular weeks), driven through the headless view
// by element id and through its Qt controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <functional>

#include "GRUtils.h"
#include "ScriptedUser.h"
#include "SeasonGridHtml.h"
#include "UiFakes.h"
#include "ViewDriver.h"
#include "frmAddNewPopup.h"
#include "frmSeasonInfo.h"
#include "frmSelection.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

using seasongrid::ElementId;
using seasongrid::GridId;

using ::testing::Return;

// The ids of the elements of a page whose code is code, in document order.
std::vector<std::string> Ids(HtmlView& view, const std::string& code) {
    std::vector<std::string> ids;
    view.document()->body()->forEachElement([&](const ElementPtr& e) {
        if (GridId::Parse(e->id()).code == code) ids.push_back(e->id());
    });
    return ids;
}

void LeaveBox(QLineEdit* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
    Settle();
}

class SeasonInfoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        year = databases.CurrentSeasonYear();
        Open();
    }
    void TearDown() override { Close(); }

    void Open() {
        setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        data = setup->get_DataService();
        window = std::make_unique<frmSeasonInfo>();
        ASSERT_TRUE(window->Initialize(data, setup));
        window->resize(1000, 700);
        ASSERT_TRUE(WaitForDocument(*window->wbManagers));
        ASSERT_TRUE(WaitForDocument(*window->wbMoneyDistr));
        window->Activated();
        managers = std::make_unique<ViewDriver>(*window->wbManagers);
        money = std::make_unique<ViewDriver>(*window->wbMoneyDistr);
    }
    void Close() {
        managers.reset();
        money.reset();
        window.reset();
        data = nullptr;
        setup = nullptr;
    }
    // What the league file holds now, read by fresh services.
    void Reopen() {
        Close();
        Open();
    }
    ComPtr<ISeasonInfo> Season() { return data->GetCurrentSeasonInfo(); }
    std::string ManagerName(const std::string& recordId) {
        return GetManagerName(Season()->get_Managers()->ItemAs<IManagerInfo>("K" + recordId));
    }
    // The record id of the prize with this description in the money grid, and its row.
    std::pair<int32_t, std::string> PrizeRow(const std::string& desc) {
        for (const std::string& id : Ids(*window->wbMoneyDistr, "EA"))
            if (money->element(id)->innerText().find(desc) == 0)
                return {GridId::Parse(id).row, GridId::Parse(id).recordId};
        return {0, ""};
    }
    std::string Amount(const std::string& desc) {
        const auto [row, id] = PrizeRow(desc);
        return money->element(ElementId("AA", row, id))->value();
    }
    std::string LastMessage() const {
        return user->messages.empty() ? std::string() : user->messages.back().text;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    int32_t year = 0;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> data;
    std::unique_ptr<frmSeasonInfo> window;
    std::unique_ptr<ViewDriver> managers;
    std::unique_ptr<ViewDriver> money;
};

TEST_F(SeasonInfoTest, ActivationShowsTheSeasonWithSortedManagersPrizesAndTotals) {
    EXPECT_EQ(window->dtpYear->year(), year);
    EXPECT_EQ(window->txtNoOfManagers->text(), "10");
    EXPECT_EQ(window->txtNoOfRounds->text(), "16");
    EXPECT_EQ(window->txtMoneyContribution->text(), "120");
    EXPECT_EQ(window->txtNoOfRegularWeeks->text(), "14");
    EXPECT_EQ(window->txtTotalNoOfWeeks->text(), "17");
    EXPECT_FALSE(window->chkRankLocked->isChecked() || window->chkSeasonLocked->isChecked());
    EXPECT_FALSE(window->cmdSave->isEnabled());

    const std::vector<std::string> rows = Ids(*window->wbManagers, "EC");
    ASSERT_EQ(rows.size(), 10u);
    std::vector<std::string> names;
    names.reserve(rows.size());
    for (const std::string& id : rows) names.push_back(ManagerName(GridId::Parse(id).recordId));
    EXPECT_EQ(names, (std::vector<std::string>{"Anil Gupta", "Elena Ivanova", "Jonas Hoffmann",
                                               "Kevin Brennan", "Lily Chen", "Marc Dubois",
                                               "Maria Alvarez", "Sean Fitzgerald", "Sofie Eriksen",
                                               "Terrell Jackson"}));
    EXPECT_EQ(Ids(*window->wbManagers, "CA").size(), 10u);
    for (HtmlView* view : {window->wbManagers, window->wbMoneyDistr}) {
        const auto rowsOfTable = view->document()->body()->children()[0]->rows();
        EXPECT_EQ(rowsOfTable[0]->getAttribute("bgcolor"), "99FF99");
        EXPECT_EQ(rowsOfTable[1]->getAttribute("bgcolor"), "CCFFFF");
        EXPECT_EQ(rowsOfTable[2]->getAttribute("bgcolor"), "FFCCFF");
    }
    EXPECT_EQ(window->wbMoneyDistr->document()->body()->children()[0]->id(), "DA");
    EXPECT_EQ(managers->element(ElementId("CA", 1, GridId::Parse(rows[0]).recordId))
                  ->getAttribute("title"),
              "Delete manager");

    // Five prizes, then the new-prize row 6 with its name input and icons.
    EXPECT_EQ(Ids(*window->wbMoneyDistr, "CD").size(), 5u);
    ASSERT_TRUE(money->element("AC-6-"));
    EXPECT_EQ(money->element("CE-6-")->getAttribute("title"), "Search prizes");
    EXPECT_EQ(money->element("CF-6-")->getAttribute("title"), "Add a new prize");
    EXPECT_EQ(money
                  ->element(ElementId("EB", PrizeRow("Weekly High Score").first,
                                      PrizeRow("Weekly High Score").second))
                  ->innerText(),
              "Weekly");
    EXPECT_EQ(window->lblTotalContribution->text(), "Total Contribution: 1200");
    EXPECT_EQ(window->lblTotalDistribution->text(), "Total Distribution: 1200");
    EXPECT_EQ(window->lblInfoBalance->text(), "Balance: 0");
    EXPECT_EQ(window->lblInfoBalance->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(SeasonInfoTest, TextBoxesTakeOnlyNumbersInShortestFormAndSaveThemRoundedHalfToEven) {
    window->txtNoOfManagers->setText("12");
    LeaveBox(window->txtNoOfManagers);
    EXPECT_TRUE(user->messages.empty());
    EXPECT_TRUE(window->cmdSave->isEnabled());
    for (const char* bad : {"12a", "012", " 12", "", "1.0"}) {
        window->txtNoOfRounds->setText(QString::fromLatin1(bad));
        LeaveBox(window->txtNoOfRounds);
        EXPECT_EQ(LastMessage(), "Please enter numeric value.") << bad;
        EXPECT_EQ(window->txtNoOfRounds->text(), QString::fromLatin1(bad));
    }
    const size_t told = user->messages.size();
    window->txtNoOfRounds->setText("1.5");
    window->txtTotalNoOfWeeks->setText("2.5");
    LeaveBox(window->txtNoOfRounds);
    EXPECT_EQ(user->messages.size(), told);
    window->cmdSave->click();
    EXPECT_FALSE(window->cmdSave->isEnabled());
    Reopen();
    EXPECT_EQ(Season()->get_NoOfRounds(), 2);
    EXPECT_EQ(Season()->get_TotalNoOfWeeks(), 2);
    EXPECT_EQ(Season()->get_NoOfManagers(), 12);
    EXPECT_EQ(Ids(*window->wbManagers, "EC").size(), 12u);
}

TEST_F(SeasonInfoTest, NumbersTheSeasonCannotHoldAreRefusedInsteadOfClippedOrDrawn) {
    // A huge manager count would draw that many grid rows.
    window->txtNoOfManagers->setText("99999999");
    EXPECT_EQ(Ids(*window->wbManagers, "EC").size(), 10u);
    LeaveBox(window->txtNoOfManagers);
    EXPECT_EQ(LastMessage(), "Please enter a number of managers from 0 to 100.");
    window->cmdSave->click();
    EXPECT_EQ(user->messages.size(), 2u);
    EXPECT_TRUE(window->cmdSave->isEnabled());
    window->txtNoOfManagers->setText("100");
    EXPECT_EQ(Ids(*window->wbManagers, "EC").size(), 100u);
    window->txtNoOfManagers->setText("-1");
    LeaveBox(window->txtNoOfManagers);
    EXPECT_EQ(LastMessage(), "Please enter a number of managers from 0 to 100.");
    window->txtNoOfManagers->setText("10");

    // A fee beyond a Long would be stored clipped.
    window->txtMoneyContribution->setText("99999999999");
    LeaveBox(window->txtMoneyContribution);
    EXPECT_EQ(LastMessage(), "Please enter a number from -2,147,483,648 to 2,147,483,647.");
    user->messages.clear();
    window->cmdSave->click();
    EXPECT_EQ(LastMessage(), "Please enter a number from -2,147,483,648 to 2,147,483,647.");
    EXPECT_TRUE(window->cmdSave->isEnabled());
    Reopen();
    EXPECT_EQ(Season()->get_NoOfManagers(), 10);
    EXPECT_EQ(Season()->get_MoneyContribution(), 120);
}

TEST_F(SeasonInfoTest, ManagerRowsFollowTheCountTheRemovalsAndTheLocks) {
    // Three removals leave empty rows in place until the grid is built again.
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::Yes);
    for (int32_t row : {2, 5, 9}) {
        const std::string id = Ids(*window->wbManagers, "EC")[static_cast<size_t>(row - 1)];
        ASSERT_TRUE(managers->click(ElementId("CA", row, GridId::Parse(id).recordId)));
        EXPECT_TRUE(managers->element(ElementId("AB", row, "")));
        EXPECT_TRUE(managers->element(ElementId("BA", row, ""))->disabled());
    }
    EXPECT_EQ(user->messages[0].text.rfind("Are you sure you want to remove ", 0), 0u);
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::YesNo);
    // A grid built again before saving shows the season as it is now, not as it was loaded.
    window->txtNoOfManagers->setText("11");
    std::vector<std::string> named;
    for (const std::string& id : Ids(*window->wbManagers, "EC"))
        if (!GridId::Parse(id).recordId.empty())
            named.push_back(ManagerName(GridId::Parse(id).recordId));
    EXPECT_EQ(named, (std::vector<std::string>{"Anil Gupta", "Jonas Hoffmann", "Kevin Brennan",
                                               "Marc Dubois", "Maria Alvarez", "Sean Fitzgerald",
                                               "Terrell Jackson"}));
    window->txtNoOfManagers->setText("10");
    window->cmdSave->click();

    // 7 managers at 10: 7 named rows in name order, then 3 empty rows.
    const std::vector<std::string> cells = Ids(*window->wbManagers, "EC");
    ASSERT_EQ(cells.size(), 10u);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(GridId::Parse(cells[i]).recordId.empty(), i >= 7) << cells[i];
    EXPECT_EQ(ManagerName(GridId::Parse(cells[1]).recordId), "Jonas Hoffmann");
    EXPECT_TRUE(managers->element("BA-10-")->disabled());
    // Fewer slots than managers: a row for each manager all the same.
    window->txtNoOfManagers->setText("5");
    EXPECT_EQ(Ids(*window->wbManagers, "EC").size(), 7u);

    // Ranking locked: no delete icons on named rows, empty rows still take names.
    window->txtNoOfManagers->setText("10");
    window->chkRankLocked->click();
    EXPECT_FALSE(window->txtNoOfManagers->isEnabled());
    window->cmdSave->click();
    EXPECT_TRUE(Ids(*window->wbManagers, "CA").empty());
    EXPECT_EQ(Ids(*window->wbManagers, "AB").size(), 3u);
    EXPECT_EQ(Ids(*window->wbManagers, "CC").size(), 3u);
}

TEST_F(SeasonInfoTest, FeePaidMarksAndTypedNamesGoIntoTheSeason) {
    const std::string first = GridId::Parse(Ids(*window->wbManagers, "EC")[0]).recordId;
    const bool was = Season()->get_Managers()->ItemAs<IManagerInfo>("K" + first)->get_IsFeePaid();
    ASSERT_TRUE(managers->click(ElementId("BA", 1, first)));
    EXPECT_EQ(Season()->get_Managers()->ItemAs<IManagerInfo>("K" + first)->get_IsFeePaid(), !was);
    EXPECT_TRUE(window->cmdSave->isEnabled());

    user->answer(MsgAnswer::Yes);
    const std::string maria = GridId::Parse(Ids(*window->wbManagers, "EC")[6]).recordId;
    ASSERT_TRUE(managers->click(ElementId("CA", 7, maria)));
    // One match: added at once, without the selection dialog, with the focus on its fee box.
    ASSERT_TRUE(managers->type("AB-7-", "alvarez"));
    EXPECT_TRUE(user->modalTitles.empty());
    EXPECT_EQ(ManagerName(maria), "Maria Alvarez");
    EXPECT_FALSE(managers->element(ElementId("BA", 7, maria))->disabled());
    EXPECT_TRUE(managers->element(ElementId("CA", 7, maria)));
    // A name already in the season.
    window->txtNoOfManagers->setText("11");
    ASSERT_TRUE(managers->type("AB-11-", "Chen"));
    EXPECT_EQ(LastMessage(), "Sorry, Lily Chen already exists.");
    ASSERT_TRUE(managers->type("AB-11-", "Nobody"));
    EXPECT_EQ(LastMessage(), "Sorry no manager found.");
    EXPECT_EQ(Season()->get_Managers()->Count(), 10);
    // A rebuilt grid still shows the manager added in row 7 (sorted back into place).
    EXPECT_EQ(ManagerName(GridId::Parse(Ids(*window->wbManagers, "EC")[6]).recordId),
              "Maria Alvarez");

    window->cmdSave->click();
    Reopen();
    EXPECT_EQ(Season()->get_Managers()->ItemAs<IManagerInfo>("K" + first)->get_IsFeePaid(), !was);
    EXPECT_TRUE(Season()->get_Managers()->Contains("K" + maria));
}

TEST_F(SeasonInfoTest, AmountsAreWholeNumbersBelow100000) {
    const auto [row, id] = PrizeRow("Champion");
    const std::string input = ElementId("AA", row, id);
    ASSERT_TRUE(money->type(input, "99999"));
    EXPECT_TRUE(user->messages.empty());
    EXPECT_EQ(Season()->get_Prizes()->ItemAs<IPrizeInfo>("K" + id)->get_Amount(), 99999);
    EXPECT_EQ(window->lblInfoBalance->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    ASSERT_TRUE(money->type(input, "100000"));
    EXPECT_EQ(LastMessage(), "Please enter a value less than 100,000.");
    EXPECT_EQ(money->element(input)->value(), "100000");
    for (const char* bad : {"", "05", "5.5", " 5"}) {
        ASSERT_TRUE(money->type(input, bad));
        EXPECT_EQ(LastMessage(), "Please enter numeric values only.") << bad;
        EXPECT_EQ(money->element(input)->value(), "");
    }
    EXPECT_EQ(Season()->get_Prizes()->ItemAs<IPrizeInfo>("K" + id)->get_Amount(), 99999);
    ASSERT_TRUE(money->type(input, "-20"));
    EXPECT_EQ(Season()->get_Prizes()->ItemAs<IPrizeInfo>("K" + id)->get_Amount(), -20);
}

TEST_F(SeasonInfoTest, TotalsWeighWeeklyPrizesByTheRegularWeeksAndShowTheBalanceInRed) {
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::Yes);
    for (const char* desc : {"Runner-up", "Third Place", "Regular Season Points Leader"}) {
        const auto [row, id] = PrizeRow(desc);
        ASSERT_TRUE(money->click(ElementId("CD", row, id))) << desc;
    }
    EXPECT_EQ(user->messages[0].text, "Are you sure you want to remove \"Runner-up\" prize?");
    // Deleting row 2 left an empty prize row in place; the new-prize row is still row 6.
    EXPECT_TRUE(money->element("AC-2-"));
    EXPECT_EQ(money->element("EB-2-")->innerText(), "");
    EXPECT_TRUE(money->element("AC-6-"));

    window->txtMoneyContribution->setText("50");
    window->txtNoOfRegularWeeks->setText("13");
    const auto champion = PrizeRow("Champion");
    const auto weekly = PrizeRow("Weekly High Score");
    ASSERT_TRUE(money->type(ElementId("AA", champion.first, champion.second), "300"));
    ASSERT_TRUE(money->type(ElementId("AA", weekly.first, weekly.second), "10"));
    EXPECT_EQ(window->lblTotalContribution->text(), "Total Contribution: 500");
    EXPECT_EQ(window->lblTotalDistribution->text(), "Total Distribution: 430");
    EXPECT_EQ(window->lblInfoBalance->text(), "Balance: 70");
    EXPECT_EQ(window->lblInfoBalance->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    window->txtMoneyContribution->setText("43");
    EXPECT_EQ(window->lblInfoBalance->text(), "Balance: 0");
    EXPECT_EQ(window->lblInfoBalance->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    // An amount typed into an emptied row waits for the prize chosen there.
    ASSERT_TRUE(money->type("AA-2-", "75"));
    ASSERT_TRUE(money->type("AC-2-", "Runner"));
    const auto runnerUp = PrizeRow("Runner-up");
    EXPECT_EQ(runnerUp.first, 2);
    EXPECT_EQ(Amount("Runner-up"), "75");
    EXPECT_EQ(window->lblTotalDistribution->text(), "Total Distribution: 505");
    ASSERT_TRUE(money->type("AC-6-", "Champion"));
    EXPECT_EQ(LastMessage(), "Sorry, \"Champion\" already exists.");

    window->cmdSave->click();
    Reopen();
    EXPECT_EQ(Season()->get_Prizes()->Count(), 3);
    EXPECT_EQ(Amount("Runner-up"), "75");
    EXPECT_EQ(Amount("Champion"), "300");
}

TEST_F(SeasonInfoTest, AStartedOrLockedSeasonShowsPlainAmountsWithoutIconsOrNewRow) {
    const auto [row, id] = PrizeRow("Third Place");
    ASSERT_TRUE(money->type(ElementId("AA", row, id), "0"));
    window->chkSeasonStarted->click();
    EXPECT_TRUE(Ids(*window->wbMoneyDistr, "AA").empty());
    EXPECT_TRUE(Ids(*window->wbMoneyDistr, "CD").empty());
    EXPECT_TRUE(Ids(*window->wbMoneyDistr, "AC").empty());
    const ElementPtr cell = money->element(ElementId("EA", row, id));
    EXPECT_EQ(cell->parentElement()->cells()[2]->innerText(), "0");
    for (QLineEdit* box :
         {window->txtTotalNoOfWeeks, window->txtNoOfRegularWeeks, window->txtMoneyContribution})
        EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(window->txtNoOfRounds->isEnabled());
}

TEST_F(SeasonInfoTest, TheSeasonLockTogglesEveryControlAtOnce) {
    window->chkDraftLocked->click();
    window->chkSeasonLocked->click();
    for (QWidget* control : std::initializer_list<QWidget*>{
             window->txtNoOfManagers, window->txtNoOfRounds, window->txtMoneyContribution,
             window->txtNoOfRegularWeeks, window->txtTotalNoOfWeeks, window->chkRankLocked,
             window->chkDraftLocked, window->chkSeasonStarted})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(window->chkSeasonLocked->isEnabled());
    for (const std::string& id : Ids(*window->wbManagers, "BA"))
        EXPECT_TRUE(managers->element(id)->disabled()) << id;
    window->chkSeasonLocked->click();
    EXPECT_TRUE(window->txtNoOfManagers->isEnabled());
    EXPECT_FALSE(window->txtNoOfRounds->isEnabled());  // the draft is still locked
    EXPECT_TRUE(window->chkDraftLocked->isEnabled());
    for (const std::string& id : Ids(*window->wbManagers, "BA"))
        EXPECT_FALSE(managers->element(id)->disabled()) << id;

    // Saved locked, the window opens read-only.
    window->chkSeasonLocked->click();
    window->cmdSave->click();
    EXPECT_FALSE(window->txtMoneyContribution->isEnabled());
    EXPECT_TRUE(Ids(*window->wbManagers, "CA").empty());
    EXPECT_TRUE(Ids(*window->wbMoneyDistr, "AA").empty());
}

TEST_F(SeasonInfoTest, YearStepsPromptForUnsavedChangesAndStopAtThisYear) {
    QSignalSpy yearChanged(window.get(), &ChildWindow::YearChanged);
    window->dtpYear->stepBy(1);
    EXPECT_EQ(LastMessage(), "You can not create future football season beyond the current " +
                                 std::to_string(year) + " season.");

    window->txtNoOfRounds->setText("20");
    window->dtpYear->stepBy(-1);  // Cancel: stays, still dirty
    EXPECT_EQ(LastMessage(), "Do you want to save changes?");
    EXPECT_EQ(user->messages.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(window->dtpYear->year(), year);
    EXPECT_TRUE(window->cmdSave->isEnabled());
    EXPECT_EQ(Season()->get_Year(), year);
    EXPECT_EQ(yearChanged.count(), 0);

    user->answer(MsgAnswer::No);  // No: the change is dropped and the year switches
    window->dtpYear->stepBy(-1);
    EXPECT_EQ(yearChanged.count(), 1);
    EXPECT_EQ(Season()->get_Year(), year - 1);
    EXPECT_EQ(window->txtNoOfRounds->text(), "16");
    EXPECT_TRUE(window->chkSeasonLocked->isChecked());  // a past season
    EXPECT_FALSE(window->cmdSave->isEnabled());

    // Down past the oldest season creates one; coming back finds this year unchanged.
    for (int step = 0; step < 3; ++step) window->dtpYear->stepBy(-1);
    EXPECT_EQ(Season()->get_Year(), year - 4);
    EXPECT_EQ(Ids(*window->wbMoneyDistr, "CD").size(), 0u);
    for (int step = 0; step < 4; ++step) window->dtpYear->stepBy(1);
    EXPECT_EQ(window->txtNoOfRounds->text(), "16");
    EXPECT_EQ(yearChanged.count(), 8);
}

TEST_F(SeasonInfoTest, LeavingSavesSilentlyAndClosingAsksFirst) {
    window->txtNoOfRounds->setText("18");
    EXPECT_TRUE(window->MayLeave(LeaveReason::Replaced));
    EXPECT_TRUE(user->messages.empty());
    EXPECT_FALSE(window->cmdSave->isEnabled());

    QSignalSpy closed(window.get(), &ChildWindow::FormClosed);
    window->txtNoOfRounds->setText("19");
    window->cmdClose->click();  // Cancel: open and dirty
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(window->cmdSave->isEnabled());
    user->answer(MsgAnswer::Yes);
    window->cmdClose->click();
    EXPECT_EQ(closed.count(), 1);
    Reopen();
    EXPECT_EQ(Season()->get_NoOfRounds(), 19);

    // Changes dropped at the prompt stay dropped when the closed window is left afterwards.
    window->txtNoOfRounds->setText("21");
    user->answer(MsgAnswer::No);
    window->cmdClose->click();
    EXPECT_TRUE(window->MayLeave(LeaveReason::Replaced));
    Reopen();
    EXPECT_EQ(Season()->get_NoOfRounds(), 19);
}

// A figure the season cannot hold keeps the window, its year and the figure, with the message.
TEST_F(SeasonInfoTest, ARefusedFigureKeepsTheWindowTheYearAndTheTypedFigure) {
    QSignalSpy closed(window.get(), &ChildWindow::FormClosed);
    const struct {
        const char* way;
        std::function<void()> leave;
    } ways[] = {
        {"Yes at a change of year", [&] { window->dtpYear->stepBy(-1); }},
        {"Yes at Close", [&] { window->cmdClose->click(); }},
        {"Yes at Exit", [&] { EXPECT_FALSE(window->MayLeave(LeaveReason::Exit)); }},
        {"another window", [&] { EXPECT_FALSE(window->MayLeave(LeaveReason::Replaced)); }},
    };
    for (const auto& w : ways) {
        window->txtNoOfManagers->setText("101");
        user->answer(MsgAnswer::Yes);
        w.leave();
        EXPECT_EQ(LastMessage(), "Please enter a number of managers from 0 to 100.") << w.way;
        EXPECT_EQ(window->dtpYear->year(), year) << w.way;
        EXPECT_TRUE(window->txtNoOfManagers->text() == "101" && window->cmdSave->isEnabled());
    }
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(Season()->get_Year(), year);
}

TEST_F(SeasonInfoTest, SaveTakesOverTheAmountOrNameStillBeingTyped) {
    const auto [row, id] = PrizeRow("Champion");
    ASSERT_TRUE(money->typeWithoutLeaving(ElementId("AA", row, id), "640"));
    // A fee box clicked since does not change which input is pending.
    const std::string first = GridId::Parse(Ids(*window->wbManagers, "EC")[0]).recordId;
    ASSERT_TRUE(managers->click(ElementId("BA", 1, first)));
    window->cmdSave->click();
    EXPECT_FALSE(window->cmdSave->isEnabled());
    EXPECT_EQ(Amount("Champion"), "640");

    // An unknown name stops the save; an empty one does not.
    window->txtNoOfManagers->setText("11");
    ASSERT_TRUE(managers->typeWithoutLeaving("AB-11-", "Nobody"));
    window->cmdSave->click();
    EXPECT_EQ(LastMessage(), "Sorry no manager found.");
    EXPECT_TRUE(window->cmdSave->isEnabled());
    ASSERT_TRUE(managers->typeWithoutLeaving("AB-11-", ""));
    window->cmdSave->click();
    EXPECT_FALSE(window->cmdSave->isEnabled());
    Reopen();
    EXPECT_EQ(Amount("Champion"), "640");
    EXPECT_EQ(Season()->get_NoOfManagers(), 11);
}

TEST_F(SeasonInfoTest, SearchAndAddIconsAddWhatTheUserChoseOrCreated) {
    window->txtNoOfManagers->setText("11");
    ASSERT_TRUE(managers->click("CB-11-"));  // cancelled: nothing added
    EXPECT_EQ(user->modalTitles.back(), "Add a Manager");
    EXPECT_TRUE(managers->element("AB-11-"));
    user->onModal([](QDialog& dialog) {
        auto& popup = dynamic_cast<frmAddNewPopup&>(dialog);
        ASSERT_TRUE(WaitForDocument(*popup.ctlAddNewPopup->wbReport));
        ViewDriver form(*popup.ctlAddNewPopup->wbReport);
        form.type("AB", "Newman");
        form.type("AA", "Nora");
        popup.cmdAccept->click();
    });
    ASSERT_TRUE(managers->click("CB-11-"));
    const std::string nora = GridId::Parse(Ids(*window->wbManagers, "EC")[10]).recordId;
    EXPECT_EQ(ManagerName(nora), "Nora Newman");

    // The prize search lists every prize, those of the season struck through; the only one
    // left to choose is the one removed from row 3.
    user->answer(MsgAnswer::Yes);
    const auto [row, third] = PrizeRow("Third Place");
    ASSERT_TRUE(money->click(ElementId("CD", row, third)));
    user->onModal([](QDialog& dialog) {
        auto& selection = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*selection.wbReport()));
        selection.cmdAccept()->click();
    });
    ASSERT_TRUE(money->click(ElementId("CE", row, "")));
    EXPECT_EQ(user->modalTitles.back(), "Select a Prize");
    EXPECT_EQ(PrizeRow("Third Place").first, row);

    window->cmdSave->click();
    Reopen();
    EXPECT_TRUE(Season()->get_Managers()->Contains("K" + nora));
    EXPECT_TRUE(Season()->get_Prizes()->Contains("K" + third));
    EXPECT_EQ(Season()->get_Managers()->Count(), 11);
}

// Only a stand-in data service can have no current season (its store failed to make one).
TEST(SeasonInfoWithoutSeason, ShowsTodaysYearEmptyAndSaveCreatesTheSeason) {
    auto user = ScriptedUser::Install();
    auto service = MakeCom<MockDataService>();
    auto created = MakeCom<FakeSeason>();
    const int32_t today = static_cast<int32_t>(Today().year());
    EXPECT_CALL(*service, GetCurrentSeasonInfo())
        .WillOnce(Return(ComPtr<ISeasonInfo>()))
        .WillRepeatedly(Return(created));
    frmSeasonInfo window;
    ASSERT_TRUE(window.Initialize(service, nullptr));
    ASSERT_TRUE(WaitForDocument(*window.wbManagers));
    ASSERT_TRUE(WaitForDocument(*window.wbMoneyDistr));
    window.Activated();
    EXPECT_EQ(window.dtpYear->year(), today);
    EXPECT_TRUE(window.txtNoOfManagers->text().isEmpty());
    EXPECT_FALSE(window.chkSeasonStarted->isChecked());
    EXPECT_TRUE(window.wbMoneyDistr->document()->getElementById("AC-1-"));

    EXPECT_CALL(*service, AddSeason(today)).WillOnce(Return(created));
    EXPECT_CALL(*service, let_CurrentSeasonYear(today));
    EXPECT_CALL(*service, SaveSeasonAndManagers()).WillOnce(Return(true));
    window.txtNoOfRounds->setText("15");
    window.cmdSave->click();
    EXPECT_EQ(created->noOfRounds, 15);
    EXPECT_FALSE(window.cmdSave->isEnabled());
    EXPECT_TRUE(user->messages.empty());
}

}  // namespace
}  // namespace gr::ui::test
