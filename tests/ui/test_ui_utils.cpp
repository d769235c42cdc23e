// The dialog and clock seams of the program.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "GRUIUtils.h"
#include "ScriptedUser.h"
#include "ServiceHost.h"

using namespace gr::ui;

class UiUtils : public ::testing::Test {
  protected:
    std::shared_ptr<test::ScriptedUser> user = test::ScriptedUser::Install();
};

TEST_F(UiUtils, MessageBoxesAreRecordedWithTitleButtonsAndDefault) {
    EXPECT_EQ(MsgBox("Saved."), MsgAnswer::OK);
    EXPECT_EQ(MsgBox("Sure?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(MsgBox("Save changes?", MsgButtons::YesNoCancel, "Winnings"), MsgAnswer::Cancel);
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::OK);
    EXPECT_EQ(user->messages[1].defaultAnswer, MsgAnswer::No);
    EXPECT_EQ(user->messages[2].title, "Winnings");
    EXPECT_EQ(user->messages[2].defaultAnswer, MsgAnswer::Cancel);
}

TEST_F(UiUtils, ScriptedAnswersAreGivenInOrder) {
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::No);
    EXPECT_EQ(MsgBox("1?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(MsgBox("2?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(MsgBox("3?", MsgButtons::YesNo), MsgAnswer::No);  // default again
}

TEST_F(UiUtils, ModalDialogsRunTheScriptedActionOrAreCancelled) {
    QDialog dialog;
    dialog.setWindowTitle("Pick");
    EXPECT_EQ(ShowModal(dialog), QDialog::Rejected);
    user->onModal([](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        d.accept();
    });
    EXPECT_EQ(ShowModal(dialog), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(user->modalTitles, (std::vector<std::string>{"Pick", "Pick"}));
}

TEST_F(UiUtils, FileDialogGivesTheScriptedFileOrNothing) {
    EXPECT_EQ(OpenFileDialog("Select Backup Database", "Database (*.mdb) | *.mdb", "/tmp"), "");
    user->chooseFile("/tmp/b.mdb");
    EXPECT_EQ(OpenFileDialog("Select Backup Database", "Database (*.mdb) | *.mdb", "/tmp"),
              "/tmp/b.mdb");
    EXPECT_EQ(user->fileDialogTitles.size(), 2u);
}

TEST_F(UiUtils, TodayAndTheSeedComeFromTheirSources) {
    using namespace std::chrono;
    gr::host::SetTodayProvider([] { return year_month_day{year{2030}, month{2}, day{3}}; });
    EXPECT_EQ(Today(), (year_month_day{year{2030}, month{2}, day{3}}));
    gr::host::SetTodayProvider({});
    EXPECT_NE(Today().year(), year{2030});
    SetRandomSeedSource([] { return 42u; });
    EXPECT_EQ(RandomSeed(), 42u);
    SetRandomSeedSource({});
}

TEST_F(UiUtils, SelectAllTextSelectsEverythingOnlyWhenThereIsText) {
    QLineEdit box;
    SelectAllText(&box);
    EXPECT_FALSE(box.hasSelectedText());
    box.setText("Brady");
    box.deselect();
    SelectAllText(&box);
    EXPECT_EQ(box.selectedText(), "Brady");
    SelectAllText(nullptr);  // no box: nothing happens
}
