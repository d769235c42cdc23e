// The data service core on a league of 30 seasons (14 managers, 16 rounds, 8 prizes and 60
// winnings each) and 3,000 players: loading one season cold against the same queries run
// straight through SQLite, all seasons, start-up, and saving a season's figures, money and
// managers.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchLeague.h"
#include "BenchLeagueBuilder.h"
#include "DataService.h"
#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kSeasons = 30;
constexpr int32_t kManagers = 14;
constexpr int32_t kManagerPool = 20;
constexpr int32_t kRounds = 16;
constexpr int32_t kPrizes = 8;
constexpr int32_t kWinnings = 60;
constexpr int32_t kPlayers = 3000;
constexpr int32_t kTeams = 32;
constexpr int32_t kFirstYear = 1995;
// A season in the middle of the league: not the first row of any table.
constexpr int32_t kLoadedSeason = 15;

// Players with plain numbered names; every sixteenth pick takes a team (defence).
class LeagueBuilder : public gr::bench::LeagueBuilder {
  public:
    explicit LeagueBuilder(gr::db::Database& db)
        : gr::bench::LeagueBuilder(db, {.seasons = kSeasons,
                                        .managers = kManagers,
                                        .managerPool = kManagerPool,
                                        .rounds = kRounds,
                                        .prizes = kPrizes,
                                        .winnings = kWinnings,
                                        .players = kPlayers,
                                        .firstYear = kFirstYear}) {}

  private:
    void BindPlayer(gr::db::Statement& insert, int32_t id) override {
        insert.Bind(2, "First" + std::to_string(id % 211))
            .Bind(3, "Last" + std::to_string(id))
            .Bind(4, id % 5 + 1)
            .Bind(5, id % kTeams + 1)
            .Bind(6, id % 17 == 0);
    }

    bool FeePaid(int32_t slot) const override { return slot % 3 != 0; }

    void AddDraft(int32_t season) override {
        gr::db::Statement draft(m_db,
                                "insert into [draft info] ([season id], [draft no], [manager id], "
                                "[player id], [team id]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t pick = 1; pick <= kManagers * kRounds; ++pick) {
            const int32_t manager = ManagerOf(season, (pick - 1) % kManagers);
            draft.Bind(1, season).Bind(2, pick).Bind(3, manager);
            if (pick % 16 == 0)
                draft.BindNull(4).Bind(5, pick / 16 % kTeams + 1);
            else
                draft.Bind(4, (season * 97 + pick) % kPlayers + 1).BindNull(5);
            draft.Run();
        }
    }

    void AddWinnings(int32_t season) override {
        gr::db::Statement win(m_db,
                              "insert into [winning info] ([id], [season id], [manager id], "
                              "[prize id], [week #]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t w = 1; w <= kWinnings; ++w) {
            const int32_t prize = w <= 4 ? w : (w % 3 == 0 ? 7 : (w % 3 == 1 ? 5 : 8));
            win.Bind(1, (season - 1) * kWinnings + w)
                .Bind(2, season)
                .Bind(3, ManagerOf(season, w % kManagers))
                .Bind(4, prize);
            if (prize >= 5 && prize != 6)
                win.Bind(5, w % 17 + 1);
            else
                win.BindNull(5);
            win.Run();
        }
    }
};

using LeagueFolder = gr::bench::BenchLeague<LeagueBuilder>;

LeagueFolder& Folder() {
    static LeagueFolder folder;
    return folder;
}

gr::ComPtr<gr::IDataService> StartedService() {
    Folder();
    return LeagueFolder::StartService();
}

// Drops every cache of the service and reopens its file, outside the timed part.
void Reopen(benchmark::State& state, gr::IDataService& service) {
    state.PauseTiming();
    std::string message;
    if (!service.OpenDatabase(true, message)) state.SkipWithError(message.c_str());
    state.ResumeTiming();
}

void BM_LoadSeasonCold(benchmark::State& state) {
    auto service = StartedService();
    size_t picks = 0;
    for (auto _ : state) {
        Reopen(state, *service);
        service->let_CurrentSeasonID(kLoadedSeason);
        auto season = service->GetCurrentSeasonInfo();
        if (!season) state.SkipWithError("season did not load");
        picks = static_cast<size_t>(season->get_Drafts()->Count());
    }
    state.counters["picks"] = static_cast<double>(picks);
}

// ---- The floor: the same reads through the SQLite API, building nothing --------------

int64_t StepAll(sqlite3* db, const char* sql, int32_t seasonId) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    if (seasonId > 0) sqlite3_bind_int(stmt, 1, seasonId);
    int64_t sum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const int columns = sqlite3_column_count(stmt);
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                sum += sqlite3_column_bytes(stmt, c);
            else
                sum += sqlite3_column_int(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    return sum;
}

int64_t ReadSeasonRaw(sqlite3* db, int32_t seasonId) {
    int64_t sum = StepAll(db, "select * from [season info] s where s.id = ?1", seasonId);
    sum += StepAll(db, "select * from [prize type info]", 0);
    sum += StepAll(db, "select * from [prize info]", 0);
    sum +=
        StepAll(db, "select * from [money distribution info] m where m.[season id] = ?1", seasonId);
    sum += StepAll(db,
                   "select p.[manager id], p.[ranking], p.[fee paid], m.[first name], "
                   "m.[last name] from [playing info] p left join [manager info] m "
                   "on m.[id] = p.[manager id] where p.[season id] = ?1 "
                   "order by p.[ranking], p.rowid",
                   seasonId);
    sum += StepAll(db, "select * from [winning info] where [season id] = ?1", seasonId);
    sum += StepAll(db, "select * from [position info] order by [id]", 0);
    sum += StepAll(db, "select * from [team info] order by [id]", 0);
    sum += StepAll(db,
                   "select d.[draft no], d.[manager id], d.[player id], d.[team id], "
                   "p.[first name], p.[last name], p.[position id], p.[team id], p.[is retired] "
                   "from [draft info] d left join [player info] p on p.[id] = d.[player id] "
                   "where d.[season id] = ?1 order by d.[draft no]",
                   seasonId);
    return sum;
}

void BM_LoadSeasonFloor(benchmark::State& state) {
    Folder();
    std::unique_ptr<gr::db::Database> db;
    for (auto _ : state) {
        // A fresh connection, as the service has after dropping its caches.
        state.PauseTiming();
        db.reset();
        db = std::make_unique<gr::db::Database>(Folder().LivePath(), gr::GetDatabaseKey());
        state.ResumeTiming();
        benchmark::DoNotOptimize(ReadSeasonRaw(db->Handle(), kLoadedSeason));
    }
}

void BM_GetAllSeasons(benchmark::State& state) {
    auto service = StartedService();
    int32_t count = 0;
    for (auto _ : state) {
        Reopen(state, *service);
        count = service->GetAllSeasons()->Count();
    }
    if (count != kSeasons) state.SkipWithError("not every season loaded");
    state.counters["seasons"] = count;
}

// Start-up on a league opened before in this process: its key is remembered.
void BM_Initialize(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        auto service = gr::MakeCom<gr::data::DataService>();
        std::string message;
        if (!service->Initialize(gr::DBLive, message)) state.SkipWithError(message.c_str());
        state.PauseTiming();
        service = nullptr;  // closing the file is not part of start-up
        state.ResumeTiming();
    }
}

// Start-up as the program's first open: each round the league is exported to a new file
// with a salt of its own, so the key is derived from the password every time.
void BM_InitializeFirstOpen(benchmark::State& state) {
    const fs::path folder = fs::path(Folder().LivePath()).parent_path() / "first-open";
    fs::create_directories(folder);
    const std::string fresh = (folder / "Gridora - Live.mdb").string();
    gr::host::SetDatabaseFolderOverride(folder.string());
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(fresh);
        gr::db::Database::Create(
            fresh, gr::GetDatabaseKey());  // the league's connection cannot create files
        {
            gr::db::Database league(Folder().LivePath(), gr::GetDatabaseKey());
            gr::db::Statement attach(league, "attach database ?1 as fresh key ?2");
            attach.Bind(1, fresh).Bind(2, gr::GetDatabaseKey()).Run();
            league.Execute("select sqlcipher_export('fresh'); detach database fresh;");
        }
        state.ResumeTiming();
        auto service = gr::MakeCom<gr::data::DataService>();
        std::string message;
        if (!service->Initialize(gr::DBLive, message)) state.SkipWithError(message.c_str());
        state.PauseTiming();
        service = nullptr;
        state.ResumeTiming();
    }
    gr::host::SetDatabaseFolderOverride(fs::path(Folder().LivePath()).parent_path().string());
}

// Figures, money distribution and managers of the current season, each save a real change.
void BM_SaveSeason(benchmark::State& state) {
    auto service = StartedService();
    auto season = service->GetCurrentSeasonInfo();
    if (!season) {
        state.SkipWithError("no current season");
        return;
    }
    int32_t fee = 100;
    for (auto _ : state) {
        season->let_MoneyContribution(++fee);
        season->get_Prizes()->ItemAs<gr::IPrizeInfo>(1)->let_Amount(fee);
        auto manager = season->get_Managers()->ItemAs<gr::IManagerInfo>(1);
        manager->let_IsFeePaid(!manager->get_IsFeePaid());
        if (!service->SaveCurrentSeasonInfo() || !service->SaveManagersPlaying())
            state.SkipWithError("save failed");
    }
}

BENCHMARK(BM_LoadSeasonFloor)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_LoadSeasonCold)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_GetAllSeasons)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_Initialize)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_InitializeFirstOpen)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SaveSeason)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
