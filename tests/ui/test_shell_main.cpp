// The main window on the real services, created by class name, over copies of the generated
// databases: start-up and its failures, the title, the menu, one child window at a time,
// the two events from child windows, the service error hook and shut-down.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <filesystem>

#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "ViewDriver.h"
#include "WindowPlacement.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmReports.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

std::string Title(const QWidget& w) {
    return w.windowTitle().toStdString();
}

std::string ExpectedTitle(const std::string& year, const std::string& type) {
    return "Gridora Management System (Season Year: " + year + ") - " + type;
}

// A child window standing in for a screen of a later step: counts its activations and lets the
// test raise its events.
class ProbeWindow : public ChildWindow {
  public:
    int activated = 0;
    int deactivated = 0;
    void Activated() override { ++activated; }
    void Deactivated() override { ++deactivated; }
    void RaiseDataChanged() { emit DataChanged(); }
    void RaiseYearChanged() { emit YearChanged(); }
};

class ShellMainTest : public ::testing::Test {
  protected:
    void SetUp() override { user = ScriptedUser::Install(); }
    void TearDown() override {
        host::SetTodayProvider(nullptr);
        Settle();
    }

    // Starts a main window (shown, so the child area has its size) and expects success.
    std::unique_ptr<frmMain> Started() {
        auto main = std::make_unique<frmMain>();
        EXPECT_TRUE(main->StartUp());
        main->show();
        Settle();
        return main;
    }

    // Installs a factory of probe windows for the command; the windows made land in made.
    void UseProbes(frmMain& main, MenuCommand command) {
        main.SetWindowFactory(command, [this](const ChildServices& services) -> ChildWindow* {
            made.push_back(new ProbeWindow);
            given.push_back(services);
            return made.back();
        });
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    std::vector<QPointer<ProbeWindow>> made;
    std::vector<ChildServices> given;
};

// ---- Start-up -----------------------------------------------------------------------------

TEST_F(ShellMainTest, MissingSetupDatabaseShowsTheMissingFileAndEnds) {
    databases.Remove("Gridora - Setup.mdb");
    frmMain main;
    EXPECT_FALSE(main.StartUp());
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "Database file: " + databases.File("Gridora - Setup.mdb") + " is missing.");
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(main.IsShutDown());
    EXPECT_FALSE(main.SetupService());
    EXPECT_FALSE(main.DataService());
    EXPECT_EQ(main.WelcomeWindow(), nullptr);
    EXPECT_FALSE(main.isVisible());
}

TEST_F(ShellMainTest, SetupServiceThatCannotBeCreatedIsReportedAndEnds) {
    frmMain main("GRNoSuchLibrary.SetupService");
    EXPECT_FALSE(main.StartUp());
    ASSERT_EQ(user->messages.size(), 1u);
    const std::string& text = user->messages[0].text;
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(text.rfind("Error in creating Gridora Service.\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("libGRNoSuchLibrary.so"), std::string::npos) << text;
    EXPECT_TRUE(main.IsShutDown());
}

TEST_F(ShellMainTest, UnreadableSetupDatabaseGivesTheEngineMessage) {
    gr::test::WriteBytes(databases.File("Gridora - Setup.mdb"), "not a database at all");
    frmMain main;
    EXPECT_FALSE(main.StartUp());
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_FALSE(user->messages[0].text.empty());
    EXPECT_TRUE(main.IsShutDown());
}

TEST_F(ShellMainTest, TestDatabaseShowsItsCurrentSeasonYearAndType) {
    databases.UseType(DBTest);
    const int32_t year = databases.CurrentSeasonYear();
    ASSERT_GT(year, 2000);
    auto main = Started();
    EXPECT_TRUE(user->messages.empty());
    EXPECT_EQ(Title(*main), ExpectedTitle(std::to_string(year), "Test"));
    ASSERT_NE(main->WelcomeWindow(), nullptr);
    EXPECT_TRUE(main->WelcomeWindow()->isVisible());
    EXPECT_FALSE(main->WelcomeWindow()->lblFirstSteps->isVisible()) << "seasons exist";
    EXPECT_EQ(main->SetupInfo()->get_DBTypeKey(), "TEST");
}

TEST_F(ShellMainTest, LiveDatabaseIsTheDefault) {
    const int32_t year = databases.CurrentSeasonYear();
    ASSERT_GT(year, 2000);
    auto main = Started();
    EXPECT_EQ(Title(*main), ExpectedTitle(std::to_string(year), "Live"));
    EXPECT_TRUE(user->messages.empty());
}

// The blank database: the live one may hold seasons already once the program has run on it.
TEST_F(ShellMainTest, DatabaseWithoutSeasonsStartsTheSeasonOfToday) {
    databases.UseType(DBBlank);
    host::SetTodayProvider([] { return std::chrono::year{2031} / 3 / 14; });
    auto main = Started();
    EXPECT_EQ(Title(*main), ExpectedTitle("2031", "Blank"));
    EXPECT_TRUE(user->messages.empty());
    // The welcome window lists the first season's three steps.
    const QString steps = main->WelcomeWindow()->lblFirstSteps->text();
    EXPECT_TRUE(main->WelcomeWindow()->lblFirstSteps->isVisible());
    for (const char* step : {"Setup \u2192 Season", "Manager Ranking", "Draft Players"})
        EXPECT_TRUE(steps.contains(QString::fromUtf8(step))) << step;
}

// ---- Menu ---------------------------------------------------------------------------------

TEST_F(ShellMainTest, MenuHasEveryItemWithItsAccessKey) {
    auto main = Started();
    const std::vector<std::pair<const char*, const char*>> items = {
        {"mnuRanking", "&Manager Ranking"},
        {"mnuDraft", "&Draft Players"},
        {"mnuWinnings", "&Winnings"},
        {"mnuReports", "&Reports"},
        {"mnuCurSeason", "Current Season Prizes"},
        {"mnuAllSeasons", "All Seasons Prizes"},
        {"mnuWinners", "Past Winners"},
        {"mnuSetup3", "&Setup"},
        {"mnuSeasonInfo", "Season"},
        {"mnuAddManager", "Manager"},
        {"mnuAddPlayer", "Player"},
        {"mnuAddPrize", "Prize"},
        {"mnuAddPosition", "Position"},
        {"mnuAdminTools", "Admin &Tools"},
        {"mnuDataBackup", "Backup Data"},
        {"mnuDataRestore", "Restore Data"},
        {"mnuImportSeason", "Import Season\u2026"},
        {"mnuDBSetup", "Database Setup"},
        {"mnuSettings", "Settings"},
        {"mnuHelp", "&Help"},
        {"mnuGuide", "Guide"},
        {"mnuAbout", "About"},
        {"mnuExit", "E&xit"},
    };
    for (const auto& [name, caption] : items) {
        QAction* action = FindAction(*main, name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text().toStdString(), caption) << name;
    }
    // The bar itself, in order: three commands, four sub-menus, Exit.
    std::vector<std::string> bar;
    for (QAction* a : main->menuBar()->actions()) bar.push_back(a->objectName().toStdString());
    EXPECT_EQ(bar, (std::vector<std::string>{"mnuRanking", "mnuDraft", "mnuWinnings", "mnuReports",
                                             "mnuSetup3", "mnuAdminTools", "mnuHelp", "mnuExit"}));
    std::vector<std::string> admin;
    for (QAction* a : main->findChild<QMenu*>("mnuAdminTools")->actions())
        admin.push_back(a->objectName().toStdString());
    EXPECT_EQ(admin, (std::vector<std::string>{"mnuDataBackup", "mnuDataRestore", "mnuImportSeason",
                                               "mnuDBSetup", "mnuSettings"}));
}

TEST_F(ShellMainTest, EveryItemWithAWindowIsEnabled) {
    auto main = Started();
    for (const char* name :
         {"mnuRanking", "mnuDraft", "mnuWinnings", "mnuCurSeason", "mnuAllSeasons", "mnuWinners",
          "mnuSeasonInfo", "mnuAddManager", "mnuAddPlayer", "mnuAddPrize", "mnuAddPosition",
          "mnuDataBackup", "mnuDataRestore", "mnuDBSetup", "mnuGuide", "mnuAbout", "mnuExit"})
        EXPECT_TRUE(FindAction(*main, name)->isEnabled()) << name;
    // A window supplied for a command enables its item.
    UseProbes(*main, MenuCommand::Ranking);
    EXPECT_TRUE(FindAction(*main, "mnuRanking")->isEnabled());
    main->SetWindowFactory(MenuCommand::Ranking, nullptr);
    EXPECT_FALSE(FindAction(*main, "mnuRanking")->isEnabled());
}

TEST_F(ShellMainTest, SettingsIsNeverVisible) {
    auto main = Started();
    QAction* settings = FindAction(*main, "mnuSettings");
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->isVisible());
    EXPECT_TRUE(FindAction(*main, "mnuDBSetup")->isVisible());
    FindAction(*main, "mnuGuide")->trigger();
    main->UpdateTitle();
    EXPECT_FALSE(settings->isVisible());
    // Nor after the services were initialised again for a changed database.
    UseProbes(*main, MenuCommand::DBSetup);
    FindAction(*main, "mnuDBSetup")->trigger();
    made.back()->RaiseDataChanged();
    Settle();
    EXPECT_FALSE(settings->isVisible());
}

// ---- One child window at a time -----------------------------------------------------------

TEST_F(ShellMainTest, TwoReportsInARowLeaveOnlyTheSecond) {
    auto main = Started();
    const auto reportOfKind = [](int32_t kind) {
        return [kind](const ChildServices& s) -> ChildWindow* {
            auto* window = new frmReports;
            window->Initialize(kind, s.dataService);
            return window;
        };
    };
    main->SetWindowFactory(MenuCommand::CurSeason, reportOfKind(frmReports::CurrentSeason));
    main->SetWindowFactory(MenuCommand::AllSeasons, reportOfKind(frmReports::AllSeasons));
    FindAction(*main, "mnuCurSeason")->trigger();
    QPointer<ChildWindow> first = main->CurrentChild();
    FindAction(*main, "mnuAllSeasons")->trigger();
    QPointer<ChildWindow> second = main->CurrentChild();
    Settle();
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(main->CommandWindow(MenuCommand::CurSeason), nullptr);
    EXPECT_EQ(main->CommandWindow(MenuCommand::AllSeasons), second.data());
    const QList<QMdiSubWindow*> frames = main->ChildArea()->subWindowList();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0]->widget(), second.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(main->WelcomeWindow()->isVisible());
}

TEST_F(ShellMainTest, SameCommandTwiceGivesAFreshWindow) {
    auto main = Started();
    FindAction(*main, "mnuGuide")->trigger();
    QPointer<ChildWindow> first = main->CurrentChild();
    ASSERT_TRUE(qobject_cast<frmReports*>(first.data()));
    FindAction(*main, "mnuGuide")->trigger();
    QPointer<ChildWindow> second = main->CurrentChild();
    EXPECT_NE(first.data(), second.data());
    Settle();
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(main->CommandWindow(MenuCommand::Guide), second.data());
    // The fresh window shows the guide, read from no database.
    auto* guide = static_cast<frmReports*>(second.data());
    ASSERT_TRUE(WaitForDocument(*guide->wbDisplay));
    EXPECT_NE(guide->wbDisplay->document()->body()->innerText().find("FAQs"), std::string::npos);
}

TEST_F(ShellMainTest, AboutIsAChildWindowReplacedByTheNextOne) {
    auto main = Started();
    FindAction(*main, "mnuAbout")->trigger();
    QPointer<ChildWindow> about = main->CurrentChild();
    ASSERT_TRUE(qobject_cast<frmAbout*>(about.data()));
    EXPECT_TRUE(about->isVisible());
    FindAction(*main, "mnuGuide")->trigger();
    Settle();
    EXPECT_TRUE(about.isNull());
    EXPECT_EQ(main->CommandWindow(MenuCommand::About), nullptr);
}

TEST_F(ShellMainTest, CommandsInitialiseTheirWindowsWithTheServices) {
    auto main = Started();
    UseProbes(*main, MenuCommand::SeasonInfo);
    FindAction(*main, "mnuSeasonInfo")->trigger();
    ASSERT_EQ(given.size(), 1u);
    EXPECT_TRUE(IsSameObject(given[0].dataService, main->DataService()));
    EXPECT_TRUE(IsSameObject(given[0].setupService, main->SetupService()));
    EXPECT_EQ(main->CommandWindow(MenuCommand::SeasonInfo), made[0].data());
}

TEST_F(ShellMainTest, ActivationHooksFollowTheActiveChild) {
    auto main = Started();
    UseProbes(*main, MenuCommand::Ranking);
    UseProbes(*main, MenuCommand::Draft);
    FindAction(*main, "mnuRanking")->trigger();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->activated, 1);
    FindAction(*main, "mnuDraft")->trigger();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[1]->activated, 1);
    EXPECT_EQ(made[1]->deactivated, 0);
    ASSERT_FALSE(made[0].isNull());  // unloading waits for the event loop
    EXPECT_EQ(made[0]->activated, 1);
    EXPECT_EQ(made[0]->deactivated, 1);
    Settle();
    EXPECT_TRUE(made[0].isNull());
}

TEST_F(ShellMainTest, ChildWindowsFillTheChildAreaAndFollowItsSize) {
    auto main = Started();
    FindAction(*main, "mnuAbout")->trigger();
    QWidget* frame = main->CurrentChild()->parentWidget();
    const QRect area = main->ChildArea()->viewport()->rect();
    EXPECT_EQ(frame->geometry(), area);
    EXPECT_EQ(main->WelcomeWindow()->geometry(), area);
    main->resize(main->width() + 120, main->height() + 80);
    Settle();
    const QRect grown = main->ChildArea()->viewport()->rect();
    EXPECT_NE(grown, area);
    EXPECT_EQ(frame->geometry(), grown);
    EXPECT_EQ(main->WelcomeWindow()->geometry(), grown);
}

// On a small screen (800 x 600) every window's buttons stay within the main window.
TEST_F(ShellMainTest, EveryWindowsButtonsStayReachableAt800x600) {
    databases.UseType(DBTest);
    auto main = Started();
    const QRect screen = main->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(main->geometry())) << "opens within the screen";
    main->resize(800, 600);
    for (const char* name :
         {"mnuRanking", "mnuDraft", "mnuWinnings", "mnuCurSeason", "mnuAllSeasons", "mnuWinners",
          "mnuSeasonInfo", "mnuAddManager", "mnuAddPlayer", "mnuAddPrize", "mnuAddPosition",
          "mnuDBSetup", "mnuGuide", "mnuAbout"}) {
        FindAction(*main, name)->trigger();
        Settle();
        ASSERT_NE(main->CurrentChild(), nullptr) << name;
        const QRect area = main->ChildArea()->viewport()->rect();
        for (QAbstractButton* button : main->CurrentChild()->findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(main->CurrentChild())) continue;
            const QRect at(button->mapTo(main->ChildArea()->viewport(), QPoint(0, 0)),
                           button->size());
            EXPECT_TRUE(area.contains(at)) << name << " " << button->objectName().toStdString();
        }
    }
}

// Where the main window opens: within the available area, centred the first time.
TEST(WindowPlacementTest, FitsWithinTheAvailableArea) {
    const QRect area(0, 30, 1366, 738);
    struct Case {
        QRect wanted, fitted;
    };
    for (const Case& c : {Case{{QPoint(-1, -1), QSize(1024, 720)}, {171, 39, 1024, 720}},
                          Case{{QPoint(-1, -1), QSize(1600, 900)}, {0, 30, 1366, 738}},
                          Case{{900, 500, 1024, 720}, {342, 48, 1024, 720}},
                          Case{{-300, 0, 800, 600}, {0, 30, 800, 600}},
                          Case{{100, 100, 800, 600}, {100, 100, 800, 600}}})
        EXPECT_EQ(FitWithin(c.wanted, area), c.fitted) << c.wanted.x() << "," << c.wanted.y();
}

TEST_F(ShellMainTest, ClosedChildWindowUncoversTheWelcomeWindow) {
    auto main = Started();
    FindAction(*main, "mnuGuide")->trigger();
    auto* guide = static_cast<frmReports*>(main->CurrentChild());
    QSignalSpy closed(guide, &ChildWindow::FormClosed);
    guide->cmdClose->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(guide->isVisible());
    EXPECT_FALSE(guide->parentWidget()->isVisible());
    EXPECT_TRUE(main->WelcomeWindow()->isVisible());
}

// ---- Events from child windows ------------------------------------------------------------

TEST_F(ShellMainTest, YearChangedRefreshesTheTitle) {
    databases.UseType(DBBlank);
    host::SetTodayProvider([] { return std::chrono::year{2031} / 3 / 14; });
    auto main = Started();
    UseProbes(*main, MenuCommand::SeasonInfo);
    FindAction(*main, "mnuSeasonInfo")->trigger();
    main->DataService()->let_CurrentSeasonYear(2029);
    EXPECT_EQ(Title(*main), ExpectedTitle("2031", "Blank"));
    made[0]->RaiseYearChanged();
    EXPECT_EQ(Title(*main), ExpectedTitle("2029", "Blank"));
}

TEST_F(ShellMainTest, DataChangedClosesChildrenReinitialisesAndReopensTheSetupWindow) {
    databases.UseType(DBTest);
    const int32_t year = databases.CurrentSeasonYear();
    auto main = Started();
    EXPECT_EQ(Title(*main), ExpectedTitle(std::to_string(year), "Test"));
    UseProbes(*main, MenuCommand::DBSetup);
    FindAction(*main, "mnuDBSetup")->trigger();
    const auto earlierData = main->DataService();
    // The setup window saves the blank database as the new choice, then tells the main window.
    main->SetupService()->get_SetupInfo()->let_DBTypeID(DBBlank);
    ASSERT_TRUE(main->SetupService()->Save());
    host::SetTodayProvider([] { return std::chrono::year{2031} / 3 / 14; });
    made[0]->RaiseDataChanged();
    Settle();
    EXPECT_TRUE(made[0].isNull());
    ASSERT_EQ(made.size(), 2u);
    ASSERT_FALSE(made[1].isNull());
    EXPECT_EQ(main->CurrentChild(), made[1].data());
    EXPECT_EQ(main->CommandWindow(MenuCommand::DBSetup), made[1].data());
    EXPECT_TRUE(made[1]->isVisible());
    EXPECT_FALSE(IsSameObject(earlierData, main->DataService()));
    EXPECT_EQ(main->SetupInfo()->get_DBTypeKey(), "BLANK");
    EXPECT_EQ(Title(*main), ExpectedTitle("2031", "Blank"));
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(ShellMainTest, DataChangedClosesEveryOtherChildWindow) {
    auto main = Started();
    UseProbes(*main, MenuCommand::Ranking);
    UseProbes(*main, MenuCommand::DBSetup);
    FindAction(*main, "mnuRanking")->trigger();
    QPointer<ProbeWindow> ranking = made[0];
    // Hidden by its Close button, the ranking window is still loaded under its member.
    ranking->hide();
    FindAction(*main, "mnuDBSetup")->trigger();
    made[1]->RaiseDataChanged();
    Settle();
    EXPECT_TRUE(ranking.isNull());
    EXPECT_EQ(main->CommandWindow(MenuCommand::Ranking), nullptr);
    EXPECT_EQ(main->ChildArea()->subWindowList().size(), 1);
}

TEST_F(ShellMainTest, FailedReinitialisationShutsDownWithoutReopeningTheSetupWindow) {
    auto main = Started();
    UseProbes(*main, MenuCommand::DBSetup);
    FindAction(*main, "mnuDBSetup")->trigger();
    databases.Remove("Gridora - Setup.mdb");
    made[0]->RaiseDataChanged();
    Settle();
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "Database file: " + databases.File("Gridora - Setup.mdb") + " is missing.");
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(made.size(), 1u);
    EXPECT_TRUE(made[0].isNull());
    EXPECT_TRUE(main->IsShutDown());
    EXPECT_FALSE(main->isVisible());
}

// ---- Service errors and shut-down ---------------------------------------------------------

TEST_F(ShellMainTest, DataServiceErrorsAppearAsGridoraServiceBoxes) {
    auto main = Started();
    const auto data = main->DataService();
    data->CloseDatabase();
    data->GetAllSeasons();
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].title, "Gridora Service");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::OK);
    EXPECT_EQ(user->messages[0].text.rfind("Error in loading season info.\n", 0), 0u)
        << user->messages[0].text;
}

TEST_F(ShellMainTest, AfterShutDownServiceErrorsNoLongerOpenBoxes) {
    auto main = Started();
    FindAction(*main, "mnuExit")->trigger();
    host::ReportError("Gridora Service", "late report");
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(ShellMainTest, ExitUnloadsEverythingAndReleasesTheServices) {
    auto main = Started();
    FindAction(*main, "mnuGuide")->trigger();
    QPointer<ChildWindow> guide = main->CurrentChild();
    QPointer<frmWelcome> welcome = main->WelcomeWindow();
    FindAction(*main, "mnuExit")->trigger();
    Settle();
    EXPECT_TRUE(main->IsShutDown());
    EXPECT_TRUE(guide.isNull());
    EXPECT_TRUE(welcome.isNull());
    EXPECT_FALSE(main->DataService());
    EXPECT_FALSE(main->SetupService());
    EXPECT_FALSE(main->SetupInfo());
    EXPECT_FALSE(main->isVisible());
    // The league database is free again: another session can open it.
    EXPECT_GT(databases.CurrentSeasonYear(), 0);
}

TEST_F(ShellMainTest, ClosingTheMainWindowShutsDown) {
    auto main = Started();
    main->close();
    Settle();
    EXPECT_TRUE(main->IsShutDown());
    EXPECT_FALSE(main->DataService());
}

// Unsaved work found at start-up: what no longer fits is named and left out, what fits comes
// back unsaved; work that a later save of the league has overtaken goes without a word.
TEST_F(ShellMainTest, RecoveredWorkComesBackOnlyWhereItStillFitsTheLeague) {
    databases.UseType(DBTest);
    const std::string league = databases.File("Gridora - Test.mdb");
    int32_t year = 0;
    std::vector<RecoveredPick> picks;
    {
        const auto data = InitializedSetupService()->get_DataService();
        year = LockRanking(data);
        const auto id = [&](const char* name) {
            return data->Search(TypePlayerOrTeam, name, false, false)
                ->ItemAs<IPickable>(1)
                ->get_PickID();
        };
        // Pick 2 held player 77 when the work began; the league has it empty now.
        picks = {{1, PickedPlayer, id("Heinicke"), "Taylor Heinicke", 0, 0},
                 {2, PickedPlayer, id("Allgeier"), "Tyler Allgeier", PickedPlayer, 77}};
    }
    const std::string y = std::to_string(year);  // the season the league works on
    UnsavedWork draft{year, 0, picks, {}, {}};
    UnsavedWork lastYear{year - 1, 0, picks, {}, {}};
    UnsavedWork ghost{year, 0, {}, {{0, 999, 1, 0, "Ghost Writer", "Champion"}}, {}};
    const struct {
        UnsavedWork work;
        std::string says;  // empty: overtaken by a later save of the league
    } cases[] = {
        {lastYear, " None of it fits the league any more:\r\n- It belongs to season " +
                       std::to_string(year - 1) + ", and the league works on season " + y +
                       " now."},
        {ghost,
         " None of it fits the league any more:\r\n- Winnings row Champion - Ghost "
         "Writer: Ghost Writer no longer plays in season " +
             y + "."},
        {draft, ": 2 draft picks of season " + y +
                    ". Some of it no longer fits the league and would be left out (the file as "
                    "found is kept as " +
                    league +
                    ".unsaved.set-aside):\r\n- Pick 2, Tyler "
                    "Allgeier: the league has since emptied it.\r\n\r\nBring back the rest?"},
        {lastYear, ""},
    };
    for (const auto& c : cases) {
        RecoveryFile file(league);
        std::string error;
        ASSERT_TRUE(file.Write(c.work, error)) << error;
        if (c.says.empty())
            std::filesystem::last_write_time(
                league, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
        user->messages.clear();
        user->answer(MsgAnswer::Yes);
        auto main = Started();
        ASSERT_EQ(user->messages.size(), c.says.empty() ? 0U : 1U);
        EXPECT_TRUE(c.says.empty() || user->messages[0].text.find(c.says) != std::string::npos);
        const bool broughtBack = c.says.find("Bring back") != std::string::npos;
        EXPECT_EQ(file.Exists(), broughtBack) << "written again for the work brought back";
        if (!broughtBack) continue;
        const auto drafts = main->DataService()->GetCurrentSeasonInfo()->get_Drafts();
        EXPECT_EQ(drafts->ItemAs<IDraftInfo>(1)->get_PlayerOrTeam()->get_PickName(),
                  "Taylor Heinicke");
        EXPECT_FALSE(drafts->ItemAs<IDraftInfo>(2)->get_PlayerOrTeam());
        EXPECT_TRUE(main->CommandWindow(MenuCommand::Draft)->HasUnsavedChanges());
    }
}

}  // namespace
}  // namespace gr::ui::test
