// The view kit in the real browser view (Qt WebEngine): after rendering, rewriting ids,
// inserting and removing rows and typing, the browser's DOM and the document model agree;
// real clicks reach HandleEvent; a selection dialog is driven by real clicks. Needs a display
// (make test runs ctest under xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "EventForwarder.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "HtmlView.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "SearchAndPick.h"
#include "TestEnvironment.h"
#include "frmSelection.h"
#include "test_shell_support.h"

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;

namespace {

// A window with a real view whose clicks land in HandleEvent; a click on a "JA-n" cell
// rewrites the "KA-n" cell, as screens do.
class KitWindow : public QWidget, public IActualEventHandler {
  public:
    KitWindow() {
        view = new HtmlView(this);
        resize(640, 480);
        view->setGeometry(0, 0, 640, 480);
        QObject::connect(view, &HtmlView::documentComplete, this,
                         [this] { forwarder.Bind(view->document(), this); });
        view->navigate();
        show();
    }
    void HandleEvent(const ElementPtr& source, HtmlEvent& event) override {
        std::string id;
        if (!ReadEventId(source, event, id)) return;
        events.push_back(id);
        if (id == "CA" && cancelCheckBoxes) event.returnValue = false;
        if (GetField(id, "-", 1) == "JA") {
            const ElementPtr target = doc().getElementById("KA-" + GetField(id, "-", 2));
            if (target) target->setInnerHTML("<b>clicked " + HtmlEscape(id) + "</b>");
        }
    }
    HtmlDocument& doc() { return *view->document(); }

    HtmlView* view = nullptr;
    EventForwarder forwarder;
    std::vector<std::string> events;
    bool cancelCheckBoxes = false;
};

class KitE2e : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WaitUntil([&] { return window.view->isLoaded(); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    KitWindow window;
};

const char* const kPage =
    "<table id='DA' width=100%><tr bgcolor='CCFFFF'><td id='JA-1'>one</td><td id='KA-1'>"
    "-</td></tr><tr bgcolor='FFCCFF'><td id='JA-2'>two<td id='KA-2'>-</table>"
    "<input id='TA' value='start'><input type=checkbox id='CA' checked>"
    "<input type=radio name=g id='RA-1' checked><input type=radio name=g id='RA-2'>"
    "<select id='SA'><option value=1>a<option value=2 selected>b</select>"
    "<textarea id='XA'>note</textarea><p>a&amp;b &lt;c&gt; <span class='glyph'>x</span>";

}  // namespace

TEST_F(KitE2e, TheBrowserShowsWhatTheModelHoldsAfterRendering) {
    window.doc().body()->setInnerHTML(kPage);
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view)) << BrowserSnapshot(*window.view) << "\n"
                                                          << window.doc().snapshotJson();
    EXPECT_EQ(BrowserValue(*window.view, "SA", "selectedIndex"), "1");
}

TEST_F(KitE2e, RewrittenIdsInsertedRowsAndChangedControlsReachTheBrowser) {
    HtmlDocument& doc = window.doc();
    doc.body()->setInnerHTML(kPage);
    const ElementPtr table = doc.getElementById("DA");
    // Ids rewritten after a row is removed, as the grids renumber their rows.
    ASSERT_TRUE(table->deleteRow(0));
    doc.getElementById("JA-2")->setId("JA-1");
    doc.getElementById("KA-2")->setId("KA-1");
    const ElementPtr row = table->insertRow(-1);
    row->setAttribute("bgcolor", GetRowColor(2));
    row->insertCell(-1)->setInnerHTML("<input id='IN-2' value='" + HtmlEscape("a \"b\" <c>") +
                                      "'>");
    row->insertCell(0)->setInnerText("first <cell>");
    table->insertRow(0)->insertCell(-1)->setId("TOP");
    doc.getElementById("TA")->setValue("changed");
    doc.getElementById("CA")->setChecked(false);
    doc.getElementById("RA-2")->setChecked(true);
    doc.getElementById("SA")->setSelectedIndex(0);
    doc.getElementById("JA-1")->setStyle("backgroundColor", "#99FF99");
    doc.getElementById("XA")->setValue("other note");
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view)) << BrowserSnapshot(*window.view) << "\n"
                                                          << doc.snapshotJson();
    EXPECT_EQ(BrowserValue(*window.view, "TA", "value"), "changed");
    EXPECT_EQ(BrowserValue(*window.view, "RA-1", "checked"), "false");
    EXPECT_EQ(BrowserValue(*window.view, "XA", "value"), "other note");
    EXPECT_EQ(BrowserValue(*window.view, "JA-1", "style.backgroundColor"), "rgb(153, 255, 153)");
}

TEST_F(KitE2e, TypedTextReachesTheModel) {
    window.doc().body()->setInnerHTML(kPage);
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    const ElementPtr input = window.doc().getElementById("TA");
    input->setValue("");
    ASSERT_TRUE(RealType(*window.view, "TA", QStringLiteral("Smith & <Jones>")));
    EXPECT_TRUE(WaitUntil([&] { return input->value() == "Smith & <Jones>"; })) << input->value();
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view));
}

TEST_F(KitE2e, TextTypedWithoutLeavingIsReportedAsChangedOnlyOnceLeft) {
    window.doc().body()->setInnerHTML(kPage);
    const ElementPtr input = window.doc().getElementById("TA");
    window.forwarder.Attach(input, HtmlEventType::Change);
    input->setValue("");
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    ASSERT_TRUE(RealType(*window.view, "TA", QStringLiteral("abc")));
    ASSERT_TRUE(WaitUntil([&] { return input->value() == "abc"; })) << input->value();
    Pause(200);
    EXPECT_TRUE(window.events.empty());
    ASSERT_TRUE(RealLeave(*window.view));
    EXPECT_TRUE(WaitUntil([&] { return !window.events.empty(); }));
    Pause(200);
    EXPECT_EQ(window.events, std::vector<std::string>{"TA"});
}

TEST_F(KitE2e, AnOptionChosenWithRealKeysReachesTheModelAndItsChangeHandler) {
    window.doc().body()->setInnerHTML(kPage);
    const ElementPtr list = window.doc().getElementById("SA");
    window.forwarder.Attach(list, HtmlEventType::Change);
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    ASSERT_TRUE(RealChooseOption(*window.view, "SA", 0));
    EXPECT_TRUE(WaitUntil([&] { return list->selectedIndex() == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return !window.events.empty(); }));
    ASSERT_TRUE(RealChooseOption(*window.view, "SA", 1));
    EXPECT_TRUE(WaitUntil([&] { return list->selectedIndex() == 1; }));
    EXPECT_EQ(window.events.back(), "SA");
    EXPECT_FALSE(RealChooseOption(*window.view, "SA", 2));  // no such option
    EXPECT_FALSE(RealChooseOption(*window.view, "TA", 0));  // not a list
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view));
}

TEST_F(KitE2e, ARealClickRunsHandleEventAndTheRewrittenCellShowsInTheBrowser) {
    window.doc().body()->setInnerHTML(kPage);
    window.forwarder.Attach(window.doc().getElementById("JA-2"), HtmlEventType::Click);
    window.forwarder.Attach(window.doc().getElementById("CA"), HtmlEventType::Click);
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    ASSERT_TRUE(RealClick(*window.view, "JA-2"));
    ASSERT_TRUE(WaitUntil([&] { return !window.events.empty(); }));
    EXPECT_EQ(window.events, std::vector<std::string>{"JA-2"});
    EXPECT_EQ(window.doc().getElementById("KA-2")->innerText(), "clicked JA-2");
    EXPECT_TRUE(WaitUntil(
        [&] { return BrowserValue(*window.view, "KA-2", "textContent") == "clicked JA-2"; }));

    // A real click on a check box: the model takes the browser's new state.
    ASSERT_TRUE(RealClick(*window.view, "CA"));
    EXPECT_TRUE(WaitUntil([&] { return !window.doc().getElementById("CA")->checked(); }));
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view));
}

TEST_F(KitE2e, HostileNamesStayTextAndTheContextMenuNeverOpens) {
    const std::string hostile = "<img src=x onerror=\"window.__pwned=1\">";
    window.doc().body()->setInnerHTML("<p id='NA'>" + HtmlEscape(hostile) + "</p><img id='IM' " +
                                      "src=x onerror='window.__pwned=2'>");
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    QTest::qWait(200);  // time for a broken image to report its error
    EXPECT_EQ(RunScript(*window.view, QStringLiteral("String(window.__pwned)")).toString(),
              QStringLiteral("undefined"));
    EXPECT_EQ(BrowserValue(*window.view, "NA", "textContent"), hostile);

    ASSERT_TRUE(RealRightClick(*window.view, "NA"));
    QTest::qWait(200);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(
        RunScript(*window.view, QStringLiteral("(function(){var e=new MouseEvent('contextmenu',"
                                               "{bubbles:true,cancelable:true});"
                                               "document.getElementById('NA').dispatchEvent(e);"
                                               "return e.defaultPrevented;})()"))
            .toBool(),
        true);
}

// A file dropped as a file manager drops it (enter, move, drop on the widget that takes the
// view's input) on a page that would take it: the page never gets it.
void DropFile(HtmlView& view) {
    RunScript(view, QStringLiteral("document.ondragover = function (e) { e.preventDefault(); };"
                                   "document.ondrop = function (e) { window.__dropped = 1; };"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QCoreApplication::applicationFilePath())});
    QWidget* target = RealBackend(view)->view()->focusProxy();
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop}) {
        QApplication::sendEvent(target, event);
        Pause(100);  // the page answers each step in turn
    }
    EXPECT_FALSE(RunScript(view, QStringLiteral("window.__dropped")).isValid());
}

// The channel object's calls other than the kit's, then the kit's with kinds it does not know;
// and script that the page did not bring (an inline script, a handler attribute).
const char* const kFakeEvents = R"JS(
  var k = parseInt(document.getElementById('JA-1').getAttribute('data-k'), 10);
  new QWebChannel(qt.webChannelTransport, function (channel) {
    var kit = channel.objects.kit, calls = Object.keys(kit).filter(function (n) { return /\)$/.test(n); });
    window.__calls = calls.sort().join(' ');
    calls.forEach(function (n) { try { if (!/^event\(/.test(n)) kit[n]('click', k, '', false, -1); } catch (e) {} });
    kit.objectName = 'click'; kit.event('ready', 0, '', false, -1); kit.event('clicked', k, '', false, -1);
  });
  var s = document.createElement('script'); s.textContent = 'window.__ran = 1'; document.body.appendChild(s).remove();
  var b = document.createElement('button'); b.setAttribute('onclick', 'window.__ran = 2'); b.click();
)JS";

// Each way a page could leave the kit's page or speak for the user leaves the page, its model
// and its channel as they were: nothing reaches a handler, and a real click still does.
TEST_F(KitE2e, APageCanNeitherLeaveNorOpenWindowsNorFakeEvents) {
    HtmlView& view = *window.view;
    const QString away = QStringLiteral("http://127.0.0.1:9/");  // the browser would go there
    window.doc().body()->setInnerHTML(std::string(kPage) + "<a id='LA' href='" +
                                      away.toStdString() + "'>a</a><form method='post' action='" +
                                      away.toStdString() + "'></form>");
    window.forwarder.Attach(window.doc().getElementById("JA-1"), HtmlEventType::Click);
    ASSERT_TRUE(WaitForBrowserToMatchModel(view));
    const QString address = RunScript(view, QStringLiteral("location.href")).toString();
    const qsizetype windows = QApplication::topLevelWidgets().size();
    const std::vector<std::pair<const char*, std::function<void()>>> attempts = {
        {"a link", [&] { RealClick(view, "LA"); }},
        {"a script", [&] { RunScript(view, "location = '" + away + "'"); }},
        {"a form post", [&] { RunScript(view, QStringLiteral("document.forms[0].submit()")); }},
        {"window.open", [&] { RunScript(view, "open('" + away + "')"); }},
        {"a dropped file", [&] { DropFile(view); }},
        {"fake events", [&] { RunScript(view, QString::fromUtf8(kFakeEvents)); }},
    };
    for (const auto& [attempt, run] : attempts) {
        run();
        Pause(500);
        EXPECT_EQ(RunScript(view, QStringLiteral("location.href")).toString(), address) << attempt;
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windows) << attempt;
        EXPECT_TRUE(window.events.empty()) << attempt;
        EXPECT_TRUE(WaitForBrowserToMatchModel(view)) << attempt;
        ASSERT_TRUE(RealClick(view, "JA-1")) << attempt;
        EXPECT_TRUE(WaitUntil([&] { return window.events == std::vector<std::string>{"JA-1"}; }))
            << attempt;
        window.events.clear();
    }
    EXPECT_EQ(RunScript(view, QStringLiteral("window.__calls")).toString().toStdString(),
              "deleteLater() destroyed() destroyed(QObject*) event(QString,int,QString,bool,int)");
    EXPECT_FALSE(RunScript(view, QStringLiteral("window.__ran")).isValid());
}

TEST_F(KitE2e, WebdingsGlyphsAreShownAsTheirSymbols) {
    std::string html;
    for (const char c : std::string("rNl6543")) html += WebdingsGlyphHtml(c);
    window.doc().body()->setInnerHTML("<p id='GL'>" + html + "</p>");
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    EXPECT_EQ(BrowserValue(*window.view, "GL", "textContent"),
              "\u2716\U0001F50D\u271A\u25BC\u25B2\u25B6\u25C0");
}

// The dialog as SearchAndPick opens it on the real data service over a copy of the test league,
// with a player drafted in the current season.
TEST(KitE2eSelection, ASelectionDialogIsDrivenByRealClicks) {
    auto user = ScriptedUser::Install();
    ShellDatabases databases;
    databases.UseType(DBTest);
    const auto setup = InitializedSetupService();
    ASSERT_TRUE(setup);
    const ComPtr<IDataService> data = setup->get_DataService();
    const ComPtr<ISeasonInfo> season = data->GetCurrentSeasonInfo();
    ASSERT_TRUE(season);
    const ComPtr<Collection> found = data->Search(TypePlayerOrTeam, "Jake", true, true);
    ASSERT_GE(found->Count(), 3);
    const auto a = found->ItemAs<IPickable>(1);
    const auto b = found->ItemAs<IPickable>(2);
    const auto c = found->ItemAs<IPickable>(3);
    season->UpdateDraft(a, 1, season->get_Managers()->ItemAs<IManagerInfo>(1));
    ASSERT_TRUE(season->IsPickableTaken(a));

    bool sawDialog = false;
    user->onModal([&](QDialog& dialog) {
        auto& dlg = dynamic_cast<frmSelection&>(dialog);
        HtmlView& view = *dlg.wbReport();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        ASSERT_TRUE(WaitUntil([&] { return view.document() && dlg.PickedItem(); }));
        ASSERT_TRUE(WaitForBrowserToMatchModel(view));
        sawDialog = true;
        // The drafted row cannot be chosen, by its radio button or its text.
        EXPECT_EQ(BrowserValue(view, "IA-1", "disabled"), "true");
        ASSERT_TRUE(RealClick(view, "EA-1"));
        Pause(150);
        EXPECT_EQ(dlg.PickedItem(), b);
        // A click on the text of row 3 checks its radio button in the browser as well.
        ASSERT_TRUE(RealClick(view, "EA-3"));
        ASSERT_TRUE(WaitUntil([&] { return dlg.PickedItem() == c; }));
        EXPECT_TRUE(WaitUntil([&] { return BrowserValue(view, "IA-3", "checked") == "true"; }));
        EXPECT_EQ(BrowserValue(view, "IA-2", "checked"), "false");
        EXPECT_TRUE(WaitForBrowserToMatchModel(view));
        // And a click on the radio button of row 2.
        ASSERT_TRUE(RealClick(view, "IA-2"));
        ASSERT_TRUE(WaitUntil([&] { return dlg.PickedItem() == b; }));
        ASSERT_TRUE(RealClick(view, "EA-3"));
        ASSERT_TRUE(WaitUntil([&] { return dlg.PickedItem() == c; }));
        SaveScreenshot(dlg, QStringLiteral("selection.png"));
        QTest::mouseClick(dlg.cmdAccept(), Qt::LeftButton);
    });
    ComPtr<IPickable> picked;
    EXPECT_TRUE(SearchAndPick(TypePlayerOrTeam, "Jake", data, season, true, picked, true));
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(picked, c);
    SetUserInteraction(nullptr);
}

TEST_F(KitE2e, ACancelledRealClickLeavesTheCheckBoxAsItWasInModelAndBrowser) {
    window.doc().body()->setInnerHTML(kPage);
    window.forwarder.Attach(window.doc().getElementById("CA"), HtmlEventType::Click);
    window.forwarder.Attach(window.doc().getElementById("CA"), HtmlEventType::Change);
    window.cancelCheckBoxes = true;
    ASSERT_TRUE(WaitForBrowserToMatchModel(*window.view));
    ASSERT_TRUE(RealClick(*window.view, "CA"));
    ASSERT_TRUE(WaitUntil([&] { return !window.events.empty(); }));
    QTest::qWait(200);                                         // any late reports of the browser
    EXPECT_EQ(window.events, std::vector<std::string>{"CA"});  // the click, no change
    EXPECT_TRUE(window.doc().getElementById("CA")->checked());
    EXPECT_TRUE(WaitUntil([&] { return BrowserValue(*window.view, "CA", "checked") == "true"; }));
    EXPECT_TRUE(WaitForBrowserToMatchModel(*window.view));
}
