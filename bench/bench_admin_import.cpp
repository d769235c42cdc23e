// gridora-admin import-players: a 10,000-row roster into a fresh copy of the blank
// database, through the same entry point as the executable and the real services.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "AdminApp.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRosterRows = 10000;
constexpr std::array<const char*, 5> kPositions = {"QB", "RB", "WR", "TE", "K"};
constexpr std::array<const char*, 8> kTeams = {"ATL", "BUF", "KC", "DAL", "SF", "GB", "NE", "DET"};

std::string Roster(int rows) {
    std::string csv = "last_name,first_name,position,team\n";
    for (int i = 0; i < rows; ++i) {
        csv += "Lastname" + std::to_string(i) + ",First" + std::to_string(i % 97) + "," +
               kPositions[size_t(i) % kPositions.size()] + "," + kTeams[size_t(i) % kTeams.size()] +
               "\n";
    }
    return csv;
}

int Admin(std::vector<std::string> args, const fs::path& folder) {
    args.insert(args.begin(), "gridora-admin");
    args.push_back("--database-folder");
    args.push_back(folder.string());
    std::ostringstream out, err;
    std::istringstream in;
    const int status = gr::admin::RunAdmin(args, out, err, in);
    if (status != 0) throw std::runtime_error("gridora-admin failed: " + err.str());
    return status;
}

// A fresh folder with the generated databases, the blank one in use.
fs::path FreshBlankLeague(const fs::path& root, int run) {
    fs::path folder = root / ("run" + std::to_string(run));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name :
         {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Blank.mdb", "Gridora - Setup.mdb"})
        fs::copy_file(fs::path(GRIDORA_SEED_DATABASE_DIR) / name, folder / name);
    Admin({"use", "blank"}, folder);
    return folder;
}

void RunImport(benchmark::State& state, bool dryRun) {
    const fs::path root = fs::temp_directory_path() / "gr-bench-admin-import";
    fs::create_directories(root);
    const fs::path roster = root / "roster.csv";
    std::ofstream(roster, std::ios::binary) << Roster(kRosterRows);
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = FreshBlankLeague(root, run++);
        state.ResumeTiming();
        std::vector<std::string> args = {"import-players", roster.string()};
        if (dryRun) args.push_back("--dry-run");
        benchmark::DoNotOptimize(Admin(args, folder));
    }
    state.SetItemsProcessed(state.iterations() * kRosterRows);
    fs::remove_all(root);
}

void BM_AdminImport10000IntoBlank(benchmark::State& state) {
    RunImport(state, false);
}
void BM_AdminImport10000DryRun(benchmark::State& state) {
    RunImport(state, true);
}

BENCHMARK(BM_AdminImport10000IntoBlank)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_AdminImport10000DryRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
