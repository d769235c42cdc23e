// Draft night in the real browser view: the program ranks the demo league's ten managers, then
// the whole 15-round snake draft (150 picks) is typed name by name into the pick field with
// Enter, one name already taken is refused, Exit with the picks unsaved is cancelled, the draft
// is saved, locked and reopened by manager. The room display, opened with F11, shows every
// pick, Previous/Next and undo as the board does; it is pictured at 1920 x 1080 and 1280 x 720.
// What the league file then holds is compared with what the browser shows. Screenshots of the
// board land in <build>/screenshots. Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScreen>
#include <QTest>
#include <iostream>

#include "GRUtils.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "frmDraftPlayers.h"
#include "frmDraftRanking.h"
#include "frmMain.h"
#include "frmRoomDisplay.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr int32_t kManagers = 10;
constexpr int32_t kRounds = 15;
constexpr int32_t kPicks = kManagers * kRounds;
constexpr int32_t kRefusedAt = 37;  // the pick at which a taken name is typed first

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

// "First Last" of every player of the shipped roster, in file order.
std::vector<std::string> RosterNames() {
    QFile file(QStringLiteral(GRIDORA_DATA_DIR "/nfl-players-2023.csv"));
    std::vector<std::string> names;
    if (!file.open(QIODevice::ReadOnly)) return names;
    file.readLine();  // heading
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(',');
        if (fields.size() >= 2) names.push_back((fields[1] + " " + fields[0]).toStdString());
    }
    return names;
}

// Roster names that the program's search finds exactly one player for.
std::vector<std::string> UniqueNames(const ComPtr<IDataService>& data, size_t count) {
    std::vector<std::string> names;
    for (const std::string& name : RosterNames()) {
        const auto found = data->Search(TypePlayerOrTeam, name, false, true);
        if (found && found->Count() == 1) names.push_back(name);
        if (names.size() == count) break;
    }
    return names;
}

// Without a window manager the browser's own window keeps the activation once a page has
// loaded; the organiser's keys go to the program's window, as a click into it would make them.
bool Activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void ClickButton(QAbstractButton* button) {
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// What the browser shows in every pick's cell of the by-manager grid, by pick number, its
// three parts (name, position, pick number) separated by single blanks.
std::map<int32_t, std::string> BrowserCells(HtmlView& view) {
    std::map<int32_t, std::string> cells;
    for (int32_t pick = 1; pick <= kPicks; ++pick) {
        int32_t row = 0;
        int32_t column = 0;
        DraftCellOf(DraftView::ByManager, pick, kManagers, row, column);
        cells[pick] = RunScript(view, QStringLiteral("document.getElementById('%1').innerText")
                                          .arg(QString::fromStdString(DraftCellId(row, column))))
                          .toString()
                          .simplified()
                          .toStdString();
    }
    return cells;
}

// The name each pick's cell shows in the browser (empty when open), read in one script; the
// organiser's board lays the picks out by round, the room display round by round.
std::map<int32_t, std::string> ShownNames(HtmlView& view, DraftView arrangement) {
    const QString script = QStringLiteral(
        "JSON.stringify(Array.from(document.querySelectorAll('td[id^=\"EA-\"]')).map("
        "function(e){var n=e.querySelector('span.n');return [e.id,n?n.innerText:''];}))");
    std::map<std::string, std::string> byId;
    for (const QJsonValue cell :
         QJsonDocument::fromJson(RunScript(view, script).toString().toUtf8()).array())
        byId[cell[0].toString().toStdString()] = cell[1].toString().toStdString();
    std::map<int32_t, std::string> names;
    for (int32_t pick = 1; pick <= kPicks; ++pick) {
        int32_t row = 0;
        int32_t column = 0;
        DraftCellOf(arrangement, pick, kManagers, row, column);
        const auto found = byId.find(DraftCellId(row, column));
        names[pick] = found == byId.end() ? "<no cell>" : found->second;
    }
    return names;
}

// The room display shows every pick the board shows, and who is on the clock.
void ExpectRoomMirrorsBoard(frmDraftPlayers& board, frmRoomDisplay& room, int32_t taken) {
    const auto shown = ShownNames(*board.wbReport, DraftView::ByRound);
    EXPECT_EQ(ShownNames(*room.wbRoom, DraftView::ByManager), shown);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](auto& c) { return !c.second.empty(); }),
              taken);
    const std::string onClock = BrowserValue(*room.wbRoom, kRoomOnClockId, "innerText");
    EXPECT_EQ(onClock.rfind(board.lblCoach->text().toStdString() + " is on the clock", 0), 0U)
        << onClock;
    EXPECT_NE(onClock.find("Overall " + std::to_string(board.CurrentPick())), std::string::npos)
        << onClock;
}

// A picture of the room display at a screen's size.
void SaveRoomScreenshot(frmRoomDisplay& room, int width, int height, const QString& name) {
    room.showNormal();
    room.setGeometry(0, 0, width, height);
    // The page laid out at the new size, then painted.
    ASSERT_TRUE(WaitUntil([&] {
        return RunScript(*room.wbRoom,
                         QStringLiteral("window.innerWidth + 'x' + window.innerHeight"))
                   .toString() == QStringLiteral("%1x%2").arg(width).arg(height);
    }));
    Pause(1500);
    const int overflow =
        RunScript(*room.wbRoom, QStringLiteral("document.documentElement.scrollHeight - "
                                               "window.innerHeight"))
            .toInt();
    EXPECT_LE(overflow, 0) << "the board scrolls at " << width << " x " << height;
    QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
    EXPECT_TRUE(room.grab().save(QStringLiteral(GRIDORA_SCREENSHOT_DIR "/") + name));
}

class DraftEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        // The demo's current season drafts sixteen rounds; this draft night has fifteen.
        const auto setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        const auto season = setup->get_DataService()->GetCurrentSeasonInfo();
        ASSERT_EQ(season->get_NoOfManagers(), kManagers);
        season->let_NoOfRounds(kRounds);
        ASSERT_TRUE(setup->get_DataService()->SaveCurrentSeasonInfo());
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
};

TEST_F(DraftEndToEndTest, WholeDraftTypedWithEnterSavedLockedAndReopenedByManager) {
    QElapsedTimer clock;
    clock.start();
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.resize(1280, 900);
    main.show();
    ASSERT_TRUE(FindAction(main, "mnuRanking")->isEnabled());
    ASSERT_TRUE(FindAction(main, "mnuDraft")->isEnabled());

    // The ranking: shuffled and locked with the mouse.
    FindAction(main, "mnuRanking")->trigger();
    auto* ranking = qobject_cast<frmDraftRanking*>(main.CurrentChild());
    ASSERT_NE(ranking, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ranking->wbDisplay->isLoaded(); }));
    ClickButton(ranking->cmdShuffle);
    ClickButton(ranking->cmdSave);
    ASSERT_TRUE(WaitForBrowserToMatchModel(*ranking->wbDisplay));
    SaveScreenshot(main, QStringLiteral("draft-ranking.png"));

    FindAction(main, "mnuDraft")->trigger();
    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return board->wbReport->isLoaded(); }));
    ASSERT_TRUE(Activate(main));
    ASSERT_TRUE(board->txtPlayerName->hasFocus());
    const std::vector<std::string> names = UniqueNames(main.DataService(), kPicks);
    ASSERT_EQ(names.size(), static_cast<size_t>(kPicks));
    QTest::keyClick(board->txtPlayerName, Qt::Key_F11);
    frmRoomDisplay* room = board->RoomDisplay();
    ASSERT_NE(room, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return room->wbRoom->isLoaded(); }));
    ASSERT_TRUE(Activate(main));

    // The keys go wherever the focus is, as the organiser's keyboard would send them; after
    // every Enter it is back in the pick field.
    for (int32_t pick = 1; pick <= kPicks; ++pick) {
        ASSERT_EQ(board->CurrentPick(), pick);
        ASSERT_EQ(QApplication::focusWidget(), board->txtPlayerName) << "pick " << pick;
        if (pick == 13) {
            ExpectRoomMirrorsBoard(*board, *room, 12);
            const std::string announced = BrowserValue(*room->wbRoom, "AN", "innerText");
            EXPECT_EQ(announced, room->LastAnnouncement());
            EXPECT_EQ(announced.rfind("Round 2, pick 2: ", 0), 0U) << announced;
            EXPECT_NE(announced.find(" takes " + names[11] + ", "), std::string::npos);
            // Back two picks and on again: the room follows the pick on the clock.
            ClickButton(board->cmdPrevPick);
            ClickButton(board->cmdPrevPick);
            ExpectRoomMirrorsBoard(*board, *room, 12);
            ClickButton(board->cmdNextPick);
            ClickButton(board->cmdNextPick);
            ASSERT_EQ(board->CurrentPick(), pick);
        }
        if (pick == 20) {
            // Undo takes pick 19 back into the pick field, redo takes it again.
            QTest::keyClick(board->txtPlayerName, Qt::Key_Z, Qt::ControlModifier);
            ASSERT_EQ(board->CurrentPick(), pick - 1);
            EXPECT_TRUE(board->txtPlayerName->text().isEmpty());
            ExpectRoomMirrorsBoard(*board, *room, pick - 2);
            QTest::keyClick(board->txtPlayerName, Qt::Key_Z,
                            Qt::ControlModifier | Qt::ShiftModifier);
            ASSERT_EQ(board->CurrentPick(), pick);
            ExpectRoomMirrorsBoard(*board, *room, pick - 1);
        }
        if (pick == kRefusedAt) {
            QTest::keyClicks(board->txtPlayerName, QString::fromStdString(names[0]));
            QTest::keyClick(board->txtPlayerName, Qt::Key_Return);
            ASSERT_EQ(user->messages.size(), 1U);
            EXPECT_EQ(user->messages[0].text.rfind("Dude, ", 0), 0U) << user->messages[0].text;
            EXPECT_NE(user->messages[0].text.find(" in round #1."), std::string::npos);
            ASSERT_EQ(board->CurrentPick(), pick);
            board->txtPlayerName->selectAll();
        }
        QTest::keyClicks(board->txtPlayerName,
                         QString::fromStdString(names[static_cast<size_t>(pick - 1)]));
        QTest::keyClick(board->txtPlayerName, Qt::Key_Return);
    }
    EXPECT_EQ(board->CurrentPick(), kPicks);
    EXPECT_FALSE(board->cmdNextPick->isEnabled());
    EXPECT_EQ(user->messages.size(), 1U);
    EXPECT_TRUE(user->modalTitles.empty());
    ExpectRoomMirrorsBoard(*board, *room, kPicks);
    SaveRoomScreenshot(*room, 1920, 1080, QStringLiteral("room-display-1920x1080.png"));
    SaveRoomScreenshot(*room, 1280, 720, QStringLiteral("room-display-1280x720.png"));
    QTest::keyClick(board->txtPlayerName, Qt::Key_Escape);
    EXPECT_EQ(board->RoomDisplay(), nullptr);
    ASSERT_TRUE(Activate(main));
    ASSERT_TRUE(WaitForBrowserToMatchModel(*board->wbReport));
    SaveScreenshot(main, QStringLiteral("draft-board-by-round.png"));
    // Exit asks about the unsaved picks; Cancel keeps the program and the board as they were.
    user->answer(MsgAnswer::Cancel);
    FindAction(main, "mnuExit")->trigger();
    ASSERT_FALSE(main.IsShutDown());
    EXPECT_EQ(user->messages.back().text, "Do you want to save changes?");
    EXPECT_EQ(main.CurrentChild(), board);

    ClickButton(board->cmdSave);
    EXPECT_FALSE(board->cmdSave->isEnabled());
    ClickButton(board->cmdLockDrafting);
    EXPECT_FALSE(board->fraCurrentPick->isVisible());
    ClickButton(board->cmdClose);
    EXPECT_EQ(user->messages.size(), 2U) << "nothing was left to save";

    FindAction(main, "mnuDraft")->trigger();
    board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    ASSERT_TRUE(WaitUntil([&] { return board->wbReport->isLoaded(); }));
    EXPECT_EQ(board->View(), DraftView::ByManager);
    EXPECT_FALSE(board->fraCurrentPick->isVisible());
    ASSERT_TRUE(WaitForBrowserToMatchModel(*board->wbReport));
    const std::map<int32_t, std::string> shown = BrowserCells(*board->wbReport);
    SaveScreenshot(main, QStringLiteral("draft-board-by-manager.png"));
    FindAction(main, "mnuExit")->trigger();
    ASSERT_TRUE(main.IsShutDown());
    // The unloaded windows let go of the data service, and so of the league file.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The league file, read afresh: every pick by the manager the snake gives it.
    const auto setup = InitializedSetupService();
    const auto season = setup->get_DataService()->GetCurrentSeasonInfo();
    ASSERT_TRUE(season->get_IsDraftLocked());
    const auto ranked = SortManagers(season->get_Managers(), SortByRank);
    for (const auto& draft : season->get_Drafts()->ItemsAs<IDraftInfo>()) {
        const int32_t pick = draft->get_DraftNo();
        const auto player = draft->get_PlayerOrTeam().As<IPlayerInfo>();
        ASSERT_TRUE(player) << "pick " << pick;
        EXPECT_EQ(draft->get_PlayerOrTeam()->get_PickName(), names[static_cast<size_t>(pick - 1)]);
        EXPECT_EQ(shown.at(pick), draft->get_PlayerOrTeam()->get_PickName() + " (" +
                                      player->get_Position()->get_Abbr() + ") (" +
                                      std::to_string(pick) + ")");
        int32_t position = 0;
        int32_t round = 0;
        int32_t inRound = 0;
        GetDraftSlot(pick, kManagers, position, round, inRound);
        EXPECT_EQ(draft->get_Manager()->get_ID(), ranked->ItemAs<IManagerInfo>(position)->get_ID())
            << "pick " << pick;
    }
    EXPECT_EQ(season->get_Drafts()->Count(), kPicks);
    std::cout << "draft night journey: " << clock.elapsed() << " ms\n";
}

}  // namespace
}  // namespace gr::ui::test
