// Start-up of the program and its memory with the user guide open. Needs a display: run it
// under xvfb-run (make bench does not provide one).
//
//   BM_ColdStart       the program as a fresh process, from launch until its main window has
//                      been painted with its title (--quit-after-paint); target at most 1.5 s.
//   BM_GuideOpenMemory the main window in this process with the guide shown in the real browser
//                      view; reports resident memory of this process and of the browser's
//                      helper processes.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ServiceHost.h"
#include "TempFolder.h"
#include "WebEngineBackend.h"
#include "frmMain.h"
#include "frmReports.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kTitlePrefix = "Gridora Management System (Season Year: ";

// Whether the benchmark was given a display; without one, main() still needs a platform for
// the application object, and the benchmarks say what is missing instead of running.
bool g_hasDisplay = false;

bool HasDisplay() {
    return g_hasDisplay;
}

// Fresh copies of the generated databases; the live one is in use, as after installation.
struct Databases {
    Databases() {
        for (const char* name : {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Blank.mdb",
                                 "Gridora - Setup.mdb"})
            dir.CopyGenerated(name);
    }
    gr::test::TempFolder dir;
};

// Runs the program to its first paint; returns its standard output, or empty text on failure.
std::string RunToFirstPaint(const std::string& folder) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {GRIDORA_PROGRAM, "--database-folder", folder,
                                     "--quit-after-paint"};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, GRIDORA_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string output;
    if (spawned == 0) {
        char buffer[512];
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0) output.append(buffer, size_t(n));
    }
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    return output;
}

void BM_ColdStart(benchmark::State& state) {
    if (!HasDisplay()) {
        state.SkipWithError("needs a display: run under xvfb-run -a");
        return;
    }
    Databases databases;
    // The first start creates the season of today in the fresh live file; it is not timed.
    if (RunToFirstPaint(databases.dir.Path().string()).empty()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::string output = RunToFirstPaint(databases.dir.Path().string());
        const auto end = std::chrono::steady_clock::now();
        if (output.rfind(kTitlePrefix, 0) != 0) {
            state.SkipWithError("the program did not paint its titled main window");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_ColdStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// Resident memory of a process in MiB, from /proc/<pid>/status.
double ResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

pid_t ParentOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold blanks; the parent follows the state field.
    const auto close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(text.substr(close + 2));
    char stateField = 0;
    pid_t parent = 0;
    rest >> stateField >> parent;
    return parent;
}

// The processes started by this one, directly or through others (the browser's helpers).
std::vector<pid_t> Descendants() {
    std::vector<pid_t> found;
    const pid_t self = getpid();
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = std::stoi(name);
        for (pid_t up = ParentOf(pid); up > 1; up = ParentOf(up))
            if (up == self) {
                found.push_back(pid);
                break;
            }
    }
    return found;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// True once the browser shows every row of the guide.
bool GuideShown(gr::ui::frmReports& guide) {
    if (!guide.wbDisplay->isLoaded()) return false;
    auto& backend = dynamic_cast<gr::ui::WebEngineBackend&>(*guide.wbDisplay->backend());
    int rows = -1;
    bool answered = false;
    backend.runScript(QStringLiteral("document.querySelectorAll('tr').length"),
                      [&](const QVariant& v) {
                          rows = v.toInt();
                          answered = true;
                      });
    return WaitUntil([&] { return answered; }) && rows > 50;
}

void BM_GuideOpenMemory(benchmark::State& state) {
    if (!HasDisplay()) {
        state.SkipWithError("needs a display: run under xvfb-run -a");
        return;
    }
    Databases databases;
    gr::host::SetDatabaseFolderOverride(databases.dir.Path().string());
    double program = 0;
    double helpers = 0;
    for (auto _ : state) {
        gr::ui::frmMain main;
        if (!main.StartUp()) {
            state.SkipWithError("start-up failed");
            break;
        }
        main.show();
        main.findChild<QAction*>(QStringLiteral("mnuGuide"))->trigger();
        auto* guide = qobject_cast<gr::ui::frmReports*>(main.CurrentChild());
        if (!guide || !WaitUntil([&] { return GuideShown(*guide); })) {
            state.SkipWithError("the guide did not show");
            break;
        }
        program = ResidentMiB(getpid());
        helpers = 0;
        for (pid_t pid : Descendants()) helpers += ResidentMiB(pid);
        main.ShutDown();
    }
    gr::host::SetDatabaseFolderOverride("");
    state.counters["rss_program_MiB"] = program;
    state.counters["rss_browser_helpers_MiB"] = helpers;
    state.counters["rss_total_MiB"] = program + helpers;
}
BENCHMARK(BM_GuideOpenMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    g_hasDisplay = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                   !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                   !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!g_hasDisplay) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
