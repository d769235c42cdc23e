// The season setup window in the real browser view (run under a display, e.g. xvfb-run):
// activating it on a season of 20 managers and 15 prizes, from the call until both grids are
// painted by the browser. The league is a copy of the demo league whose current season gets ten
// more managers and ten more prizes through the data service.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineView>
#include <stdexcept>
#include <string>

#include "ComponentFactory.h"
#include "ISetupService.h"
#include "RealView.h"
#include "ServiceHost.h"
#include "TempFolder.h"
#include "TestEnvironment.h"
#include "frmSeasonInfo.h"

namespace {

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;

ComPtr<ISetupService> StartedSetupService() {
    std::string error;
    auto service = CreateObjectAs<ISetupService>("GRSetupSrvc.SetupService", error);
    if (!service || !service->Initialize(error)) throw std::runtime_error(error);
    return service;
}

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

// This year's demo season with 20 managers and 15 prizes (5 of them weekly).
void GrowCurrentSeason(const ComPtr<IDataService>& data) {
    const ComPtr<ISeasonInfo> season = data->GetCurrentSeasonInfo();
    std::string error;
    for (int32_t i = 1; i <= 10; ++i) {
        int32_t id = 0;
        ComPtr<IManagerTmplInfo> manager;
        Check(data->UpdateManager("Benchmark" + std::to_string(i), "Manager", id, manager, error),
              error);
        season->AddManager(manager);
        ComPtr<IPrizeTmplInfo> prize;
        id = 0;
        Check(data->UpdatePrize("Bench Prize " + std::to_string(i), i % 2 + 1, id, prize, error),
              error);
        season->AddPrize(prize);
    }
    int32_t amount = 10;
    for (const auto& prize : season->get_Prizes()->ItemsAs<IPrizeInfo>())
        prize->let_Amount(++amount);
    season->let_NoOfManagers(20);
    Check(data->SaveManagersPlaying() && data->SaveCurrentSeasonInfo(), "the season was not saved");
}

class SeasonBench {
  public:
    SeasonBench() {
        for (const char* name : {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Setup.mdb"})
            m_folder.CopyGenerated(name);
        host::SetDatabaseFolderOverride(m_folder.Path().string());
        {
            const auto setup = StartedSetupService();
            setup->get_SetupInfo()->let_DBTypeID(DBTest);
            Check(setup->Save(), "the database type was not saved");
        }
        m_setup = StartedSetupService();
        GrowCurrentSeason(m_setup->get_DataService());
        window = new frmSeasonInfo;
        window->Initialize(m_setup->get_DataService(), m_setup);
        window->resize(1200, 900);
        window->show();
        Check(WaitUntil([&] {
                  return window->wbManagers->isLoaded() && window->wbMoneyDistr->isLoaded();
              }) &&
                  QTest::qWaitForWindowExposed(window),
              "the browser views did not load");
        for (HtmlView* view : {window->wbManagers, window->wbMoneyDistr})
            QObject::connect(RealBackend(*view)->view(), &QWebEngineView::titleChanged, window,
                             [this] { ++m_paints; });
    }

    // Asks both views for a frame after everything sent so far and waits until both drew it.
    bool WaitForBothPainted() {
        const int before = m_paints;
        for (HtmlView* view : {window->wbManagers, window->wbMoneyDistr})
            RealBackend(*view)->runScript(
                QStringLiteral("requestAnimationFrame(function(){setTimeout(function(){"
                               "document.title='p'+Date.now();},0);});0"),
                [](const QVariant&) {});
        return WaitUntil([&] { return m_paints >= before + 2; }, 30000);
    }

    frmSeasonInfo* window = nullptr;

  private:
    gr::test::TempFolder m_folder;
    ComPtr<ISetupService> m_setup;
    int m_paints = 0;
};

SeasonBench& Bench() {
    static auto* bench = new SeasonBench;
    return *bench;
}

void BM_ActivateSeasonWindow20Managers15Prizes(benchmark::State& state) {
    SeasonBench& bench = Bench();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        bench.window->Activated();
        if (!bench.WaitForBothPainted()) {
            state.SkipWithError("the grids were never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    const std::string rows =
        RunScript(*bench.window->wbManagers,
                  QStringLiteral("document.querySelectorAll('tr').length"))
            .toString()
            .toStdString() +
        "/" +
        RunScript(*bench.window->wbMoneyDistr,
                  QStringLiteral("document.querySelectorAll('#DA > tbody > tr').length"))
            .toString()
            .toStdString();
    state.SetLabel("rows shown (managers/money, with nested and header rows): " + rows);
}
BENCHMARK(BM_ActivateSeasonWindow20Managers15Prizes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    gr::ui::test::PrepareTestEnvironment(gr::ui::test::Display::NeededForTheRealView);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
