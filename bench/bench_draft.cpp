// Draft night (run under a display, e.g. xvfb-run):
// - the shuffle of 20 managers: 2,000,000 swaps of the managers and 2,000,000 of the ranks;
// - the board of 20 managers x 20 rounds (400 filled cells) redrawn in the real browser view,
//   until the browser has painted it (program_ms: the part before the page goes to the
//   browser);
// - one pick typed into the pick field of the real board and taken with Enter, on the real
//   services over a copy of the demo league: search, take, the cell drawn and painted, and the
//   recovery file written, as the main window has it written;
// - a pick taken with the room display open, until the room display has painted it;
// - the recovery file written after a pick of the 20 x 20 board (1 or all 400 picks unsaved):
//   the time the program's thread spends on it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QWebEngineView>

#include "DraftShuffle.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "RealView.h"
#include "RecoveryKeeper.h"
#include "ScriptedUser.h"
#include "TempFolder.h"
#include "TestEnvironment.h"
#include "UiFakes.h"
#include "frmDraftPlayers.h"
#include "frmRoomDisplay.h"
#include "test_shell_support.h"

namespace {

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;

// Counts the titles the page sets, so that the browser can say when it has painted.
class PaintWatch {
  public:
    explicit PaintWatch(HtmlView& view) : m_view(view) {
        QObject::connect(RealBackend(view)->view(), &QWebEngineView::titleChanged,
                         [this] { ++m_titles; });
    }
    // After every change sent so far: two animation frames later the page has been painted.
    bool WaitForPaint() {
        const int before = m_titles;
        RunScript(m_view, QStringLiteral("requestAnimationFrame(function(){"
                                         "requestAnimationFrame(function(){"
                                         "document.title='p%1';});});0")
                              .arg(++m_requests));
        return WaitUntil([&] { return m_titles > before; }, 30000);
    }

  private:
    HtmlView& m_view;
    int m_titles = 0;
    int m_requests = 0;
};

bool ShowAndLoad(frmDraftPlayers& board) {
    board.resize(1280, 860);
    board.show();
    return WaitUntil([&] { return board.wbReport->isLoaded(); }) &&
           QTest::qWaitForWindowExposed(&board);
}

void BM_ShuffleTwentyManagers(benchmark::State& state) {
    std::vector<ComPtr<IManagerInfo>> managers;
    std::vector<int32_t> ranks;
    for (int32_t i = 1; i <= 20; ++i) {
        managers.push_back(MakeCom<FakeManager>(i, "M" + std::to_string(i), "L"));
        ranks.push_back(i);
    }
    for (auto _ : state) {
        ShuffleDraftOrder(managers, RandomSeed());
        ShuffleDraftOrder(ranks, RandomSeed());
        benchmark::DoNotOptimize(managers.data());
        benchmark::DoNotOptimize(ranks.data());
    }
    state.SetLabel("2 x 2,000,000 swaps");
}
BENCHMARK(BM_ShuffleTwentyManagers)->Unit(benchmark::kMillisecond);

// A locked ranking of 20 managers and a full 20-round draft in memory.
ComPtr<FakeSeason> FullSeason() {
    auto season = MakeCom<FakeSeason>();
    season->noOfManagers = 20;
    season->noOfRounds = 20;
    season->rankingLocked = true;
    auto position = MakeCom<FakePosition>(1, "WR", "Wide Receiver");
    auto team = MakeCom<FakeTeam>(1, "ATL", "Atlanta", "Falcons", position);
    for (int32_t i = 1; i <= 20; ++i)
        season->managers->Add(MakeCom<FakeManager>(i, "Manager" + std::to_string(i), "L", i),
                              "K" + std::to_string(i));
    for (int32_t d = 1; d <= 400; ++d) {
        auto draft = MakeCom<FakeDraft>(d);
        draft->pick = MakeCom<FakePlayer>(d, "First" + std::to_string(d),
                                          "O'Last" + std::to_string(d), team, position);
        season->drafts->Add(draft, "P" + std::to_string(d));
    }
    return season;
}

// The 20 x 20 board shown, activated and watched for paints.
struct ShownBoard {
    explicit ShownBoard(benchmark::State& state) : data(MakeCom<NiceDataService>()) {
        ON_CALL(*data, GetCurrentSeasonInfo()).WillByDefault(::testing::Return(FullSeason()));
        board.Initialize(data);
        if (!ShowAndLoad(board)) state.SkipWithError("the board did not load");
        board.Activated();
    }
    ComPtr<NiceDataService> data;
    frmDraftPlayers board;
    PaintWatch paint{*board.wbReport};
};

void BM_BoardRedraw20x20Painted(benchmark::State& state) {
    ShownBoard shown(state);
    frmDraftPlayers& board = shown.board;
    PaintWatch& paint = shown.paint;
    if (!paint.WaitForPaint()) state.SkipWithError("the board was never painted");
    double programMs = 0;  // the part spent in the program: page built, parsed and sent
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        board.cmdDispBy->click();  // the whole grid, the other way round
        programMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (!paint.WaitForPaint()) {
            state.SkipWithError("the board was never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["program_ms"] =
        benchmark::Counter(programMs, benchmark::Counter::kAvgIterations);
    state.SetLabel("400 cells");
}
BENCHMARK(BM_BoardRedraw20x20Painted)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// For comparison: two animation frames of the same board with nothing changed, the floor of
// every "until painted" figure here.
void BM_PaintFloor(benchmark::State& state) {
    ShownBoard shown(state);
    PaintWatch& paint = shown.paint;
    paint.WaitForPaint();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!paint.WaitForPaint()) {
            state.SkipWithError("never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_PaintFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// What the program's thread spends after a pick of the shown 20 x 20 board on the recovery
// file: the board's unsaved picks gathered, written to a fresh file and renamed into place
// (the flush to the disk runs on a thread of its own, between the picks).
void BM_RecoveryFileWrittenAfterAPick(benchmark::State& state) {
    ShownBoard shown(state);
    frmDraftPlayers& board = shown.board;
    gr::test::TempFolder folder;
    RecoveryKeeper keeper(folder.File("Gridora - Live.mdb"));
    keeper.Watch(&board);
    const auto drafts = shown.data->GetCurrentSeasonInfo()->get_Drafts();
    const auto other = MakeCom<FakePlayer>(999, "Other", "Pick");
    const int32_t unsaved = static_cast<int32_t>(state.range(0));
    for (int32_t pick = 1; pick <= unsaved; ++pick)
        drafts->ItemAs<IDraftInfo>(pick)->set_PlayerOrTeam(other);
    board.cmdSave->setEnabled(true);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        keeper.Flush();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        // Picks come seconds apart: each write finds the previous one on the disk already.
        keeper.File().WaitForDisk();
    }
    std::string error;
    const auto written = keeper.File().Read(error);
    if (!written || static_cast<int32_t>(written->picks.size()) != unsaved)
        state.SkipWithError("the picks were not written");
    state.SetLabel(std::to_string(unsaved) + " unsaved picks");
}
BENCHMARK(BM_RecoveryFileWrittenAfterAPick)
    ->Arg(1)
    ->Arg(400)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Roster names the search finds exactly one player for.
std::vector<QString> UniqueNames(const ComPtr<IDataService>& data, size_t count) {
    QFile file(QStringLiteral(GRIDORA_DATA_DIR "/nfl-players-2023.csv"));
    std::vector<QString> names;
    if (!file.open(QIODevice::ReadOnly)) return names;
    file.readLine();
    while (!file.atEnd() && names.size() < count) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(',');
        if (fields.size() < 2) continue;
        const QString name = fields[1] + " " + fields[0];
        const auto found = data->Search(TypePlayerOrTeam, name.toStdString(), false, true);
        if (found && found->Count() == 1) names.push_back(name);
    }
    return names;
}

// The demo league with its ranking locked, on the real services, and its board shown.
struct LeagueBoard {
    explicit LeagueBoard(benchmark::State& state) {
        databases.UseType(DBTest);
        setup = InitializedSetupService();
        data = setup ? setup->get_DataService() : nullptr;
        if (!data) {
            state.SkipWithError("no league");
            return;
        }
        const auto season = data->GetCurrentSeasonInfo();
        const auto managers = SortManagers(season->get_Managers(), SortByName);
        for (int32_t i = 1; i <= managers->Count(); ++i)
            managers->ItemAs<IManagerInfo>(i)->let_Rank(i);
        data->SaveRanking();
        data->DisableRanking();
        const int32_t picks = season->get_NoOfManagers() * season->get_NoOfRounds();
        names = UniqueNames(data, static_cast<size_t>(picks));
        board.Initialize(data);
        if (!ShowAndLoad(board)) state.SkipWithError("the board did not load");
        board.Activated();
    }
    // Types the next name; Enter takes it.
    bool TypeNext(bool enter) {
        if (next >= names.size()) return false;
        QTest::keyClicks(board.txtPlayerName, names[next++]);
        if (enter) QTest::keyClick(board.txtPlayerName, Qt::Key_Return);
        return true;
    }
    std::shared_ptr<ScriptedUser> user = ScriptedUser::Install();
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> data;
    std::vector<QString> names;
    size_t next = 0;
    frmDraftPlayers board;
};

void BM_OnePickTypedAndTaken(benchmark::State& state) {
    LeagueBoard league(state);
    frmDraftPlayers& board = league.board;
    RecoveryKeeper keeper(league.databases.File("Gridora - Test.mdb"));
    keeper.Watch(&board);
    PaintWatch paint(*board.wbReport);
    paint.WaitForPaint();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!league.TypeNext(true)) {
            state.SkipWithError("out of picks");
            break;
        }
        if (!paint.WaitForPaint()) {
            state.SkipWithError("the cell was never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    if (board.CurrentPick() != static_cast<int32_t>(league.next) + 1 ||
        !league.user->messages.empty())
        state.SkipWithError("a pick was not taken");
    std::string error;
    if (const auto kept = keeper.File().Read(error); !kept || kept->picks.size() != league.next)
        state.SkipWithError("the picks did not reach the recovery file");
    state.SetLabel("search, take, cell drawn and painted");
}
BENCHMARK(BM_OnePickTypedAndTaken)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// From Enter on a typed name until the room display has painted the pick (the search, the
// take, the board's cell, the room's cell, ticker, heading and announcement).
void BM_PickShownOnRoomDisplay(benchmark::State& state) {
    LeagueBoard league(state);
    frmDraftPlayers& board = league.board;
    board.cmdRoomDisplay->click();
    frmRoomDisplay* room = board.RoomDisplay();
    if (!room || !WaitUntil([&] { return room->wbRoom->isLoaded(); })) {
        state.SkipWithError("the room display did not load");
        return;
    }
    board.activateWindow();
    PaintWatch paint(*room->wbRoom);
    paint.WaitForPaint();
    for (auto _ : state) {
        if (!league.TypeNext(false)) {
            state.SkipWithError("out of picks");
            break;
        }
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(board.txtPlayerName, Qt::Key_Return);
        if (!paint.WaitForPaint()) {
            state.SkipWithError("the room display was never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    if (room->Shown().picks.empty() || room->Shown().picks[league.next - 1].name.empty())
        state.SkipWithError("the room display did not show the pick");
    state.SetLabel("Enter to the room display painted");
}
BENCHMARK(BM_PickShownOnRoomDisplay)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(60);

// The paint floor of the room display in the same run: two animation frames, nothing changed.
void BM_RoomDisplayPaintFloor(benchmark::State& state) {
    LeagueBoard league(state);
    league.board.cmdRoomDisplay->click();
    frmRoomDisplay* room = league.board.RoomDisplay();
    if (!room || !WaitUntil([&] { return room->wbRoom->isLoaded(); })) {
        state.SkipWithError("the room display did not load");
        return;
    }
    PaintWatch paint(*room->wbRoom);
    paint.WaitForPaint();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!paint.WaitForPaint()) {
            state.SkipWithError("never painted");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_RoomDisplayPaintFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    PrepareTestEnvironment(gr::ui::test::Display::NeededForTheRealView);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
