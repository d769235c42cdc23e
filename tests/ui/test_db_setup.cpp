// The database setup window and the Backup Data / Restore Data commands, in the main window on
// the real services over copies of the generated databases.
#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>
#include <QSignalSpy>
#include <filesystem>

#include "DataCommands.h"
#include "ScriptedUser.h"
#include "ServiceHost.h"
#include "ViewDriver.h"
#include "frmMain.h"
#include "frmSetup.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr const char* kFirstBackup = "Gridora - Backup - 20261208 - 01.mdb";
constexpr const char* kSecondBackup = "Gridora - Backup - 20261208 - 02.mdb";

// Also keeps what every file dialog was asked to show.
class RecordingUser : public ScriptedUser {
  public:
    struct FileRequest {
        std::string title, filter, folder;
    };
    std::vector<FileRequest> fileRequests;

    std::string openFileName(const std::string& title, const std::string& filter,
                             const std::string& folder) override {
        fileRequests.push_back({title, filter, folder});
        return ScriptedUser::openFileName(title, filter, folder);
    }
};

std::string Title(const frmMain& main) {
    return main.windowTitle().toStdString();
}

class DbSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = std::make_shared<RecordingUser>();
        SetUserInteraction(user);
        host::SetTodayProvider([] { return std::chrono::year{2026} / 12 / 8; });
    }
    void TearDown() override {
        main.reset();
        Settle();
        host::SetTodayProvider(nullptr);
    }

    void Start(DBTypeEnum type) {
        databases.UseType(type);
        year = databases.CurrentSeasonYear();
        main = std::make_unique<frmMain>();
        ASSERT_TRUE(main->StartUp());
        main->show();
        Settle();
    }

    // Opens Database Setup and waits for its page.
    frmSetup* OpenSetup() {
        FindAction(*main, "mnuDBSetup")->trigger();
        auto* window = qobject_cast<frmSetup*>(main->CurrentChild());
        EXPECT_NE(window, nullptr);
        if (window) {
            EXPECT_TRUE(WaitForDocument(*window->wbDisplay));
        }
        return window;
    }

    std::string Messages() const {
        std::string all;
        for (const auto& m : user->messages) all += "[" + m.text + "]";
        return all;
    }
    std::string LiveBytes() const {
        return gr::test::ReadBytes(databases.File("Gridora - Live.mdb"));
    }
    std::string TitleFor(int32_t seasonYear, const std::string& type) const {
        return "Gridora Management System (Season Year: " + std::to_string(seasonYear) + ") - " +
               type;
    }

    std::shared_ptr<RecordingUser> user;
    ShellDatabases databases;
    std::unique_ptr<frmMain> main;
    int32_t year = 0;
};

// ---- The window ---------------------------------------------------------------------------

TEST_F(DbSetupTest, TestDatabaseSelectsTestWithoutThePageButton) {
    Start(DBTest);
    frmSetup* window = OpenSetup();
    ASSERT_NE(window, nullptr);
    ViewDriver page(*window->wbDisplay);
    const ElementPtr list = page.element("HA");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectedIndex(), 2);
    std::vector<std::string> entries;
    for (const ElementPtr& option : list->options())
        entries.push_back(option->id() + "=" + option->value() + ":" + option->innerText());
    EXPECT_EQ(entries,
              (std::vector<std::string>{"GA-0=0:", "GA-1=1:Live", "GA-2=2:Test", "GA-3=3:Blank"}));
    EXPECT_EQ(page.element("EA")->innerHTML(), "");
    EXPECT_FALSE(window->cmdSave->isEnabled());
    // Save and Close around the centre of the bottom edge, Backup after Close.
    EXPECT_LT(window->cmdSave->geometry().right(), window->width() / 2);
    EXPECT_GT(window->cmdClose->geometry().left(), window->width() / 2);
    EXPECT_GT(window->cmdBackup->geometry().left(), window->cmdClose->geometry().right());
    EXPECT_LE(window->wbDisplay->geometry().bottom(), window->cmdSave->geometry().top());
}

TEST_F(DbSetupTest, TestThenLiveKeepsSaveEnabledAndSavingWritesLive) {
    Start(DBLive);
    QPointer<frmSetup> window = OpenSetup();
    ASSERT_NE(window, nullptr);
    ViewDriver page(*window->wbDisplay);
    ASSERT_TRUE(page.select("HA", 2));
    EXPECT_EQ(main->SetupInfo()->get_DBTypeID(), DBTest);
    ASSERT_TRUE(page.select("HA", 1));
    EXPECT_TRUE(window->cmdSave->isEnabled());
    const auto earlierData = main->DataService();
    QSignalSpy closed(window.data(), &ChildWindow::FormClosed);
    window->cmdSave->click();
    Settle();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(window.isNull());
    // The services started again on live and a fresh setup window shows it.
    EXPECT_FALSE(IsSameObject(earlierData, main->DataService()));
    EXPECT_EQ(main->SetupInfo()->get_DBTypeID(), DBLive);
    auto* fresh = qobject_cast<frmSetup*>(main->CurrentChild());
    ASSERT_NE(fresh, nullptr);
    ASSERT_TRUE(WaitForDocument(*fresh->wbDisplay));
    EXPECT_EQ(ViewDriver(*fresh->wbDisplay).element("HA")->selectedIndex(), 1);
    EXPECT_TRUE(user->messages.empty()) << Messages();
}

// The empty entry names no league file, and a choice closed unsaved must not linger in the
// setup information: the title and the next setup window would name the wrong database.
TEST_F(DbSetupTest, ChoicesThatAreNotSavedLeaveTheTypeInUse) {
    Start(DBLive);
    frmSetup* window = OpenSetup();
    ASSERT_NE(window, nullptr);
    ViewDriver page(*window->wbDisplay);
    ASSERT_TRUE(page.select("HA", 2));
    ASSERT_TRUE(page.select("HA", 0));
    EXPECT_FALSE(window->cmdSave->isEnabled());
    EXPECT_EQ(main->SetupInfo()->get_DBTypeID(), DBLive);
    EXPECT_EQ(page.element("HA")->selectedIndex(), DBLive) << "the list shows the type in use";
    ASSERT_TRUE(page.select("HA", 2));
    QSignalSpy changed(window, &ChildWindow::DataChanged);
    user->answer(MsgAnswer::No);
    window->cmdClose->click();
    ASSERT_EQ(user->messages.size(), 1U);
    EXPECT_EQ(user->messages[0].text, "Save changes to Database Setup?");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(window->isVisible());
    main->UpdateTitle();
    EXPECT_EQ(Title(*main), TitleFor(year, "Live"));

    frmSetup* again = OpenSetup();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ViewDriver(*again->wbDisplay).element("HA")->selectedIndex(), 1);
    EXPECT_NE(ViewDriver(*again->wbDisplay).element("JA"), nullptr);
    // Unloaded by the next window, the same.
    ASSERT_TRUE(ViewDriver(*again->wbDisplay).select("HA", 3));
    user->answer(MsgAnswer::No);
    FindAction(*main, "mnuAbout")->trigger();
    Settle();
    EXPECT_EQ(main->SetupInfo()->get_DBTypeID(), DBLive);
}

// ---- Backup Data and Restore Data -----------------------------------------------------------

TEST_F(DbSetupTest, BackupsCopyTheLiveFileWhicheverTypeIsInUse) {
    Start(DBTest);
    const std::string live = LiveBytes();
    FindAction(*main, "mnuDataBackup")->trigger();
    OpenSetup()->cmdBackup->click();
    ASSERT_EQ(user->messages.size(), 2u) << Messages();
    for (const auto& m : user->messages) {
        EXPECT_EQ(m.text, "Data backedup successfully.");
        EXPECT_EQ(m.title, "Gridora");
    }
    EXPECT_EQ(gr::test::ReadBytes(databases.File(kFirstBackup)), live);
    EXPECT_EQ(gr::test::ReadBytes(databases.File(kSecondBackup)), live);
}

TEST_F(DbSetupTest, FailedBackupAsksToContactTheAdministrator) {
    Start(DBTest);
    // The test file goes away while the program runs: after the copy it cannot be reopened.
    databases.Remove("Gridora - Test.mdb");
    FindAction(*main, "mnuDataBackup")->trigger();
    ASSERT_FALSE(user->messages.empty());
    EXPECT_EQ(user->messages.back().text,
              "Error in opening current database.. Please contact administrator.");
    EXPECT_EQ(user->messages.back().buttons, MsgButtons::OK);
}

TEST_F(DbSetupTest, WithoutServicesTheCommandsFailPolitely) {
    BackupData(nullptr);
    user->chooseFile(databases.File("Gridora - Test.mdb"));
    user->answer(MsgAnswer::Yes);
    EXPECT_FALSE(RestoreData(nullptr, nullptr, {}, [] { FAIL() << "nothing was restored"; }));
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_EQ(user->messages[0].text, "Backup failed. Please contact administrator.");
    EXPECT_EQ(user->messages[2].text, "Restore failed. Please contact administrator.");
}

TEST_F(DbSetupTest, CancelledDialogOrNoAtTheQuestionLeavesTheData) {
    Start(DBLive);
    const std::string live = LiveBytes();
    FindAction(*main, "mnuDataRestore")->trigger();
    ASSERT_EQ(user->fileRequests.size(), 1u);
    EXPECT_EQ(user->fileRequests[0].title, "Select Backup Database");
    EXPECT_EQ(user->fileRequests[0].filter, "Database (*.mdb) | *.mdb");
    EXPECT_EQ(user->fileRequests[0].folder, databases.Folder());
    EXPECT_TRUE(user->messages.empty()) << Messages();

    user->chooseFile(databases.File("Gridora - Test.mdb"));
    user->answer(MsgAnswer::No);
    FindAction(*main, "mnuDataRestore")->trigger();
    ASSERT_EQ(user->messages.size(), 1u) << Messages();
    EXPECT_EQ(user->messages[0].text, "Are you sure you want to override current data?");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(user->messages[0].defaultAnswer, MsgAnswer::No);
    EXPECT_EQ(LiveBytes(), live);
}

TEST_F(DbSetupTest, FilesThatAreNoLeagueAreRefusedWithTheServiceMessage) {
    Start(DBLive);
    FindAction(*main, "mnuAbout")->trigger();
    QPointer<ChildWindow> about = main->CurrentChild();
    const std::string live = LiveBytes();
    const std::string junk = databases.File("junk.mdb");
    gr::test::WriteBytes(junk, "this is no database");
    // The setup file opens with the league password but holds no seasons.
    const std::string setupCopy = databases.File("setup copy.mdb");
    std::filesystem::copy_file(databases.File("Gridora - Setup.mdb"), setupCopy);
    for (const std::string& file : {junk, setupCopy}) {
        user->chooseFile(file);
        user->answer(MsgAnswer::Yes);
        FindAction(*main, "mnuDataRestore")->trigger();
    }
    ASSERT_EQ(user->messages.size(), 4u) << Messages();
    EXPECT_NE(user->messages[1].text, "Data restored successfully.");
    EXPECT_NE(user->messages[1].text, "Restore failed.");
    EXPECT_EQ(user->messages[3].text, "Invalid backup file.");
    EXPECT_EQ(LiveBytes(), live);
    Settle();
    EXPECT_FALSE(about.isNull());
}

}  // namespace
}  // namespace gr::ui::test
