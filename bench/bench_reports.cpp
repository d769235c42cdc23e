// The all-seasons money report over 30 seasons of 14 managers with 60 winnings each, painted
// in the real browser view (run under a display, e.g. xvfb-run):
// - warm: the report window rendered again on a data service that holds the seasons already,
//   until the browser has painted the new page;
// - cold: a data service just started on the league file, so the seasons are read first;
// - PDF: the painted report saved as a PDF file through the browser's own printing;
// - CSV by gridora-admin: the command run on the league file, from the start of the process to
//   its end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QWebEngineView>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "BenchLeague.h"
#include "BenchLeagueBuilder.h"
#include "PagePrinting.h"
#include "RealView.h"
#include "frmReports.h"

namespace {

using namespace gr::ui;
using namespace gr::ui::test;

constexpr int32_t kSeasons = 30;
constexpr int32_t kManagers = 14;
constexpr int32_t kWinnings = 60;
constexpr int32_t kPrizes = 8;
constexpr int32_t kRegularWeeks = 14;

class ReportLeague : public gr::bench::LeagueBuilder {
  public:
    explicit ReportLeague(gr::db::Database& db)
        : gr::bench::LeagueBuilder(db, {.seasons = kSeasons,
                                        .managers = kManagers,
                                        .managerPool = 20,
                                        .prizes = kPrizes,
                                        .winnings = kWinnings}) {}

  private:
    void BindPlayer(gr::db::Statement& /*insert*/, int32_t /*id*/) override {}
    void AddDraft(int32_t /*season*/) override {}
    // A third of the managers owe their fee.
    bool FeePaid(int32_t slot) const override { return slot % 3 != 0; }

    // Every prize of the season (1 to 4 and 6 once a season, 5, 7 and 8 weekly), shared now
    // and then: winnings w and w + 8 fall on the same prize and often the same week.
    void AddWinnings(int32_t season) override {
        gr::db::Statement win(m_db,
                              "insert into [winning info] ([id], [season id], [manager id], "
                              "[prize id], [week #]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t w = 1; w <= kWinnings; ++w)
            win.Bind(1, (season - 1) * kWinnings + w)
                .Bind(2, season)
                .Bind(3, ManagerOf(season, (w * 5) % kManagers))
                .Bind(4, w % kPrizes + 1)
                .Bind(5, (w / kPrizes) % kRegularWeeks + 1)
                .Run();
    }
};

using League = gr::bench::BenchLeague<ReportLeague>;

League& TheLeague() {
    static League league;
    return league;
}

// The report window in the real view; the page sets its title once the browser has painted a
// new body, so the benchmark knows when the user sees the report.
class ReportWindow {
  public:
    explicit ReportWindow(const gr::ComPtr<gr::IDataService>& service) {
        window.Initialize(frmReports::AllSeasons, service);
        window.resize(1100, 760);
        window.show();
        window.Activated();
        if (!WaitUntil([&] { return window.wbDisplay->isLoaded(); }, 60000) ||
            !QTest::qWaitForWindowExposed(&window) ||
            !WaitForBrowserToMatchModel(*window.wbDisplay, 60000))
            throw std::runtime_error("the report did not show");
        QObject::connect(RealBackend(*window.wbDisplay)->view(), &QWebEngineView::titleChanged,
                         &window, [this] { ++painted; });
        RunScript(*window.wbDisplay,
                  QStringLiteral("(function(){var n=0;new MutationObserver(function(){"
                                 "requestAnimationFrame(function(){setTimeout(function(){"
                                 "document.title='p'+(++n);},0);});}).observe(document.body,"
                                 "{childList:true});})()"));
    }

    // Renders the report again; false when the browser never painted it.
    bool RenderAndWaitForPaint() {
        const int before = painted;
        window.Activated();
        return WaitUntil([&] { return painted > before; }, 60000);
    }

    size_t Rows() { return window.wbDisplay->document()->body()->children()[0]->rows().size(); }

    frmReports window;
    int painted = 0;
};

void BM_AllSeasonsReportPainted(benchmark::State& state) {
    TheLeague();
    ReportWindow report(League::StartService());
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!report.RenderAndWaitForPaint()) {
            state.SkipWithError("the report was never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.SetLabel(std::to_string(report.Rows()) + " rows");
}
BENCHMARK(BM_AllSeasonsReportPainted)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The first report after start-up: the data service reads the 30 seasons from the file.
void BM_AllSeasonsReportFirstAfterStart(benchmark::State& state) {
    TheLeague();
    for (auto _ : state) {
        state.PauseTiming();
        auto service = League::StartService();
        ReportWindow report(nullptr);
        report.window.Initialize(frmReports::AllSeasons, service);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        if (!report.RenderAndWaitForPaint()) {
            state.SkipWithError("the report was never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_AllSeasonsReportFirstAfterStart)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The report on screen saved as PDF, from the command to the file written.
void BM_AllSeasonsReportToPdf(benchmark::State& state) {
    TheLeague();
    ReportWindow report(League::StartService());
    const gr::test::TempFolder folder;
    const std::string path = folder.File("Gridora - Money.pdf");
    int64_t bytes = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        bool finished = false;
        bool saved = false;
        SavePageAsPdf(*report.window.wbDisplay, path, [&](bool ok, const std::string&) {
            finished = true;
            saved = ok;
        });
        if (!WaitUntil([&] { return finished; }, 60000) || !saved) {
            state.SkipWithError("the PDF was not written");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    }
    state.SetLabel(std::to_string(report.Rows()) + " rows, " + std::to_string(bytes / 1024) +
                   " KiB");
}
BENCHMARK(BM_AllSeasonsReportToPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The command opens the league through the setup service, as a user's script would.
void BM_AllSeasonsCsvByAdmin(benchmark::State& state) {
    const std::filesystem::path folder = TheLeague().Folder();
    std::filesystem::copy_file(GRIDORA_SEED_DATABASE_DIR "/Gridora - Setup.mdb",
                               folder / "Gridora - Setup.mdb",
                               std::filesystem::copy_options::overwrite_existing);
    const QStringList arguments = {QStringLiteral("report"),
                                   QStringLiteral("all"),
                                   QStringLiteral("--format"),
                                   QStringLiteral("csv"),
                                   QStringLiteral("--database-folder"),
                                   QString::fromStdString(folder.string())};
    qsizetype bytes = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess admin;
        admin.start(QStringLiteral(GRIDORA_ADMIN_EXE), arguments);
        if (!admin.waitForFinished(60000) || admin.exitCode() != 0) {
            state.SkipWithError(admin.readAllStandardError().toStdString().c_str());
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        bytes = admin.readAllStandardOutput().size();
    }
    state.SetLabel(std::to_string(bytes) + " bytes of CSV");
}
BENCHMARK(BM_AllSeasonsCsvByAdmin)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

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
