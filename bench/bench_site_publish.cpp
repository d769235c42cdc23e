// gridora-admin publish on a league of 30 seasons of 14 managers, each with a full draft of 16
// rounds and 60 winnings, 3,000 players: the command run as a process, from its start to its
// end, publishing into an empty folder (every file written) and again into the same folder
// (nothing changed, nothing written).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchLeague.h"
#include "BenchLeagueBuilder.h"
#include "ProcessRunner.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kSeasons = 30;
constexpr int32_t kManagers = 14;
constexpr int32_t kRounds = 16;
constexpr int32_t kPrizes = 8;
constexpr int32_t kWinnings = 60;
constexpr int32_t kPlayers = 3000;
constexpr int32_t kTeams = 32;

class SiteLeague : public gr::bench::LeagueBuilder {
  public:
    explicit SiteLeague(gr::db::Database& db)
        : gr::bench::LeagueBuilder(db, {.seasons = kSeasons,
                                        .managers = kManagers,
                                        .managerPool = 20,
                                        .rounds = kRounds,
                                        .prizes = kPrizes,
                                        .winnings = kWinnings,
                                        .players = kPlayers}) {}

  private:
    void BindPlayer(gr::db::Statement& insert, int32_t id) override {
        insert.Bind(2, "First" + std::to_string(id % 211))
            .Bind(3, "Last" + std::to_string(id))
            .Bind(4, id % 5 + 1)
            .Bind(5, id % kTeams + 1)
            .Bind(6, false);
    }
    bool FeePaid(int32_t slot) const override { return slot % 3 != 0; }

    // Every pick made, by the snake order; every sixteenth takes a team (defence).
    void AddDraft(int32_t season) override {
        gr::db::Statement draft(m_db,
                                "insert into [draft info] ([season id], [draft no], [manager id], "
                                "[player id], [team id]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t pick = 1; pick <= kManagers * kRounds; ++pick) {
            const int32_t round = (pick - 1) / kManagers;
            const int32_t place = (pick - 1) % kManagers;
            const int32_t slot = round % 2 == 0 ? place : kManagers - 1 - place;
            draft.Bind(1, season).Bind(2, pick).Bind(3, ManagerOf(season, slot));
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
        for (int32_t w = 1; w <= kWinnings; ++w)
            win.Bind(1, (season - 1) * kWinnings + w)
                .Bind(2, season)
                .Bind(3, ManagerOf(season, (w * 5) % kManagers))
                .Bind(4, w % kPrizes + 1)
                .Bind(5, (w / kPrizes) % 14 + 1)
                .Run();
    }
};

using League = gr::bench::BenchLeague<SiteLeague>;

League& TheLeague() {
    static League league;
    static const bool setUp = [] {
        fs::copy_file(GRIDORA_SEED_DATABASE_DIR "/Gridora - Setup.mdb",
                      league.Folder() / "Gridora - Setup.mdb",
                      fs::copy_options::overwrite_existing);
        return true;
    }();
    (void)setUp;
    return league;
}

// Runs gridora-admin with args; its time from the start of the process to its end.
double Admin(benchmark::State& state, std::vector<std::string> args) {
    args.insert(args.begin(), GRIDORA_ADMIN_EXE);
    args.insert(args.end(), {"--database-folder", TheLeague().Folder().string()});
    const auto start = std::chrono::steady_clock::now();
    const gr::admin::test::ProcessResult r = gr::admin::test::RunProcess(args);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (r.exitCode != 0) state.SkipWithError(r.err.c_str());
    return took.count();
}

double Publish(benchmark::State& state, const fs::path& site) {
    return Admin(state, {"publish", site.string()});
}

void SiteLabel(benchmark::State& state, const fs::path& site) {
    int files = 0;
    uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(site)) {
        ++files;
        bytes += entry.file_size();
    }
    state.SetLabel(std::to_string(files) + " files, " + std::to_string(bytes / 1024) + " KiB");
}

void BM_PublishIntoEmptyFolder(benchmark::State& state) {
    const fs::path root = TheLeague().Folder() / "sites";
    int run = 0;
    fs::path site;
    for (auto _ : state) {
        site = root / std::to_string(run++);
        state.SetIterationTime(Publish(state, site));
    }
    SiteLabel(state, site);
}
BENCHMARK(BM_PublishIntoEmptyFolder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PublishAgainUnchanged(benchmark::State& state) {
    const fs::path site = TheLeague().Folder() / "again";
    Publish(state, site);
    for (auto _ : state) state.SetIterationTime(Publish(state, site));
    SiteLabel(state, site);
}
BENCHMARK(BM_PublishAgainUnchanged)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: the same process opening the league and reading every season, writing nothing.
void BM_SeasonsJsonFloor(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(Admin(state, {"seasons", "--json"}));
}
BENCHMARK(BM_SeasonsJsonFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
