// The database setup window and the data commands in the real program and the real browser
// view, with real mouse and key input: switch to the test database and back, back the live
// league up, change a season in the season window, restore the backup. Screenshots land in
// <build>/screenshots.
// Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "RealView.h"
#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "TestEnvironment.h"
#include "frmMain.h"
#include "frmSeasonInfo.h"
#include "frmSetup.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

QString SelectedIndexScript(const std::string& id) {
    return QStringLiteral("document.getElementById('%1').selectedIndex")
        .arg(QString::fromStdString(id));
}

frmSetup* CurrentSetupWindow(frmMain& main) {
    frmSetup* window = nullptr;
    WaitUntil(
        [&] {
            window = qobject_cast<frmSetup*>(main.CurrentChild());
            return window && window->wbDisplay->isLoaded() &&
                   WaitForBrowserToMatchModel(*window->wbDisplay, kBrowserTimeoutMs);
        },
        kBrowserTimeoutMs);
    return window;
}

std::string ExpectedTitle(int32_t year, const std::string& type) {
    return "Gridora Management System (Season Year: " + std::to_string(year) + ") - " + type;
}

TEST(DbSetupEndToEndTest, SwitchBackUpChangeAndRestoreInTheRealProgram) {
    const auto user = ScriptedUser::Install();
    ShellDatabases databases;
    host::SetTodayProvider([] { return std::chrono::year{2026} / 12 / 8; });
    const int32_t year = databases.CurrentSeasonYear();
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.resize(1100, 760);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    ASSERT_EQ(main.windowTitle().toStdString(), ExpectedTitle(year, "Live"));

    // To the test database and back, choosing with the keyboard and saving with the mouse.
    FindAction(main, "mnuDBSetup")->trigger();
    frmSetup* window = CurrentSetupWindow(main);
    ASSERT_NE(window, nullptr);
    SaveScreenshot(main, QStringLiteral("db_setup_live.png"));
    ASSERT_TRUE(RealChooseOption(*window->wbDisplay, "HA", DBTest));
    ASSERT_TRUE(WaitUntil([&] { return window->cmdSave->isEnabled(); }));
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return main.windowTitle().endsWith(QStringLiteral(") - Test")); }))
        << main.windowTitle().toStdString();
    window = CurrentSetupWindow(main);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunScript(*window->wbDisplay, SelectedIndexScript("HA")).toInt(), DBTest);
    EXPECT_FALSE(
        RunScript(*window->wbDisplay, QStringLiteral("!!document.getElementById('JA')")).toBool());
    SaveScreenshot(main, QStringLiteral("db_setup_test.png"));
    ASSERT_TRUE(RealChooseOption(*window->wbDisplay, "HA", DBLive));
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(
        WaitUntil([&] { return main.windowTitle().toStdString() == ExpectedTitle(year, "Live"); }));

    // Back up with the page's button.
    window = CurrentSetupWindow(main);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(RealClick(*window->wbDisplay, "JA"));
    ASSERT_TRUE(WaitUntil([&] { return !user->messages.empty(); }));
    EXPECT_EQ(user->messages.back().text, "Data backedup successfully.");

    // In the season window: a new fee typed and saved, then last year's season with the arrow.
    FindAction(main, "mnuSeasonInfo")->trigger();
    auto* season = qobject_cast<frmSeasonInfo*>(main.CurrentChild());
    ASSERT_NE(season, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return season->wbMoneyDistr->isLoaded(); }));
    const std::string fee = season->txtMoneyContribution->text().toStdString();
    QTest::mouseClick(season->txtMoneyContribution, Qt::LeftButton);
    QTest::keyClick(season->txtMoneyContribution, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(season->txtMoneyContribution, QStringLiteral("175"));
    QTest::keyClick(season->txtMoneyContribution, Qt::Key_Tab);
    ASSERT_TRUE(WaitUntil([&] { return season->cmdSave->isEnabled(); }));
    QTest::mouseClick(season->cmdSave, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !season->cmdSave->isEnabled(); }));
    ASSERT_EQ(main.DataService()->GetCurrentSeasonInfo()->get_MoneyContribution(), 175);
    season->dtpYear->setFocus();
    QTest::keyClick(season->dtpYear, Qt::Key_Down);
    ASSERT_TRUE(WaitUntil(
        [&] { return main.windowTitle().toStdString() == ExpectedTitle(year - 1, "Live"); }));
    QPointer<ChildWindow> seasonWindow = season;

    // Restoring the backup takes the change back and closes the child windows.
    user->chooseFile(databases.File("Gridora - Backup - 20261208 - 01.mdb"));
    user->answer(MsgAnswer::Yes);
    FindAction(main, "mnuDataRestore")->trigger();
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_EQ(user->messages[2].text, "Data restored successfully.");
    EXPECT_EQ(main.windowTitle().toStdString(), ExpectedTitle(year, "Live"));
    const auto current = main.DataService()->GetCurrentSeasonInfo();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->get_Year(), year);
    EXPECT_EQ(std::to_string(current->get_MoneyContribution()), fee);
    EXPECT_TRUE(WaitUntilWithDeletions([&] { return seasonWindow.isNull(); }));
    SaveScreenshot(main, QStringLiteral("db_setup_restored.png"));

    FindAction(main, "mnuExit")->trigger();
    EXPECT_TRUE(main.IsShutDown());
    host::SetTodayProvider(nullptr);
}

}  // namespace
}  // namespace gr::ui::test
