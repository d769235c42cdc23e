// Draft night killed: a child process runs the program's main window on a copy of the league
// and types picks into the draft board with Enter, telling the parent after each pick it took;
// the parent kills it with SIGKILL at a random moment and starts the program again. The
// recovery prompt brings back every pick taken before the kill (and at most the one being
// typed), and once saved at Exit they are in the league file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "GRUtils.h"
#include "HeadlessBackend.h"
#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "TestEnvironment.h"
#include "frmDraftPlayers.h"
#include "frmMain.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr const char* kChildFlag = "--draft-night-child";

// The child: draft night on the league in folder, one line on fd for every pick taken.
int DraftNight(const std::string& folder, int fd, const std::vector<std::string>& names) {
    host::SetDatabaseFolderOverride(folder);
    frmMain main;
    if (!main.StartUp()) return 2;
    main.show();
    main.OpenCommand(MenuCommand::Draft);
    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    if (!board) return 3;
    for (const std::string& name : names) {
        QTest::keyClicks(board->txtPlayerName, QString::fromStdString(name), Qt::NoModifier, 2);
        QTest::keyClick(board->txtPlayerName, Qt::Key_Return);
        // The organiser's next key arrives through the event loop, after what it has queued.
        QCoreApplication::processEvents();
        if (write(fd, "+", 1) != 1) return 4;
    }
    for (;;) pause();
}

class DraftKillTest : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override {
        databases.UseType(DBTest);
        const auto setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        const auto data = setup->get_DataService();
        const auto season = data->GetCurrentSeasonInfo();
        year = season->get_Year();
        const auto managers = SortManagers(season->get_Managers(), SortByName);
        for (int32_t i = 1; i <= managers->Count(); ++i)
            managers->ItemAs<IManagerInfo>(i)->let_Rank(i);
        ASSERT_TRUE(data->SaveRanking() && data->DisableRanking());
        // Names the search finds exactly one player for, so that no dialog opens.
        for (const auto& player :
             data->Search(TypePlayerOrTeam, "a", false, true)->ItemsAs<IPickable>()) {
            const auto found = data->Search(TypePlayerOrTeam, player->get_PickName(), false, true);
            if (found->Count() == 1) names.push_back(player->get_PickName());
            if (names.size() == 30) break;
        }
    }

    // Starts the child and kills it once it has taken at least `before` picks and then
    // worked on for `more`; the picks it reported taken.
    int KillDuringDraftNight(int before, std::chrono::milliseconds more) {
        int report[2];
        if (pipe(report) != 0) return -1;
        std::vector<std::string> args = {"/proc/self/exe", kChildFlag, databases.Folder(),
                                         std::to_string(report[1])};
        args.insert(args.end(), names.begin(), names.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            close(report[0]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(report[1]);
        int taken = 0;
        char sign = 0;
        while (taken < before && read(report[0], &sign, 1) == 1) ++taken;
        std::this_thread::sleep_for(more);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        while (read(report[0], &sign, 1) == 1) ++taken;
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
    ASSERT_GE(taken, 2);
    ASSERT_LT(taken, 30) << "the kill came after the last pick";

    auto user = ScriptedUser::Install();
    user->answer(MsgAnswer::Yes);  // bring it back
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.show();
    ASSERT_EQ(user->messages.size(), 1U);
    const std::string& prompt = user->messages[0].text;
    EXPECT_EQ(prompt.rfind("Unsaved work from ", 0), 0U) << prompt;
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(user->messages[0].defaultAnswer, MsgAnswer::Yes);
    const std::string tail = " draft picks of season " + std::to_string(year) + ". Bring it back?";
    const bool lostNone = prompt.find(": " + std::to_string(taken) + tail) != std::string::npos;
    const bool keptTheTyped =
        prompt.find(": " + std::to_string(taken + 1) + tail) != std::string::npos;
    EXPECT_TRUE(lostNone || keptTheTyped) << taken << " picks taken; " << prompt;
    const int32_t back = lostNone ? taken : taken + 1;
    std::cout << "[ kill     ] " << taken << " picks taken, " << back << " brought back\n";

    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->cmdSave->isEnabled()) << "brought back unsaved";
    EXPECT_EQ(board->CurrentPick(), back + 1);
    user->answer(MsgAnswer::Yes);  // Do you want to save changes?
    FindAction(main, "mnuExit")->trigger();
    ASSERT_TRUE(main.IsShutDown());
    EXPECT_EQ(user->messages.back().text, "Do you want to save changes?");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const auto data = InitializedSetupService()->get_DataService();
    const auto drafts = data->GetCurrentSeasonInfo()->get_Drafts();
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
    if (!child) return RUN_ALL_TESTS();
    gr::ui::test::ScriptedUser::Install();
    return gr::ui::test::DraftNight(argv[2], std::atoi(argv[3]),
                                    std::vector<std::string>(argv + 4, argv + argc));
}
