// The player editor in the real browser view with real mouse and key events: a player is
// added, found by a two-word search, renamed and deleted. A screenshot of the editor showing
// him lands in <build>/screenshots. Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QWebEngineView>
#include <functional>

#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "WarmViewPool.h"
#include "frmAddNewMDI.h"
#include "frmMain.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr int kBrowserTimeoutMs = 30000;

QWidget* KeyTarget(HtmlView& view) {
    QWebEngineView* browser = RealBackend(view)->view();
    return browser->focusProxy() ? browser->focusProxy() : browser;
}

void SaveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
    QTest::qWait(400);  // the browser's compositor catches up
    const QPixmap picture = window.screen()->grabWindow(window.winId());
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QStringLiteral(GRIDORA_SCREENSHOT_DIR "/") + name));
}

class PlayerEditorJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        main = std::make_unique<frmMain>();
        ASSERT_TRUE(main->StartUp());
        main->resize(1000, 600);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        // As in the program, the editor gets the view started ahead.
        ASSERT_TRUE(WaitUntil([&] { return viewPool.SpareReady(); }, kBrowserTimeoutMs));
        FindAction(*main, "mnuAddPlayer")->trigger();
        editor = qobject_cast<frmAddNewMDI*>(main->CurrentChild());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return view().isLoaded(); }, kBrowserTimeoutMs));
        ASSERT_TRUE(WaitForBrowserToMatchModel(view(), kBrowserTimeoutMs));
    }

    HtmlView& view() const { return *editor->ctlAddNewMDI->wbReport; }
    std::string Model(const std::string& id) const {
        return view().document()->getElementById(id)->value();
    }
    // Waits until the page has reported the field's value to the model.
    bool ModelHolds(const std::string& id, const std::string& value) const {
        return WaitUntil([&] { return Model(id) == value; }, kBrowserTimeoutMs);
    }
    bool HasFocus(const std::string& id) const {
        const QString active =
            QStringLiteral("document.activeElement && document.activeElement.id");
        return WaitUntil([&] { return RunScript(view(), active).toString().toStdString() == id; },
                         kBrowserTimeoutMs);
    }
    // Replaces the text of an input with real key presses, after a real click into it.
    void TypeInto(const std::string& id, const QString& text) {
        ASSERT_TRUE(RealClick(view(), id));
        ASSERT_TRUE(HasFocus(id));
        QTest::keyClick(KeyTarget(view()), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(KeyTarget(view()), text);
        ASSERT_TRUE(ModelHolds(id, text.toStdString()));
    }
    // Tabs from the field that has the focus to the list and moves its choice down with the
    // arrow key, as a user going through the form by keyboard does.
    void TabAndChoose(const std::string& id, int downPresses) {
        QTest::keyClick(KeyTarget(view()), Qt::Key_Tab);
        ASSERT_TRUE(HasFocus(id));
        for (int i = 0; i < downPresses; ++i) QTest::keyClick(KeyTarget(view()), Qt::Key_Down);
        ASSERT_TRUE(WaitUntil(
            [&] { return view().document()->getElementById(id)->selectedIndex() == downPresses; },
            kBrowserTimeoutMs));
    }
    // A search typed into the search line and confirmed with Return.
    void Search(const QString& text) {
        TypeInto("AF", text);
        QTest::keyClick(KeyTarget(view()), Qt::Key_Return);
    }
    void ClickButton(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    int32_t PlayersNamed(const std::string& text) const {
        return main->DataService()->Search(TypePlayerOrTeam, text, false, false)->Count();
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    WarmViewPool viewPool{0};
    std::unique_ptr<frmMain> main;
    frmAddNewMDI* editor = nullptr;
};

TEST_F(PlayerEditorJourney, AddFindRenameAndDeleteAPlayerWithRealInput) {
    TypeInto("AB", QStringLiteral("Quixote"));
    TypeInto("AA", QStringLiteral("Donny"));
    TabAndChoose("HA", 1);  // QB
    TabAndChoose("HB", 2);
    ClickButton(editor->cmdSave);
    ASSERT_TRUE(user->messages.empty()) << user->messages[0].text;
    EXPECT_EQ(PlayersNamed("Quixote Donny"), 1);
    ASSERT_TRUE(ModelHolds("AB", ""));

    Search(QStringLiteral("Donny Quixote"));
    ASSERT_TRUE(ModelHolds("AB", "Quixote"));
    EXPECT_EQ(Model("AA"), "Donny");
    EXPECT_EQ(Model("AF"), "Donny Quixote");
    EXPECT_EQ(Model("HA"), "1");
    ASSERT_TRUE(WaitForBrowserToMatchModel(view(), kBrowserTimeoutMs));
    EXPECT_EQ(RunScript(view(), QStringLiteral("document.getElementById('AB').value")).toString(),
              QStringLiteral("Quixote"));
    SaveScreenshot(*main, QStringLiteral("player_editor.png"));

    TypeInto("AB", QStringLiteral("Quixotic"));
    ClickButton(editor->cmdSave);
    ASSERT_TRUE(user->messages.empty()) << user->messages[0].text;
    EXPECT_EQ(PlayersNamed("Quixotic Donny"), 1);
    EXPECT_EQ(PlayersNamed("Quixote Donny"), 0);

    Search(QStringLiteral("Quixotic Donny"));
    ASSERT_TRUE(ModelHolds("AB", "Quixotic"));
    ASSERT_TRUE(WaitForBrowserToMatchModel(view(), kBrowserTimeoutMs));
    ASSERT_TRUE(RealClick(view(), "CB"));
    ASSERT_TRUE(ModelHolds("AB", ""));
    EXPECT_EQ(PlayersNamed("Quixotic"), 0);
    EXPECT_TRUE(user->messages.empty());
    EXPECT_EQ(editor->ctlAddNewMDI->CurrentID(), 0);

    // A save the league refuses keeps program and editor, however left; then Yes at Exit saves.
    TypeInto("AB", QStringLiteral("Sancho"));
    TypeInto("AA", QStringLiteral("Rosa"));
    const std::function<void()> ways[] = {[&] { FindAction(*main, "mnuExit")->trigger(); },
                                          [&] { FindAction(*main, "mnuAbout")->trigger(); },
                                          [&] { main->close(); }};
    for (const auto& leave : ways) {
        user->answer(MsgAnswer::Yes);
        leave();
        EXPECT_TRUE(main->CurrentChild() == editor && main->isVisible() && !main->IsShutDown());
    }
    EXPECT_EQ(user->messages[0].text, "Save changes to Add/Edit/Delete a Player?");
    EXPECT_EQ(user->messages[1].text, "Player position is required.");
    TabAndChoose("HA", 1);
    TabAndChoose("HB", 2);
    user->answer(MsgAnswer::Yes);
    FindAction(*main, "mnuExit")->trigger();
    ASSERT_TRUE(main->IsShutDown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto league = InitializedSetupService()->get_DataService();
    EXPECT_EQ(league->Search(TypePlayerOrTeam, "Rosa Sancho", false, false)->Count(), 1);
}

TEST_F(PlayerEditorJourney, AWindowOpenedBeforeTheNextViewIsReadyStillGetsAWorkingPage) {
    // Two commands in one go: the first takes the view started ahead, the second finds none
    // and starts its own.
    FindAction(*main, "mnuAddPrize")->trigger();
    ASSERT_FALSE(viewPool.SpareReady());
    FindAction(*main, "mnuAddManager")->trigger();
    editor = qobject_cast<frmAddNewMDI*>(main->CurrentChild());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return view().isLoaded(); }, kBrowserTimeoutMs));
    ASSERT_TRUE(WaitForBrowserToMatchModel(view(), kBrowserTimeoutMs));
    Search(QStringLiteral("Alvarez"));
    ASSERT_TRUE(ModelHolds("AA", "Maria"));
    EXPECT_TRUE(WaitForBrowserToMatchModel(view(), kBrowserTimeoutMs));
}

}  // namespace
}  // namespace gr::ui::test
