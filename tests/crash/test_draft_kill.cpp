// Draft night killed: a child process runs the program's main window and types picks into the
// draft board with Enter, telling the parent after each; the parent kills it with SIGKILL at a
// random moment and starts the program again. Its recovery prompt (a real message box, pictured
// in <build>/screenshots) brings back every pick taken and at most the one being typed; saved
// at Exit, they are in the league file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

#include "HeadlessBackend.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "TestEnvironment.h"
#include "frmDraftPlayers.h"
#include "frmMain.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr const char* kChildFlag = "--draft-night-child";

// The child: draft night on the league in folder, one byte on fd for every pick taken.
int DraftNight(const char* folder, int fd, const std::vector<std::string>& names) {
    host::SetDatabaseFolderOverride(folder);
    frmMain main;
    if (!main.StartUp()) return 2;
    main.OpenCommand(MenuCommand::Draft);
    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    for (const std::string& name : names) {
        QTest::keyClicks(board->txtPlayerName, QString::fromStdString(name), Qt::NoModifier, 2);
        QTest::keyClick(board->txtPlayerName, Qt::Key_Return);
        // The organiser's next key comes through the event loop, after what the pick queued.
        QCoreApplication::processEvents();
        if (write(fd, "+", 1) != 1) return 3;
    }
    for (;;) pause();
}

class DraftKillTest : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override {
        databases.UseType(DBTest);
        const auto data = InitializedSetupService()->get_DataService();
        year = LockRanking(data);
        // Names the search finds one player for, so that no dialog opens.
        for (const auto& player :
             data->Search(TypePlayerOrTeam, "a", false, true)->ItemsAs<IPickable>())
            if (names.size() < 30 &&
                data->Search(TypePlayerOrTeam, player->get_PickName(), false, true)->Count() == 1)
                names.push_back(player->get_PickName());
    }

    // The picks the child reported taken when it was killed, `more` after the `before`th.
    int KillDuringDraftNight(int before, std::chrono::milliseconds more) {
        int report[2];
        EXPECT_EQ(pipe(report), 0);
        std::vector<std::string> args = {"/proc/self/exe", kChildFlag, databases.Folder(),
                                         std::to_string(report[1])};
        args.insert(args.end(), names.begin(), names.end());
        std::vector<char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(), [](auto& a) { return a.data(); });
        argv.push_back(nullptr);
        const pid_t child = fork();
        if (child == 0) _exit(execv(argv[0], argv.data()));
        close(report[1]);
        int taken = 0;
        for (char sign = 0; taken < before && read(report[0], &sign, 1) == 1;) ++taken;
        std::this_thread::sleep_for(more);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (char sign = 0; read(report[0], &sign, 1) == 1;) ++taken;
        close(report[0]);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        return taken;
    }

    ShellDatabases databases;
    int32_t year = 0;
    std::vector<std::string> names;
};

TEST_P(DraftKillTest, PicksTakenBeforeTheKillComeBackAtTheNextStartAndAreSavedAtExit) {
    ASSERT_EQ(names.size(), 30U);
    std::mt19937 random(20261208 + GetParam());
    const int taken = KillDuringDraftNight(std::uniform_int_distribution(2, 8)(random),
                                           std::chrono::milliseconds(random() % 120));
    ASSERT_TRUE(taken >= 2 && taken < 30) << taken << " picks taken";

    // The program's own message box asks; Enter gives its default, Yes.
    SetUserInteraction(nullptr);
    QString prompt;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !prompt.isEmpty()) return;
        prompt = box->text();
        if (GetParam() == 0) SaveScreenshot(*box, QStringLiteral("recovery-prompt.png"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    answer.start(50);
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    const auto user = ScriptedUser::Install();
    const QString tail = QStringLiteral(" draft picks of season %1. Bring it back?").arg(year);
    const bool lostNone = prompt.endsWith(QStringLiteral(": %1").arg(taken) + tail);
    const bool keptTheTyped = prompt.endsWith(QStringLiteral(": %1").arg(taken + 1) + tail);
    EXPECT_TRUE(lostNone || keptTheTyped) << taken << " picks taken; " << prompt.toStdString();
    const int32_t back = lostNone ? taken : taken + 1;
    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->CurrentPick(), back + 1);

    user->answer(MsgAnswer::Yes);  // Do you want to save changes?
    FindAction(main, "mnuExit")->trigger();
    ASSERT_TRUE(main.IsShutDown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto drafts =
        InitializedSetupService()->get_DataService()->GetCurrentSeasonInfo()->get_Drafts();
    for (int32_t pick = 1; pick <= back + 1; ++pick) {
        const auto held = drafts->ItemAs<IDraftInfo>(pick)->get_PlayerOrTeam();
        EXPECT_EQ(held ? held->get_PickName() : "", pick <= back ? names[pick - 1] : "") << pick;
    }
    EXPECT_FALSE(std::filesystem::exists(databases.File("Gridora - Test.mdb.unsaved")));
}

INSTANTIATE_TEST_SUITE_P(Kills, DraftKillTest, ::testing::Range(0U, 4U));

}  // namespace
}  // namespace gr::ui::test

int main(int argc, char** argv) {
    const bool child = argc > 3 && std::string(argv[1]) == gr::ui::test::kChildFlag;
    if (!child) ::testing::InitGoogleTest(&argc, argv);
    if (!child && ::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    gr::ui::test::PrepareTestEnvironment(gr::ui::test::Display::NotNeeded);
    QApplication app(argc, argv);
    gr::ui::HtmlView::SetBackendFactory([] { return std::make_unique<gr::ui::HeadlessBackend>(); });
    gr::ui::test::ScriptedUser::Install();
    if (!child) return RUN_ALL_TESTS();
    return gr::ui::test::DraftNight(argv[2], std::atoi(argv[3]), {argv + 4, argv + argc});
}
