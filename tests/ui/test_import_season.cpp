// Admin Tools > Import Season... in the main window on the real services: the preview tells what
// a sheet adds or why it is refused with the line, its options plan again at once, and Import
// stores the season and closes the windows that held the old one.
#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>

#include "RealView.h"
#include "ScriptedUser.h"
#include "SeasonSheet.h"
#include "ServiceHost.h"
#include "ViewDriver.h"
#include "frmImportSeason.h"
#include "frmMain.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

std::string Preview(const frmImportSeason& dialog) {
    return dialog.txtPreview->toPlainText().toStdString();
}

int32_t PicksOf(IDataService& data, int32_t year) {
    for (const auto& season : data.GetAllSeasons()->ItemsAs<ISeasonInfo>()) {
        if (season->get_Year() != year) continue;
        int32_t picks = 0;
        for (const auto& pick : season->get_Drafts()->ItemsAs<IDraftInfo>())
            picks += pick->get_PlayerOrTeam() ? 1 : 0;
        return picks;
    }
    return -1;
}

TEST(ImportSeasonTest, PreviewRefusesNewNamesUntilAddedThenImportsOnce) {
    const auto user = ScriptedUser::Install();
    host::SetTodayProvider([] { return std::chrono::year{2026} / 12 / 8; });
    ShellDatabases databases;
    databases.UseType(DBTest);
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.show();
    Settle();

    // The demo's first season as a sheet for 2031, with one manager the catalogue lacks.
    LeagueRows league;
    std::string error;
    const auto records = main.DataService().As<ILeagueRecords>();
    ASSERT_TRUE(records && records->ReadLeague(league, error)) << error;
    const int32_t source = league.seasons.front().year;
    std::string sheet = history::SeasonSheetCsv(league, source);
    sheet.replace(0, sheet.find('\r'), "Season,2031");
    const size_t managers = sheet.find("Fee paid\r\n") + 10;
    sheet.insert(managers, ",Zoe,Newcomer,no\r\n");
    const int newcomerLine =
        1 + static_cast<int>(std::count(
                sheet.begin(), sheet.begin() + static_cast<std::ptrdiff_t>(managers), '\n'));
    const std::string path = databases.File("season 2031.csv");
    gr::test::WriteBytes(path, sheet);

    FindAction(main, "mnuAbout")->trigger();
    QPointer<ChildWindow> about = main.CurrentChild();
    ASSERT_FALSE(about.isNull());
    user->chooseFile(path);
    user->onModal([&](QDialog& shown) {
        auto& dialog = dynamic_cast<frmImportSeason&>(shown);
        EXPECT_FALSE(dialog.cmdImport->isEnabled());
        EXPECT_NE(Preview(dialog).find("Line " + std::to_string(newcomerLine) +
                                       ": manager 'Zoe Newcomer' is not in the catalogue"),
                  std::string::npos)
            << Preview(dialog);
        dialog.chkAddMissing->click();
        ASSERT_TRUE(dialog.cmdImport->isEnabled()) << Preview(dialog);
        EXPECT_NE(Preview(dialog).find("Season 2031: "), std::string::npos);
        EXPECT_NE(Preview(dialog).find("New managers (1): Zoe Newcomer"), std::string::npos);
        SaveScreenshot(dialog, "import-season-preview.png");
        dialog.cmdImport->click();
    });
    FindAction(main, "mnuImportSeason")->trigger();
    Settle();
    ASSERT_FALSE(user->messages.empty());
    EXPECT_EQ(user->messages.back().text, "Season 2031 imported.");
    EXPECT_TRUE(about.isNull()) << "the windows holding the old seasons are closed";
    EXPECT_EQ(PicksOf(*main.DataService(), 2031), PicksOf(*main.DataService(), source));

    // The same sheet again: the year is taken, and Cancel leaves the league as it is.
    const size_t shown = user->messages.size();
    user->chooseFile(path);
    user->onModal([&](QDialog& again) {
        auto& dialog = dynamic_cast<frmImportSeason&>(again);
        EXPECT_NE(Preview(dialog).find("Line 1: season 2031 is already in the league"),
                  std::string::npos)
            << Preview(dialog);
        EXPECT_FALSE(dialog.cmdImport->isEnabled());
        dialog.chkReplace->click();
        EXPECT_TRUE(dialog.cmdImport->isEnabled());
        EXPECT_NE(Preview(dialog).find("replacing the season in the league"), std::string::npos);
        dialog.cmdCancel->click();
    });
    FindAction(main, "mnuImportSeason")->trigger();
    EXPECT_EQ(user->messages.size(), shown);
    host::SetTodayProvider(nullptr);
}

}  // namespace
}  // namespace gr::ui::test
