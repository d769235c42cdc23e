// The program end to end in the real browser view: the main window starts on a copy of the
// test database, opens the guide and the about window, and the page the browser shows is
// compared with the document model. Screenshots of each window land in <build>/screenshots.
// Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>

#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "frmMain.h"
#include "frmReports.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

class AppEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        year = databases.CurrentSeasonYear();
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    int32_t year = 0;
};

TEST_F(AppEndToEndTest, StartsOpensTheGuideAndTheAboutWindowInTheRealView) {
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.resize(1100, 760);
    main.show();
    ASSERT_TRUE(WaitUntilWithDeletions(
        [&] { return main.isVisible() && main.WelcomeWindow()->isVisible(); }));
    EXPECT_EQ(main.windowTitle().toStdString(),
              "Gridora Management System (Season Year: " + std::to_string(year) + ") - Test");
    SaveScreenshot(main, QStringLiteral("welcome.png"));

    FindAction(main, "mnuGuide")->trigger();
    auto* guide = qobject_cast<frmReports*>(main.CurrentChild());
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(WaitUntilWithDeletions([&] { return guide->wbDisplay->isLoaded(); }));
    HtmlView& view = *guide->wbDisplay;
    const HtmlDocument& model = *view.document();
    const int modelRows = static_cast<int>(model.body()->children()[0]->rows().size());
    ASSERT_GT(modelRows, 0);
    EXPECT_EQ(RunScript(view, QStringLiteral("document.querySelectorAll('tr').length")).toInt(),
              modelRows);
    // Bold stops at the end of each heading cell in the browser too.
    EXPECT_EQ(RunScript(view, QStringLiteral("document.querySelectorAll('td > b').length")).toInt(),
              16);
    EXPECT_EQ(
        RunScript(view, QStringLiteral("document.querySelectorAll('b b, b td').length")).toInt(),
        0);
    EXPECT_EQ(BrowserSnapshot(view), model.snapshotJson());
    SaveScreenshot(main, QStringLiteral("guide.png"));

    FindAction(main, "mnuAbout")->trigger();
    ASSERT_NE(main.CurrentChild(), nullptr);
    EXPECT_STREQ(main.CurrentChild()->metaObject()->className(), "gr::ui::frmAbout");
    ASSERT_TRUE(
        WaitUntilWithDeletions([&] { return main.ChildArea()->subWindowList().size() == 1; }));
    SaveScreenshot(main, QStringLiteral("about.png"));

    FindAction(main, "mnuExit")->trigger();
    EXPECT_TRUE(main.IsShutDown());
    EXPECT_TRUE(user->messages.empty());
}

}  // namespace
}  // namespace gr::ui::test
