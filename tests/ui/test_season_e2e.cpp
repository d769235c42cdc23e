// The season setup window in the program, in the real browser view, with real mouse and key
// input, on the real services over a copy of the demo league: this year's season is entered
// from scratch (managers typed by name, fees marked, prizes with amounts), saved, closed and
// opened again; then another season year is reached with the year arrows, unlocked, and kept
// by Yes at Exit. Screenshots land in <build>/screenshots. Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

#include "GRStringUtils.h"
#include "GRUtils.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "ViewDriver.h"
#include "frmMain.h"
#include "frmSeasonInfo.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

const char* const kLastNames[] = {"Alvarez",    "Brennan", "Chen",     "Dubois",  "Eriksen",
                                  "Fitzgerald", "Gupta",   "Hoffmann", "Ivanova", "Jackson"};

// The record id a grid row holds now, read from its name cell ("EC-r-k" or "EA-r-k").
std::string RecordOfRow(HtmlView& view, const char* cellCode, int32_t row) {
    std::string found;
    const std::string prefix = std::string(cellCode) + "-" + std::to_string(row) + "-";
    view.document()->body()->forEachElement([&](const ElementPtr& e) {
        if (e->id().rfind(prefix, 0) == 0) found = GetField(e->id(), "-", 3);
    });
    return found;
}

// Types into a page input with real keys and leaves it with Tab, as a user confirms an entry.
bool TypeAndLeave(HtmlView& view, const std::string& id, const QString& text) {
    return RealType(view, id, text) && RealLeave(view);
}

class SeasonEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        year = databases.CurrentSeasonYear();
        EmptyThisYearsSeason();
    }

    // This year's demo season without managers or prizes, as a league starts its year.
    void EmptyThisYearsSeason() {
        const auto setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        const auto data = setup->get_DataService();
        const auto season = data->GetCurrentSeasonInfo();
        for (const auto& manager : season->get_Managers()->ItemsAs<IManagerInfo>())
            season->RemoveManager(manager);
        season->get_Prizes()->Clear();
        ASSERT_TRUE(data->SaveManagersPlaying());
        ASSERT_TRUE(data->SaveCurrentSeasonInfo());
    }

    frmSeasonInfo* OpenSeasonWindow(frmMain& main) {
        FindAction(main, "mnuSeasonInfo")->trigger();
        auto* window = qobject_cast<frmSeasonInfo*>(main.CurrentChild());
        if (!window) return nullptr;
        const bool loaded = WaitUntil(
            [&] { return window->wbManagers->isLoaded() && window->wbMoneyDistr->isLoaded(); });
        if (!loaded || !WaitForBrowserToMatchModel(*window->wbManagers) ||
            !WaitForBrowserToMatchModel(*window->wbMoneyDistr))
            return nullptr;
        return window;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    int32_t year = 0;
};

TEST_F(SeasonEndToEndTest, EntersThisYearsSeasonSavesItFindsItAgainAndStepsToLastYear) {
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.resize(1200, 900);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    frmSeasonInfo* window = OpenSeasonWindow(main);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->txtNoOfManagers->text(), "10");
    HtmlView& managers = *window->wbManagers;
    HtmlView& money = *window->wbMoneyDistr;

    // Qt focus needs the active window; the browser views' loading can leave none under Xvfb.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    // A box takes its whole text on focus; leaving it with a non-number brings the focus back.
    QTest::mouseClick(window->txtNoOfRounds, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return window->txtNoOfRounds->selectedText() == "16"; }))
        << "focused: " << window->txtNoOfRounds->hasFocus();
    QTest::keyClicks(window->txtNoOfRounds, QStringLiteral("12a"));
    // The box clicked holds bad text too: only the box the user left is checked, and the
    // program putting the focus back does not check the clicked one.
    const QString weeks = window->txtTotalNoOfWeeks->text();
    window->txtTotalNoOfWeeks->setText(weeks + "x");
    QTest::mouseClick(window->txtTotalNoOfWeeks, Qt::LeftButton);
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Please enter numeric value.");
    ASSERT_TRUE(WaitUntil([&] { return window->txtNoOfRounds->hasFocus(); }));
    ASSERT_TRUE(WaitUntil([&] { return window->txtNoOfRounds->selectedText() == "12a"; }));
    Settle();
    EXPECT_EQ(user->messages.size(), 1u);
    EXPECT_TRUE(window->txtNoOfRounds->hasFocus());
    window->txtTotalNoOfWeeks->setText(weeks);
    QTest::keyClicks(window->txtNoOfRounds, QStringLiteral("16"));
    QTest::keyClick(window->txtNoOfRounds, Qt::Key_Tab);
    EXPECT_EQ(user->messages.size(), 1u);
    user->messages.clear();

    // Ten managers by last name; each name matches one manager, who is added at once.
    std::vector<std::string> ids;
    for (int32_t row = 1; row <= 10; ++row) {
        const std::string input = "AB-" + std::to_string(row) + "-";
        ASSERT_TRUE(TypeAndLeave(managers, input, QString::fromLatin1(kLastNames[row - 1])))
            << input;
        ASSERT_TRUE(WaitUntil([&] { return !RecordOfRow(managers, "EC", row).empty(); }))
            << kLastNames[row - 1];
        ids.push_back(RecordOfRow(managers, "EC", row));
    }
    // Fees of the first three rows.
    for (int32_t row = 1; row <= 3; ++row) {
        const std::string box = "BA-" + std::to_string(row) + "-" + ids[row - 1];
        ASSERT_TRUE(RealClick(managers, box));
        ASSERT_TRUE(WaitUntil([&] { return managers.document()->getElementById(box)->checked(); }));
    }

    // Three prizes with their amounts; each entry opens the next new-prize row.
    const std::pair<const char*, const char*> prizes[] = {
        {"Champion", "600"}, {"Runner", "300"}, {"Weekly", "20"}};
    for (int32_t row = 1; row <= 3; ++row) {
        ASSERT_TRUE(TypeAndLeave(money, "AC-" + std::to_string(row) + "-",
                                 QString::fromLatin1(prizes[row - 1].first)));
        ASSERT_TRUE(WaitUntil([&] { return !RecordOfRow(money, "EA", row).empty(); }));
        const std::string amount =
            "AA-" + std::to_string(row) + "-" + RecordOfRow(money, "EA", row);
        ASSERT_TRUE(TypeAndLeave(money, amount, QString::fromLatin1(prizes[row - 1].second)));
        ASSERT_TRUE(WaitUntil([&] {
            return window->lblTotalDistribution->text().endsWith(
                row == 1 ? "600" : (row == 2 ? "900" : "1180"));
        })) << window->lblTotalDistribution->text().toStdString();
    }
    EXPECT_TRUE(money.document()->getElementById("AC-4-"));
    EXPECT_EQ(window->lblInfoBalance->text(), "Balance: 20");
    EXPECT_TRUE(WaitForBrowserToMatchModel(managers));
    EXPECT_TRUE(WaitForBrowserToMatchModel(money));
    SaveScreenshot(main, QStringLiteral("season-entered.png"));

    // A click into the empty amount box of the new-prize row leaves nothing pending to save.
    ASSERT_TRUE(RealClick(money, "AA-4-"));
    ASSERT_TRUE(window->cmdSave->isEnabled());
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !window->cmdSave->isEnabled(); }));
    EXPECT_TRUE(user->messages.empty()) << user->messages[0].text;
    QTest::mouseClick(window->cmdClose, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !window->isVisible(); }));

    // Opened again: everything is there, in the browser too.
    window = OpenSeasonWindow(main);
    ASSERT_NE(window, nullptr);
    for (int32_t row = 1; row <= 10; ++row) {
        const std::string id = RecordOfRow(*window->wbManagers, "EC", row);
        EXPECT_NE(id, "") << row;
        EXPECT_EQ(
            BrowserValue(*window->wbManagers, "BA-" + std::to_string(row) + "-" + id, "checked"),
            row == 4 || row == 5 || row == 7 ? "true" : "false")
            << row;  // in first-name order now: Kevin Brennan 4, Lily Chen 5, Maria Alvarez 7
    }
    EXPECT_EQ(window->lblTotalDistribution->text(), "Total Distribution: 1180");
    EXPECT_EQ(window->lblInfoBalance->text(), "Balance: 20");
    EXPECT_EQ(BrowserValue(*window->wbMoneyDistr,
                           "AA-1-" + RecordOfRow(*window->wbMoneyDistr, "EA", 1), "value"),
              "600");
    EXPECT_TRUE(user->messages.empty());
    SaveScreenshot(main, QStringLiteral("season-reopened.png"));

    // The picker's up arrow (upper right corner) stops at this year and says why; its down
    // arrow (lower right) reaches last year's season, and the main window's title follows.
    const int arrowX = window->dtpYear->width() - 6;
    QTest::mouseClick(window->dtpYear, Qt::LeftButton, Qt::NoModifier,
                      QPoint(arrowX, window->dtpYear->height() / 4));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "You can not create future football season beyond the current " +
                  std::to_string(year) + " season.");
    user->messages.clear();
    QTest::mouseClick(window->dtpYear, Qt::LeftButton, Qt::NoModifier,
                      QPoint(arrowX, window->dtpYear->height() * 3 / 4));
    ASSERT_TRUE(WaitUntil([&] { return window->chkSeasonLocked->isChecked(); }));
    EXPECT_EQ(window->dtpYear->year(), year - 1);
    EXPECT_EQ(main.windowTitle().toStdString(),
              "Gridora Management System (Season Year: " + std::to_string(year - 1) + ") - Test");
    EXPECT_EQ(RecordOfRow(*window->wbMoneyDistr, "EA", 5), "5");  // the demo's five prizes
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window->wbMoneyDistr));
    SaveScreenshot(main, QStringLiteral("season-last-year.png"));
    EXPECT_TRUE(user->messages.empty());

    // Last year unlocked with the mouse and the program left with Exit: Yes stores it.
    QTest::mouseClick(window->chkSeasonLocked, Qt::LeftButton);
    ASSERT_TRUE(window->cmdSave->isEnabled());
    user->answer(MsgAnswer::Yes);
    FindAction(main, "mnuExit")->trigger();
    ASSERT_TRUE(main.IsShutDown());
    EXPECT_EQ(user->messages.back().text, "Do you want to save changes?");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto stored = InitializedSetupService()->get_DataService()->GetCurrentSeasonInfo();
    EXPECT_EQ(stored->get_Year(), year - 1);
    EXPECT_FALSE(stored->get_IsSeasonLocked());
}

}  // namespace
}  // namespace gr::ui::test
