// The program end to end in the real browser view: the main window starts on a copy of the
// test database, opens the guide and the about window, and the page the browser shows is
// compared with the document model. Screenshots of each window land in <build>/screenshots.
// Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QScreen>
#include <functional>

#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "ViewDriver.h"
#include "WebEngineBackend.h"
#include "frmMain.h"
#include "frmReports.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr int kBrowserTimeoutMs = 30000;

// Runs the event loop until the condition holds or the browser had long enough.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kBrowserTimeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // Unloaded windows go once control is back in an event loop; here there is none.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// The browser's answer to a script, run after every change the model has sent.
QVariant RunScript(WebEngineBackend& backend, const QString& script) {
    QVariant result;
    bool done = false;
    backend.runScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    WaitUntil([&] { return done; });
    return result;
}

QString BrowserSnapshot(WebEngineBackend& backend) {
    QString snapshot;
    bool done = false;
    backend.requestSnapshot([&](const QString& s) {
        snapshot = s;
        done = true;
    });
    WaitUntil([&] { return done; });
    return snapshot;
}

void SaveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
    // Let the browser's compositor catch up before the picture is taken.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QPixmap picture = window.screen()->grabWindow(window.winId());
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QStringLiteral(GRIDORA_SCREENSHOT_DIR "/") + name));
}

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
    ASSERT_TRUE(WaitUntil([&] { return main.isVisible() && main.WelcomeWindow()->isVisible(); }));
    EXPECT_EQ(main.windowTitle().toStdString(),
              "Gridora Management System (Season Year: " + std::to_string(year) + ") - Test");
    SaveScreenshot(main, QStringLiteral("welcome.png"));

    FindAction(main, "mnuGuide")->trigger();
    auto* guide = qobject_cast<frmReports*>(main.CurrentChild());
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return guide->wbDisplay->isLoaded(); }));
    auto& backend = dynamic_cast<WebEngineBackend&>(*guide->wbDisplay->backend());
    const HtmlDocument& model = *guide->wbDisplay->document();
    const int modelRows = static_cast<int>(model.body()->children()[0]->rows().size());
    ASSERT_GT(modelRows, 0);
    EXPECT_EQ(RunScript(backend, QStringLiteral("document.querySelectorAll('tr').length")).toInt(),
              modelRows);
    // Bold stops at the end of each heading cell in the browser too.
    EXPECT_EQ(
        RunScript(backend, QStringLiteral("document.querySelectorAll('td > b').length")).toInt(),
        15);
    EXPECT_EQ(
        RunScript(backend, QStringLiteral("document.querySelectorAll('b b, b td').length")).toInt(),
        0);
    EXPECT_EQ(BrowserSnapshot(backend).toStdString(), model.snapshotJson());
    SaveScreenshot(main, QStringLiteral("guide.png"));

    FindAction(main, "mnuAbout")->trigger();
    ASSERT_NE(main.CurrentChild(), nullptr);
    EXPECT_STREQ(main.CurrentChild()->metaObject()->className(), "gr::ui::frmAbout");
    ASSERT_TRUE(WaitUntil([&] { return main.ChildArea()->subWindowList().size() == 1; }));
    SaveScreenshot(main, QStringLiteral("about.png"));

    FindAction(main, "mnuExit")->trigger();
    EXPECT_TRUE(main.IsShutDown());
    EXPECT_TRUE(user->messages.empty());
}

}  // namespace
}  // namespace gr::ui::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    gr::ui::test::PrepareTestEnvironment(gr::ui::test::Display::NeededForTheRealView);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
