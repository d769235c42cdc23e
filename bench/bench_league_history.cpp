// A league's history in: gridora-admin import-league of a 30-season league file into a fresh
// blank league, and import-season of one season sheet into that 30-season league (replacing
// the season), through the same entry point as the executable and the real services.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "AdminApp.h"
#include "BenchLeagueBuilder.h"
#include "GRServiceUtils.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kSeasons = 30;
constexpr int32_t kManagers = 14;
constexpr int32_t kRounds = 16;
constexpr int32_t kWinnings = 60;
constexpr int32_t kPlayers = 3000;
constexpr int32_t kTeams = 32;
constexpr int32_t kFirstYear = 1995;
constexpr const char* kLeagueFiles[] = {"Gridora - Live.mdb", "Gridora - Test.mdb",
                                        "Gridora - Blank.mdb", "Gridora - Setup.mdb"};

// 30 seasons of 14 managers and 16 rounds, full drafts (every sixteenth pick a team) and 60
// winnings a season, on 3,000 players with distinct names.
class HistoryLeague : public gr::bench::LeagueBuilder {
  public:
    explicit HistoryLeague(gr::db::Database& db)
        : gr::bench::LeagueBuilder(db, {.seasons = kSeasons,
                                        .managers = kManagers,
                                        .managerPool = 20,
                                        .rounds = kRounds,
                                        .prizes = 8,
                                        .winnings = kWinnings,
                                        .players = kPlayers,
                                        .firstYear = kFirstYear}) {}

  private:
    void BindPlayer(gr::db::Statement& insert, int32_t id) override {
        insert.Bind(2, "First" + std::to_string(id % 211))
            .Bind(3, "Last" + std::to_string(id))
            .Bind(4, id % 5 + 1)
            .Bind(5, id % kTeams + 1)
            .Bind(6, false);
    }

    bool FeePaid(int32_t slot) const override { return slot % 3 != 0; }

    void AddDraft(int32_t season) override {
        gr::db::Statement draft(m_db,
                                "insert into [draft info] ([season id], [draft no], [manager id], "
                                "[player id], [team id]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t pick = 1; pick <= kManagers * kRounds; ++pick) {
            draft.Bind(1, season).Bind(2, pick).Bind(3, ManagerOf(season, (pick - 1) % kManagers));
            if (pick % 16 == 0)
                draft.BindNull(4).Bind(5, pick / 16 % kTeams + 1);
            else
                draft.Bind(4, (season * 97 + pick) % kPlayers + 1).BindNull(5);
            draft.Run();
        }
    }

    // Season prizes 1 to 4 once, the weekly prizes 5, 7 and 8 in weeks 1 to 17.
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
            if (prize >= 5)
                win.Bind(5, w % 17 + 1);
            else
                win.BindNull(5);
            win.Run();
        }
    }
};

void Admin(std::vector<std::string> args, const fs::path& folder) {
    args.insert(args.begin(), "gridora-admin");
    args.insert(args.end(), {"--database-folder", folder.string()});
    std::ostringstream out, err;
    std::istringstream in;
    if (gr::admin::RunAdmin(args, out, err, in) != 0)
        throw std::runtime_error("gridora-admin failed: " + err.str());
}

// A folder with the generated databases; the 30-season league as its live file when filled.
fs::path FreshFolder(const fs::path& folder, bool filled) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : kLeagueFiles)
        fs::copy_file(fs::path(GRIDORA_SEED_DATABASE_DIR) / name, folder / name);
    if (filled) {
        // The live league made from the blank one, which holds no players or managers.
        fs::copy_file(folder / "Gridora - Blank.mdb", folder / "Gridora - Live.mdb",
                      fs::copy_options::overwrite_existing);
        gr::db::Database league((folder / "Gridora - Live.mdb").string(), gr::GetDatabaseKey());
        HistoryLeague(league).Build();
    }
    return folder;
}

// The built league and the files exported from it, made once.
struct History {
    fs::path root = fs::temp_directory_path() / "gr-bench-league-history";
    fs::path league = root / "league";
    fs::path document = root / "league.json";
    fs::path sheet = root / "season.csv";

    History() {
        FreshFolder(league, true);
        Admin({"export-league", document.string()}, league);
        Admin({"export-season", std::to_string(kFirstYear + kSeasons / 2), sheet.string()}, league);
    }
    ~History() { fs::remove_all(root); }
    History(const History&) = delete;
    History& operator=(const History&) = delete;
};

History& Files() {
    static History history;
    return history;
}

void BM_ImportLeague30SeasonsIntoBlank(benchmark::State& state) {
    const History& files = Files();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = FreshFolder(files.root / ("blank" + std::to_string(run++)), false);
        Admin({"use", "blank"}, folder);
        state.ResumeTiming();
        Admin({"import-league", files.document.string()}, folder);
    }
}

void BM_ImportSeasonSheetInto30Seasons(benchmark::State& state) {
    const History& files = Files();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = files.root / ("season" + std::to_string(run++));
        fs::remove_all(folder);
        fs::copy(files.league, folder);
        state.ResumeTiming();
        Admin({"import-season", files.sheet.string(), "--replace"}, folder);
    }
}

BENCHMARK(BM_ImportLeague30SeasonsIntoBlank)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportSeasonSheetInto30Seasons)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
