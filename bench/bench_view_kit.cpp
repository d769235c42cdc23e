// The view kit in the real browser view (run under a display, e.g. xvfb-run):
// - the event round trip: a real mouse click in the page, HandleEvent rewriting a cell, and the
//   browser's DOM showing the new cell;
// - assigning a 500-row table page to a view: parsing it into the document model and handing
//   the change to the browser view, and, for comparison, until the browser's DOM holds it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineView>
#include <memory>
#include <string>

#include "EventForwarder.h"
#include "GRStringUtils.h"
#include "GRUtils.h"
#include "HtmlView.h"
#include "RealView.h"

namespace {

using namespace gr::ui;
using namespace gr::ui::test;

// A window whose clicks on "JA-1" rewrite the cell "KA-1", as the screens' handlers do. The
// page sets its title whenever that cell changes, so the browser tells us when it shows it.
class BenchWindow : public QWidget, public IActualEventHandler {
  public:
    BenchWindow() {
        view = new HtmlView(this);
        resize(800, 600);
        view->setGeometry(0, 0, 800, 600);
        QObject::connect(view, &HtmlView::documentComplete, this,
                         [this] { forwarder.Bind(view->document(), this); });
        QObject::connect(RealBackend(*view)->view(), &QWebEngineView::titleChanged, this,
                         [this] { ++titleChanges; });
        view->navigate();
        show();
        if (!WaitUntil([&] { return view->isLoaded(); }) || !QTest::qWaitForWindowExposed(this))
            throw std::runtime_error("the browser view did not load");
    }
    void HandleEvent(const ElementPtr& source, HtmlEvent& event) override {
        std::string id;
        if (!ReadEventId(source, event, id)) return;
        ++clicks;
        view->document()->getElementById("KA-1")->setInnerHTML("<b>click " +
                                                               std::to_string(clicks) + "</b>");
    }
    // Sets the title on every change below the element with this id.
    void WatchElement(const char* id) {
        RunScript(*view, QStringLiteral("(function(){var n=0;new MutationObserver(function(){"
                                        "document.title='m'+(++n);}).observe("
                                        "document.getElementById('%1'),{childList:true,"
                                        "subtree:true,characterData:true});})()")
                             .arg(QLatin1String(id)));
    }
    bool WaitForTitleChange(int before) {
        return WaitUntil([&] { return titleChanges > before; }, 30000);
    }

    HtmlView* view = nullptr;
    EventForwarder forwarder;
    int clicks = 0;
    int titleChanges = 0;
};

std::string TablePage(int rows) {
    std::string html = "<table id='DA' width=100%>";
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        html += "<tr bgcolor='";
        html += GetRowColor(i);
        html += "'><td width=5% align=center>";
        html += n;
        html += ".</td><td id='EA-";
        html += n;
        html += "' style=\"cursor:default;\">";
        html += HtmlEscape("Player " + n + " O'Neil (NE-QB)");
        html += "</td><td id='CB-";
        html += n;
        html += "'><input type=checkbox id='IC-";
        html += n;
        html += i % 3 == 0 ? "' checked>" : "'>";
        html += "</td><td><input id='IN-";
        html += n;
        html += "' value='";
        html += n;
        html += "' size=4></td><td align=right>$1,2";
        html += n;
        html += "</td><td>";
        html += WebdingsGlyphHtml('r');
        html += "</td></tr>";
    }
    return html + "</table>";
}

BenchWindow& Window() {
    static auto* window = new BenchWindow;
    return *window;
}

void BM_EventRoundTrip(benchmark::State& state) {
    BenchWindow& w = Window();
    w.view->document()->body()->setInnerHTML(
        "<table width=100%><tr><td id='JA-1' width=50%>click me</td><td id='KA-1'>-</td></tr>"
        "</table>");
    w.forwarder.Attach(w.view->document()->getElementById("JA-1"), HtmlEventType::Click);
    if (!WaitForBrowserToMatchModel(*w.view)) state.SkipWithError("page not shown");
    w.WatchElement("KA-1");
    QPoint at;
    if (!ElementCentre(*w.view, "JA-1", at)) state.SkipWithError("no cell to click");
    QWidget* input = RealBackend(*w.view)->view()->focusProxy();
    if (!input) input = RealBackend(*w.view)->view();
    for (auto _ : state) {
        const int before = w.titleChanges;
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, at);
        if (!w.WaitForTitleChange(before)) {
            state.SkipWithError("the rewritten cell never showed");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        QTest::qWait(600);  // no double clicks
    }
}
BENCHMARK(BM_EventRoundTrip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Parse into the model and mirror to the browser view (the time the screen's code spends).
void BM_AssignTablePage500(benchmark::State& state) {
    BenchWindow& w = Window();
    const std::string page = TablePage(500);
    for (auto _ : state) {
        w.view->document()->body()->setInnerHTML(page);
        benchmark::DoNotOptimize(w.view->document()->getElementById("IN-500"));
        state.PauseTiming();
        // Let the browser apply the page before the next one, so that it does not compete.
        RunScript(*w.view, QStringLiteral("0"), 60000);
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(page.size() / 1024) + " KiB of markup");
}
BENCHMARK(BM_AssignTablePage500)->Unit(benchmark::kMillisecond);

// For comparison: until the browser's DOM holds the new page.
void BM_AssignTablePage500UntilInBrowser(benchmark::State& state) {
    BenchWindow& w = Window();
    const std::string page = TablePage(500);
    w.view->document()->body()->setInnerHTML("<div id='WR'></div>");
    if (!WaitForBrowserToMatchModel(*w.view)) state.SkipWithError("page not shown");
    w.WatchElement("WR");
    const ElementPtr holder = w.view->document()->getElementById("WR");
    for (auto _ : state) {
        const int before = w.titleChanges;
        QElapsedTimer timer;
        timer.start();
        holder->setInnerHTML(page);
        if (!w.WaitForTitleChange(before)) {
            state.SkipWithError("the page never showed");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_AssignTablePage500UntilInBrowser)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
