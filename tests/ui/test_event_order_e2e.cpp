// The order of events in the real browser view, with real mouse and key input, where the
// browser's reports arrive late and out of step with Qt's own widgets: events held while a
// handler's message box is open, text a Qt button reads while its box still has the focus,
// no Deactivated after Close, and text boxes that ignore losing the focus to a popup or a
// dialog. Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "EventForwarder.h"
#include "GRIcons.h"
#include "GRTextBox.h"
#include "GRUIUtils.h"
#include "HtmlView.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "ViewDriver.h"
#include "frmMain.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

const char* const kPage =
    "<div id='JA-1'>one</div><div id='JA-2'>two</div><input id='TA'><input id='TB'>";

// A window with a page over a Qt Save button and a text box beside an icon button, as the
// screens have them. Every handler writes what it saw to `log`.
class OrderWindow : public QWidget, public IActualEventHandler {
  public:
    OrderWindow() {
        auto* column = new QVBoxLayout(this);
        view = new HtmlView(this);
        column->addWidget(view, 1);
        cmdSave = new QPushButton(QStringLiteral("Save"), this);
        cmdAsk = new QPushButton(QStringLiteral("Ask"), this);
        txtName = new GRTextBox(this);
        cmdLookup = new QToolButton(this);
        SetIconButton(cmdLookup, 'N', "Search");
        for (QWidget* w : std::initializer_list<QWidget*>{cmdSave, cmdAsk, txtName, cmdLookup})
            column->addWidget(w);
        QObject::connect(cmdSave, &QPushButton::clicked, this, [this] { Save(); });
        QObject::connect(cmdAsk, &QPushButton::clicked, this, [this] {
            log.emplace_back("ask");
            MsgBox("Save changes?", MsgButtons::YesNo);
            log.emplace_back("asked");
        });
        txtName->installEventFilter(this);
        QObject::connect(txtName, &GRTextBox::LostFocus, this,
                         [this] { log.emplace_back("lost"); });
        QObject::connect(cmdLookup, &QToolButton::clicked, this,
                         [this] { log.emplace_back("lookup"); });
        QObject::connect(view, &HtmlView::documentComplete, this, [this] {
            forwarder.Bind(view->document(), this);
            view->document()->body()->setInnerHTML(kPage);
            for (const char* id : {"JA-1", "JA-2"})
                forwarder.Attach(doc().getElementById(id), HtmlEventType::Click);
            forwarder.Attach(doc().getElementById("TA"), HtmlEventType::Change);
        });
        resize(640, 480);
        view->navigate();
        show();
    }

    void HandleEvent(const ElementPtr& source, HtmlEvent& event) override {
        std::string id;
        if (!ReadEventId(source, event, id)) return;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        log.push_back(id == "TA" ? "TA:" + source->value() : id);
        --depth;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == txtName && event->type() == QEvent::FocusOut)
            focusOutReasons.push_back(static_cast<QFocusEvent*>(event)->reason());
        return QWidget::eventFilter(watched, event);
    }

    // Save step 1: the text box that still has the focus is handled as changed.
    void Save() {
        const ElementPtr box = doc().getElementById("TA");
        log.push_back("save:" + box->value());
        box->markValueHandled();
    }

    HtmlDocument& doc() { return *view->document(); }

    HtmlView* view = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdAsk = nullptr;
    GRTextBox* txtName = nullptr;
    QToolButton* cmdLookup = nullptr;
    EventForwarder forwarder;
    std::vector<std::string> log;
    std::vector<Qt::FocusReason> focusOutReasons;  // of txtName
    int depth = 0;
    int maxDepth = 0;
};

// A user who, while a message box is open, goes on acting in the page (as the browser's late
// reports do): the box runs a nested event loop for as long as the action takes.
class BusyUser : public ScriptedUser {
  public:
    std::function<void()> whileBoxIsOpen;
    MsgAnswer showMessage(const MessageBoxRequest& request) override {
        if (whileBoxIsOpen) std::exchange(whileBoxIsOpen, nullptr)();
        return ScriptedUser::showMessage(request);
    }
};

class EventOrderE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserInteraction(user);
        ASSERT_TRUE(WaitUntil([&] { return window.view->isLoaded(); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    }
    void TearDown() override { SetUserInteraction(nullptr); }

    std::shared_ptr<BusyUser> user = std::make_shared<BusyUser>();
    OrderWindow window;
};

// A page handler runs inside the browser's own delivery, which waits until it returns; a Qt
// button's handler does not, so the browser's reports arrive while its message box is open.
TEST_F(EventOrderE2e, EventsReportedWhileAMessageBoxIsOpenWaitUntilItsHandlerHasReturned) {
    HtmlView& view = *window.view;
    ASSERT_TRUE(RealType(view, "TA", QStringLiteral("Smith")));
    ASSERT_TRUE(WaitUntil([&] { return window.doc().getElementById("TA")->value() == "Smith"; }));
    std::vector<std::string> seenWhileOpen;
    size_t heldWhileOpen = 0;
    user->whileBoxIsOpen = [&] {
        // The box's click left the text box; a click in the page is on its way as well.
        EXPECT_TRUE(RealClick(view, "JA-2"));
        EXPECT_TRUE(WaitUntil([&] { return view.heldEventCount() >= 2; }));
        Pause(200);
        seenWhileOpen = window.log;
        heldWhileOpen = view.heldEventCount();
    };
    QTest::mouseClick(window.cmdAsk, Qt::LeftButton);
    EXPECT_EQ(seenWhileOpen, std::vector<std::string>{"ask"});
    EXPECT_GE(heldWhileOpen, 2u);
    ASSERT_TRUE(WaitUntil([&] { return window.log.size() == 4; })) << window.log.size();
    EXPECT_EQ(window.log, (std::vector<std::string>{"ask", "asked", "TA:Smith", "JA-2"}));
    EXPECT_EQ(window.maxDepth, 1);
    EXPECT_EQ(view.heldEventCount(), 0u);
    EXPECT_EQ(user->messages.size(), 1u);
}

TEST_F(EventOrderE2e, AQtButtonSeesTheTypedTextAndTheLateChangeIsNotHandledTwice) {
    HtmlView& view = *window.view;
    const ElementPtr box = window.doc().getElementById("TA");
    ASSERT_TRUE(RealType(view, "TA", QStringLiteral("Jones")));
    // The model holds the text as it is typed, before the box is left.
    ASSERT_TRUE(WaitUntil([&] { return box->value() == "Jones"; })) << box->value();
    RunScript(view, QStringLiteral("document.getElementById('TA').addEventListener('change',"
                                   "function(){window.changes=(window.changes||0)+1;})"));
    QTest::mouseClick(window.cmdSave, Qt::LeftButton);
    ASSERT_FALSE(window.log.empty());
    EXPECT_EQ(window.log.front(), "save:Jones");
    // The browser reports the box's change once the button took the focus; it is the text the
    // save step handled already.
    EXPECT_TRUE(
        WaitUntil([&] { return RunScript(view, QStringLiteral("window.changes")).toInt() == 1; }));
    Pause(300);
    EXPECT_EQ(window.log, std::vector<std::string>{"save:Jones"});
    EXPECT_EQ(box->value(), "Jones");

    // Typing on makes it new text: its change is raised when the box is left.
    ASSERT_TRUE(RealType(view, "TA", QStringLiteral("x")));
    ASSERT_TRUE(RealLeave(view));
    ASSERT_TRUE(WaitUntil([&] { return window.log.size() == 2; }));
    EXPECT_EQ(window.log.back(), "TA:" + box->value());
    EXPECT_EQ(box->value().size(), 6u);
}

// A screen that saves what it holds when another window becomes the active one, after
// asking on Close; the page holds text the user typed.
class SaveOnLeaveWindow : public ChildWindow {
  public:
    SaveOnLeaveWindow() {
        auto* column = new QVBoxLayout(this);
        wbDisplay = new HtmlView(this);
        column->addWidget(wbDisplay, 1);
        cmdClose = new QPushButton(QStringLiteral("Close"), this);
        column->addWidget(cmdClose);
        connect(wbDisplay, &HtmlView::documentComplete, this,
                [this] { wbDisplay->document()->body()->setInnerHTML("<input id='TA'>"); });
        connect(cmdClose, &QPushButton::clicked, this, [this] {
            if (MsgBox("Save changes?", MsgButtons::YesNo) == MsgAnswer::Yes) ++saves;
            HideAndRaiseFormClosed();
        });
        wbDisplay->navigate();
    }
    void Deactivated() override { ++saves; }

    HtmlView* wbDisplay;
    QPushButton* cmdClose;
    int saves = 0;
};

class CloseE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        ASSERT_TRUE(main.StartUp());
        main.SetWindowFactory(MenuCommand::Ranking, [this](const ChildServices&) {
            screen = new SaveOnLeaveWindow;
            return screen.data();
        });
        main.resize(900, 700);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.OpenCommand(MenuCommand::Ranking);
        ASSERT_TRUE(WaitUntil([&] { return screen && screen->wbDisplay->isLoaded(); }));
        ASSERT_TRUE(WaitForBrowserToMatchModel(*screen->wbDisplay));
        ASSERT_TRUE(RealType(*screen->wbDisplay, "TA", QStringLiteral("12")));
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    frmMain main;
    QPointer<SaveOnLeaveWindow> screen;
};

TEST_F(CloseE2e, AWindowClosedWithItsCloseButtonIsNotDeactivatedWhenTheNextOneOpens) {
    user->answer(MsgAnswer::No);
    QTest::mouseClick(screen->cmdClose, Qt::LeftButton);
    ASSERT_EQ(user->messages.size(), 1u);
    const QPointer<SaveOnLeaveWindow> closed = screen;
    main.OpenCommand(MenuCommand::About);
    ASSERT_TRUE(closed);  // unloaded later, by the event loop
    EXPECT_EQ(closed->saves, 0);
    SaveScreenshot(main, QStringLiteral("event_order_after_close.png"));
    EXPECT_TRUE(WaitUntilWithDeletions([&] { return !closed; }));
}

TEST_F(CloseE2e, AWindowLeftOpenForAnotherIsDeactivatedAndSaves) {
    main.OpenCommand(MenuCommand::About);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->saves, 1);
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(EventOrderE2e, ATextBoxLosesTheFocusForControlsNotForAPopupOrTheProgramsDialog) {
    QTest::mouseClick(window.txtName, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));

    // A popup menu over the box takes the focus and gives it back.
    QMenu menu;
    menu.addAction(QStringLiteral("Copy"));
    menu.popup(window.txtName->mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == &menu; }));
    menu.close();
    ASSERT_TRUE(WaitUntil([&] { return !QApplication::activePopupWidget(); }));
    EXPECT_EQ(window.focusOutReasons, std::vector<Qt::FocusReason>{Qt::PopupFocusReason});

    // A message box the program opens (a real one) takes it and gives it back. The user
    // presses Enter once the box has the focus (or after five seconds).
    SetUserInteraction(nullptr);
    QElapsedTimer shown;
    shown.start();
    QTimer pressEnter;
    QObject::connect(&pressEnter, &QTimer::timeout, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || (window.focusOutReasons.size() < 2 && shown.elapsed() < 5000)) return;
        pressEnter.stop();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    pressEnter.start(50);
    MsgBox("Numeric values only.");
    SetUserInteraction(user);
    ASSERT_EQ(window.focusOutReasons.size(), 2u);
    EXPECT_EQ(window.focusOutReasons.back(), Qt::ActiveWindowFocusReason);
    // The window manager gives the window back its activation (xvfb runs none).
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    EXPECT_TRUE(window.log.empty());

    // The icon button takes the focus on its click: the box's loss of focus comes first.
    QTest::mouseClick(window.cmdLookup, Qt::LeftButton);
    EXPECT_EQ(window.log, (std::vector<std::string>{"lost", "lookup"}));

    // A click into the page leaves the box as well.
    QTest::mouseClick(window.txtName, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    ASSERT_TRUE(RealClick(*window.view, "TB"));
    EXPECT_TRUE(WaitUntil([&] { return window.log.size() == 3; }));
    EXPECT_EQ(window.log.back(), "lost");
}

// The program moving the focus (as a screen does to bring the user back to a box whose check
// failed) or clearing it is not the user leaving the box.
TEST_F(EventOrderE2e, TheProgramMovingTheFocusAwayIsNotTheUserLeavingTheBox) {
    QTest::mouseClick(window.txtName, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    window.cmdSave->setFocus(Qt::OtherFocusReason);
    window.txtName->setFocus(Qt::OtherFocusReason);
    window.txtName->clearFocus();
    Settle();
    EXPECT_EQ(window.focusOutReasons.size(), 2u);
    EXPECT_TRUE(window.log.empty());
    QTest::mouseClick(window.txtName, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    QTest::keyClick(window.txtName, Qt::Key_Backtab);
    EXPECT_EQ(window.log, std::vector<std::string>{"lost"});
}

TEST_F(EventOrderE2e, ATextBoxSetToSelectAllTakesItsWholeTextWhenTheFocusArrives) {
    window.txtName->setText(QStringLiteral("Brady"));
    QTest::mouseClick(window.txtName, Qt::LeftButton, {}, QPoint(3, 5));
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    Settle();
    EXPECT_FALSE(window.txtName->hasSelectedText()) << "off unless asked for";

    window.txtName->setSelectAllOnFocus(true);
    window.cmdSave->setFocus(Qt::OtherFocusReason);
    // A click places its cursor after the focus has arrived; the selection comes after it.
    QTest::mouseClick(window.txtName, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_TRUE(WaitUntil([&] { return window.txtName->selectedText() == "Brady"; }));

    // The program putting the focus back selects at once.
    window.cmdSave->setFocus(Qt::OtherFocusReason);
    window.txtName->deselect();
    window.txtName->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(window.txtName->selectedText(), "Brady");

    // Back from a context menu the user's own selection stays, for the menu's Cut or Paste.
    window.txtName->setSelection(0, 2);
    QMenu menu;
    menu.addAction(QStringLiteral("Cut"));
    menu.popup(window.txtName->mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activePopupWidget() == &menu; }));
    menu.close();
    ASSERT_TRUE(WaitUntil([&] { return window.txtName->hasFocus(); }));
    Settle();
    EXPECT_EQ(window.txtName->selectedText(), "Br");
}

}  // namespace
}  // namespace gr::ui::test
