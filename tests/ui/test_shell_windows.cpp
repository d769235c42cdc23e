// The welcome, about and settings windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>

#include "ScriptedUser.h"
#include "ViewDriver.h"
#include "frmAbout.h"
#include "frmSettings.h"
#include "frmWelcome.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

void ExpectCentred(const QLabel* label, int width) {
    const int centre = label->geometry().center().x();
    EXPECT_NEAR(centre, width / 2.0, 2) << label->objectName().toStdString();
}

TEST(ShellWelcomeTest, FiveBoldLabelsInTwoSizes) {
    frmWelcome welcome;
    const std::vector<std::tuple<QLabel*, const char*, const char*, double>> labels = {
        {welcome.lblWel1, "lblWel1", "Welcome", 24.0},
        {welcome.lblWel2, "lblWel2", "to", 13.5},
        {welcome.lblWel3, "lblWel3", "Gridora", 24.0},
        {welcome.lblWel4, "lblWel4", "Management System", 24.0},
        {welcome.lblWel5, "lblWel5", "v2.0", 13.5},
    };
    for (const auto& [label, name, text, points] : labels) {
        EXPECT_EQ(label->objectName().toStdString(), name);
        EXPECT_EQ(label->text().toStdString(), text);
        EXPECT_TRUE(label->font().bold()) << name;
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), points) << name;
        EXPECT_EQ(label->font().family().toStdString(), "MS Sans Serif") << name;
    }
}

TEST(ShellWelcomeTest, LabelsStayCentredOnEveryResize) {
    frmWelcome welcome;
    welcome.show();
    for (int width : {640, 1100, 420}) {
        welcome.resize(width, 480);
        Settle();
        for (QLabel* label :
             {welcome.lblWel1, welcome.lblWel2, welcome.lblWel3, welcome.lblWel4, welcome.lblWel5})
            ExpectCentred(label, welcome.width());
    }
}

TEST(ShellAboutTest, NamesWhomToContact) {
    frmAbout about;
    EXPECT_EQ(about.lblWel1->text().toStdString(), "For any questions/comments contact:");
    // The contact line only: no mail address that nobody reads.
    EXPECT_EQ(about.lblWel2->text().toStdString() + " " + about.lblWel3->text().toStdString(),
              "the Gridora maintainers, through the project's issue tracker");
    for (QLabel* label : {about.lblWel1, about.lblWel2, about.lblWel3})
        EXPECT_FALSE(label->text().contains('@')) << label->text().toStdString();
    about.show();
    about.resize(700, 300);
    Settle();
    for (QLabel* label : {about.lblWel1, about.lblWel2, about.lblWel3})
        ExpectCentred(label, about.width());
}

// The settings window on the real data service over the demo league.
class ShellSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        setup = InitializedSetupService();
        ASSERT_TRUE(setup);
        data = setup->get_DataService();
    }

    // The seasons' ids by year, as the data service has them.
    std::map<int32_t, int32_t> SeasonIdsByYear() const {
        std::map<int32_t, int32_t> ids;
        for (const auto& season : data->GetAllSeasons()->ItemsAs<ISeasonInfo>())
            ids[season->get_Year()] = season->get_ID();
        return ids;
    }

    static void LeaveList(frmSettings& window) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(window.cboSeason, &out);
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> data;
};

TEST_F(ShellSettingsTest, ListsTheSeasonsOldestFirstAndSelectsTheCurrentOne) {
    const auto ids = SeasonIdsByYear();
    ASSERT_GE(ids.size(), 2u);
    frmSettings window;
    EXPECT_TRUE(window.Initialize(data));
    ASSERT_EQ(window.cboSeason->count(), static_cast<int>(ids.size()));
    int position = 0;
    for (const auto& [year, id] : ids)
        EXPECT_EQ(window.cboSeason->itemText(position++).toInt(), year);
    const int32_t currentYear = data->GetCurrentSeasonInfo()->get_Year();
    EXPECT_EQ(window.cboSeason->currentText().toInt(), currentYear);
    EXPECT_EQ(window.lblSeason->text().toStdString(), "Current season:");
    EXPECT_EQ(window.cmdSave->text().toStdString(), "&Save");
    EXPECT_EQ(window.cmdClose->text().toStdString(), "&Close");
}

TEST_F(ShellSettingsTest, ChoosingASeasonAndLeavingTheListSetsItAndSaveStoresIt) {
    const auto ids = SeasonIdsByYear();
    const auto [oldestYear, oldestId] = *ids.begin();
    {
        frmSettings window;
        window.Initialize(data);
        window.cboSeason->setCurrentIndex(0);
        EXPECT_NE(data->GetSettings()->get_CurrentSeason(), oldestId);
        LeaveList(window);
        EXPECT_EQ(data->GetSettings()->get_CurrentSeason(), oldestId);
        window.cmdSave->click();
    }
    EXPECT_TRUE(user->messages.empty());
    // A new session reads the stored choice once this one has let the files go.
    data = nullptr;
    setup = nullptr;
    setup = InitializedSetupService();
    ASSERT_TRUE(setup && setup->get_DataService());
    EXPECT_EQ(setup->get_DataService()->GetSettings()->get_CurrentSeason(), oldestId);
    const auto current = setup->get_DataService()->GetCurrentSeasonInfo();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->get_Year(), oldestYear);
}

TEST_F(ShellSettingsTest, LeavingTheListUnchangedChangesNothing) {
    const int32_t before = data->GetSettings()->get_CurrentSeason();
    frmSettings window;
    window.Initialize(data);
    LeaveList(window);
    EXPECT_EQ(data->GetSettings()->get_CurrentSeason(), before);
}

TEST_F(ShellSettingsTest, NoCurrentSeasonSelectsTheNewest) {
    data->GetSettings()->let_CurrentSeason(0);
    frmSettings window;
    window.Initialize(data);
    EXPECT_EQ(window.cboSeason->currentIndex(), window.cboSeason->count() - 1);
    EXPECT_EQ(window.cboSeason->currentText().toInt(), SeasonIdsByYear().rbegin()->first);
}

TEST_F(ShellSettingsTest, UnknownSeasonSelectsNothingAndLeavingTheListKeepsIt) {
    data->GetSettings()->let_CurrentSeason(987654);
    frmSettings window;
    window.Initialize(data);
    EXPECT_EQ(window.cboSeason->currentIndex(), -1);
    LeaveList(window);
    EXPECT_EQ(data->GetSettings()->get_CurrentSeason(), 987654);
}

TEST_F(ShellSettingsTest, WithoutADataServiceTheListIsEmptyAndNothingFails) {
    frmSettings window;
    EXPECT_TRUE(window.Initialize(nullptr));
    EXPECT_EQ(window.cboSeason->count(), 0);
    LeaveList(window);
    window.cmdSave->click();
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(ShellSettingsTest, CloseHidesTheWindowAndRaisesFormClosed) {
    frmSettings window;
    window.Initialize(data);
    window.show();
    QSignalSpy closed(&window, &ChildWindow::FormClosed);
    window.cmdClose->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace gr::ui::test
