// The winnings window and the money reports in the real browser view, opened from the main
// window on a copy of the test league: a week of winnings with a shared prize is typed and
// chosen with real input events and saved, and the current season's balances are read back
// from the browser's page. Screenshots of the window and the three reports go to
// <build>/screenshots. Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QWebEngineView>

#include "GRNumbers.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"
#include "frmMain.h"
#include "frmReports.h"
#include "frmWinnings.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr int kBrowserTimeoutMs = 30000;

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

QWidget* BrowserInput(HtmlView& view) {
    QWebEngineView* web = RealBackend(view)->view();
    return web->focusProxy() ? web->focusProxy() : web;
}

// Types into the entry and leaves it with Tab, as a user moving on does.
bool TypeAndLeave(HtmlView& view, const std::string& id, const QString& text) {
    if (!RealType(view, id, text)) return false;
    QTest::keyClick(BrowserInput(view), Qt::Key_Tab);
    return true;
}

// Chooses a week in the closed list with the keyboard: clicked (its list opens), closed with
// Escape, then the week's number typed.
bool ChooseWeek(HtmlView& view, const std::string& id, int week) {
    if (!RealClick(view, id)) return false;
    QTest::qWait(200);
    QTest::keyClick(BrowserInput(view), Qt::Key_Escape);
    QTest::keyClicks(BrowserInput(view), QString::number(week));
    return true;
}

std::string ModelText(HtmlView& view, const std::string& id) {
    const ElementPtr e = view.document() ? view.document()->getElementById(id) : nullptr;
    return e ? e->innerText() : std::string();
}

class WinningsEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
    }

    // Opens a report from the menu and waits until the browser shows its page.
    frmReports* OpenReport(frmMain& main, const char* action) {
        FindAction(main, action)->trigger();
        auto* report = qobject_cast<frmReports*>(main.CurrentChild());
        EXPECT_NE(report, nullptr) << action;
        if (!report) return nullptr;
        EXPECT_TRUE(WaitUntil([&] { return report->wbDisplay->isLoaded(); }, kBrowserTimeoutMs));
        EXPECT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));
        return report;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
};

TEST_F(WinningsEndToEndTest, AWeekOfWinningsSavedShowsInTheCurrentSeasonBalances) {
    frmMain main;
    ASSERT_TRUE(main.StartUp());
    main.resize(1100, 760);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const int32_t stored = main.DataService()->GetCurrentSeasonInfo()->get_Winnings()->Count();

    FindAction(main, "mnuWinnings")->trigger();
    auto* window = qobject_cast<frmWinnings*>(main.CurrentChild());
    ASSERT_NE(window, nullptr);
    HtmlView& view = *window->wbWinnings;
    ASSERT_TRUE(WaitUntil([&] { return view.isLoaded(); }, kBrowserTimeoutMs));
    ASSERT_TRUE(WaitForBrowserToMatchModel(view, kBrowserTimeoutMs));

    // Week 2: Maria and Kevin share the weekly high score; Lily takes third place.
    const auto season = main.DataService()->GetCurrentSeasonInfo();
    const int32_t weekly = season->get_Prizes()->ItemAs<IPrizeInfo>("K5")->get_Amount();
    const int32_t third = season->get_Prizes()->ItemAs<IPrizeInfo>("K3")->get_Amount();
    struct Entry {
        QString manager;
        QString prize;
        int week;
        std::string name;
    };
    const Entry entries[] = {{"Maria", "Weekly", 2, "Maria Alvarez"},
                             {"Kevin", "Weekly", 2, "Kevin Brennan"},
                             {"Lily", "Third", 0, "Lily Chen"}};
    std::vector<std::string> keys;
    for (const Entry& entry : entries) {
        const std::string key = window->NewRowKey();
        keys.push_back(key);
        ASSERT_TRUE(TypeAndLeave(view, "AA-" + key, entry.manager));
        ASSERT_TRUE(WaitUntil([&] { return ModelText(view, "EB-" + key) == entry.name; }))
            << entry.name;
        ASSERT_TRUE(WaitForBrowserToMatchModel(view, kBrowserTimeoutMs));
        ASSERT_TRUE(TypeAndLeave(view, "AB-" + key, entry.prize));
        ASSERT_TRUE(WaitUntil([&] { return !ModelText(view, "EC-" + key).empty(); }));
        if (entry.week > 0) {
            ASSERT_TRUE(
                WaitUntil([&] { return view.document()->getElementById("HA-" + key) != nullptr; }));
            ASSERT_TRUE(WaitForBrowserToMatchModel(view, kBrowserTimeoutMs));
            ASSERT_TRUE(ChooseWeek(view, "HA-" + key, entry.week));
            ASSERT_TRUE(WaitUntil([&] { return ModelText(view, "ED-" + key) == "2"; }));
        }
        ASSERT_TRUE(WaitUntil([&] { return window->NewRowKey() != key; }));
        ASSERT_TRUE(WaitForBrowserToMatchModel(view, kBrowserTimeoutMs));
    }
    const std::string half = core::ShortestDecimal(core::RoundHalfEven(weekly / 2.0, 2));
    EXPECT_EQ(ModelText(view, "EC-" + keys[0]), half);
    EXPECT_EQ(ModelText(view, "EC-" + keys[1]), half);
    EXPECT_EQ(ModelText(view, "EC-" + keys[2]), std::to_string(third));
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('EC-%1').innerText")
                                  .arg(QString::fromStdString(keys[1])))
                  .toString()
                  .toStdString(),
              half);
    SaveScreenshot(main, QStringLiteral("winnings.png"));
    ASSERT_TRUE(window->cmdSave->isEnabled());
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    EXPECT_FALSE(window->cmdSave->isEnabled());
    EXPECT_TRUE(user->messages.empty());

    // The balances as the browser shows them: winnings less the fee when it is not paid.
    frmReports* report = OpenReport(main, "mnuCurSeason");
    ASSERT_NE(report, nullptr);
    const double fee = season->get_MoneyContribution();
    std::map<std::string, double> won = {{"Maria Alvarez", core::RoundHalfEven(weekly / 2.0, 2)},
                                         {"Kevin Brennan", core::RoundHalfEven(weekly / 2.0, 2)},
                                         {"Lily Chen", third}};
    std::map<std::string, std::string> expected;
    for (const auto& manager : season->get_Managers()->ItemsAs<IManagerInfo>()) {
        const std::string name = manager->get_FirstName() + " " + manager->get_LastName();
        const double balance = won[name] - (manager->get_IsFeePaid() ? 0 : fee);
        const char* colour = balance == 0 ? "black" : balance > 0 ? "green" : "red";
        expected[name] = core::FormatMoney(balance) + " " + colour;
    }
    const QVariantList shown =
        RunScript(*report->wbDisplay,
                  QStringLiteral("Array.from(document.querySelectorAll('tr')).slice(1, -1).map("
                                 "function(r){var f=r.cells[4].querySelector('font');"
                                 "return r.cells[1].innerText+'|'+f.innerText+' '+"
                                 "f.getAttribute('color');})"))
            .toList();
    std::map<std::string, std::string> balances;
    for (const QVariant& row : shown) {
        const QStringList parts = row.toString().split(QLatin1Char('|'));
        ASSERT_EQ(parts.size(), 2);
        balances[parts[0].toStdString()] = parts[1].toStdString();
    }
    EXPECT_EQ(balances, expected);
    const double total = 2 * core::RoundHalfEven(weekly / 2.0, 2) + third;
    EXPECT_EQ(RunScript(*report->wbDisplay, QStringLiteral("var r=document.querySelectorAll('tr');"
                                                           "r[r.length-1].cells[3].innerText"))
                  .toString()
                  .toStdString(),
              core::FormatMoney(total));
    SaveScreenshot(main, QStringLiteral("report-current-season.png"));

    report = OpenReport(main, "mnuAllSeasons");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(RunScript(*report->wbDisplay,
                        QStringLiteral("document.querySelectorAll(\"tr[bgcolor='6666FF']\")"
                                       ".length"))
                  .toInt(),
              2);
    SaveScreenshot(main, QStringLiteral("report-all-seasons.png"));

    report = OpenReport(main, "mnuWinners");
    ASSERT_NE(report, nullptr);
    // The three locked seasons of the test league; the current one is open.
    EXPECT_EQ(
        RunScript(*report->wbDisplay, QStringLiteral("document.querySelectorAll('tr').length"))
            .toInt(),
        4);
    SaveScreenshot(main, QStringLiteral("report-past-winners.png"));

    // A fourth winning begun and dropped by No at Exit.
    FindAction(main, "mnuWinnings")->trigger();
    window = qobject_cast<frmWinnings*>(main.CurrentChild());
    ASSERT_TRUE(WaitUntil([&] { return window->wbWinnings->isLoaded(); }, kBrowserTimeoutMs));
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window->wbWinnings, kBrowserTimeoutMs));
    ASSERT_TRUE(TypeAndLeave(*window->wbWinnings, "AA-" + window->NewRowKey(), "Lily"));
    ASSERT_TRUE(WaitUntil([&] { return window->cmdSave->isEnabled(); }));
    user->answer(MsgAnswer::No);
    FindAction(main, "mnuExit")->trigger();
    EXPECT_TRUE(main.IsShutDown());
    EXPECT_EQ(user->messages.back().text, "Save changes to Winnings?");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto league = InitializedSetupService()->get_DataService()->GetCurrentSeasonInfo();
    EXPECT_EQ(league->get_Winnings()->Count(), stored + 3);
}

}  // namespace
}  // namespace gr::ui::test
