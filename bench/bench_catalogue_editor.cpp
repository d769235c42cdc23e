// The player editor in the real browser view (run under a display, e.g. xvfb-run):
//
//   BM_OpenPlayerEditor  from the Setup > Player menu command until the browser has painted
//                        the editor's page with its position and team lists (the DOM holds
//                        both lists, then two animation frames have passed); target at most
//                        150 ms. Polling the DOM costs one script round trip at most.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineView>

#include "RealView.h"
#include "ServiceHost.h"
#include "TempFolder.h"
#include "frmAddNewMDI.h"
#include "frmMain.h"

namespace {

using namespace gr::ui;
using namespace gr::ui::test;

bool g_hasDisplay = false;

constexpr const char* kListEntries =
    "(function(){var a=document.getElementById('HA'),b=document.getElementById('HB');"
    "return a&&b?a.options.length+b.options.length:0;})()";
constexpr const char* kAfterNextPaint =
    "requestAnimationFrame(function(){requestAnimationFrame(function(){"
    "document.title='painted';});});";

// Fresh copies of the generated databases, the live league in use.
struct Databases {
    Databases() {
        for (const char* name : {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Blank.mdb",
                                 "Gridora - Setup.mdb"})
            dir.CopyGenerated(name);
        gr::host::SetDatabaseFolderOverride(dir.Path().string());
    }
    ~Databases() { gr::host::SetDatabaseFolderOverride(""); }
    gr::test::TempFolder dir;
};

// Opens the player editor and waits until the browser has painted its lists; false when it
// never did.
bool OpenAndWaitForPaint(frmMain& main, QAction& command, int expectedEntries) {
    command.trigger();
    auto* editor = qobject_cast<frmAddNewMDI*>(main.CurrentChild());
    if (!editor) return false;
    HtmlView& view = *editor->ctlAddNewMDI->wbReport;
    bool painted = false;
    QObject::connect(RealBackend(view)->view(), &QWebEngineView::titleChanged,
                     [&painted](const QString& title) { painted = title == "painted"; });
    if (!WaitUntil([&] { return view.isLoaded(); }, 30000)) return false;
    if (!WaitUntil(
            [&] {
                return RunScript(view, QString::fromLatin1(kListEntries)).toInt() ==
                       expectedEntries;
            },
            30000))
        return false;
    RealBackend(view)->runScript(QString::fromLatin1(kAfterNextPaint), {});
    return WaitUntil([&] { return painted; }, 30000);
}

void BM_OpenPlayerEditor(benchmark::State& state) {
    if (!g_hasDisplay) {
        state.SkipWithError("needs a display: run under xvfb-run -a");
        return;
    }
    Databases databases;
    frmMain main;
    if (!main.StartUp()) {
        state.SkipWithError("start-up failed");
        return;
    }
    main.resize(1000, 650);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) {
        state.SkipWithError("the main window was not shown");
        return;
    }
    QAction* command = main.findChild<QAction*>(QStringLiteral("mnuAddPlayer"));
    // The empty entries plus every team and every position but the one players do not have.
    const int expected = main.DataService()->GetTeams()->Count() + 1 +
                         main.DataService()->GetPlayerPositions()->Count();
    // The browser's first start is not what a user waits for on every command.
    if (!command || !OpenAndWaitForPaint(main, *command, expected)) {
        state.SkipWithError("the player editor did not show");
        return;
    }
    for (auto _ : state) {
        QTest::qWait(300);  // the editor before is unloaded
        QElapsedTimer timer;
        timer.start();
        if (!OpenAndWaitForPaint(main, *command, expected)) {
            state.SkipWithError("the player editor did not show");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    main.ShutDown();
}
BENCHMARK(BM_OpenPlayerEditor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    g_hasDisplay =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!g_hasDisplay) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
