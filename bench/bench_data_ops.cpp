// Search, draft and winnings storing of the data service on a catalogue of 10,000 players
// and 32 teams and a league of 30 seasons (14 managers, 16 rounds, 8 prizes, 60 winnings
// each). The one-word search is measured against the same query run straight through the
// SQLite API without building objects (the floor), in the same run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchLeague.h"
#include "BenchLeagueBuilder.h"
#include "DataService.h"
#include "GRServiceUtils.h"
#include "SearchQuery.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kPlayers = 10000;
constexpr int32_t kTeams = 32;
constexpr int32_t kSeasons = 30;
constexpr int32_t kManagers = 14;
constexpr int32_t kManagerPool = 20;
constexpr int32_t kRounds = 16;
constexpr int32_t kPicks = kManagers * kRounds;
constexpr int32_t kPrizes = 8;
constexpr int32_t kWinnings = 60;
constexpr int32_t kFirstYear = 1995;
// Players 1..kPicks are drafted in the current season; the spare ones stand in for them.
constexpr int32_t kSpareFrom = 5001;

// One hundred last-name stems, each starting with a consonant ("Ban", "Bar", "Ben", ...),
// and one hundred first names starting with a vowel: a stem begins about 100 last names and
// no first name, so a one-word search for it returns about 100 players.
std::string LastStem(int32_t n) {
    static const std::array<char, 10> consonants{'B', 'D', 'K', 'L', 'M', 'N', 'P', 'R', 'S', 'T'};
    static const std::array<char, 5> vowels{'a', 'e', 'i', 'o', 'u'};
    static const std::array<char, 2> ends{'n', 'r'};
    return {consonants[n / 10 % 10], vowels[n / 2 % 5], ends[n % 2]};
}

std::string FirstName(int32_t n) {
    static const std::array<char, 5> vowels{'A', 'E', 'I', 'O', 'U'};
    static const std::array<char, 10> middles{'b', 'd', 'k', 'l', 'm', 'n', 'p', 'r', 's', 't'};
    static const std::array<const char*, 2> ends{"an", "o"};
    return std::string(1, vowels[n / 20 % 5]) + middles[n / 2 % 10] + ends[n % 2];
}

const std::string kSearchWord = LastStem(0);  // "Ban"

// Players named so that one word finds about a hundred; every pick is a player: players
// 1..224 in every season.
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
                                        .firstYear = kFirstYear}) {
        if (CountTeams() != kTeams) throw std::runtime_error("The blank league lacks its teams");
    }

  private:
    int32_t CountTeams() {
        gr::db::Statement count(m_db, "select count(*) from [team info]");
        count.Step();
        return count.GetLong(0);
    }

    void BindPlayer(gr::db::Statement& insert, int32_t id) override {
        insert.Bind(2, FirstName(id / 100))
            .Bind(3, LastStem(id % 100) + std::to_string(id))
            .Bind(4, id % 5 + 1)
            .Bind(5, id % kTeams + 1)
            .Bind(6, id % 17 == 0);
    }

    bool FeePaid(int32_t /*slot*/) const override { return true; }

    void AddDraft(int32_t season) override {
        gr::db::Statement draft(m_db,
                                "insert into [draft info] ([season id], [draft no], [manager id], "
                                "[player id]) values (?1, ?2, ?3, ?4)");
        for (int32_t pick = 1; pick <= kPicks; ++pick)
            draft.Bind(1, season)
                .Bind(2, pick)
                .Bind(3, ManagerOf(season, (pick - 1) % kManagers))
                .Bind(4, pick)
                .Run();
    }

    void AddWinnings(int32_t season) override {
        gr::db::Statement win(m_db,
                              "insert into [winning info] ([id], [season id], [manager id], "
                              "[prize id], [week #]) values (?1, ?2, ?3, ?4, ?5)");
        for (int32_t w = 1; w <= kWinnings; ++w)
            win.Bind(1, (season - 1) * kWinnings + w)
                .Bind(2, season)
                .Bind(3, ManagerOf(season, w % kManagers))
                .Bind(4, 5)
                .Bind(5, w % 17 + 1)
                .Run();
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

// Every player of the catalogue by id, as the service hands them out.
std::map<int32_t, gr::ComPtr<gr::IPickable>> AllPlayers(gr::IDataService& service) {
    std::map<int32_t, gr::ComPtr<gr::IPickable>> players;
    auto found = service.Search(gr::TypePlayerOrTeam, "", false, false);
    for (const auto& player : found->ItemsAs<gr::IPlayerInfo>())
        players[player->get_ID()] = player.As<gr::IPickable>();
    return players;
}

// ---- Search -------------------------------------------------------------------------------

void BM_SearchOneWord(benchmark::State& state) {
    auto service = StartedService();
    int64_t found = 0;
    for (auto _ : state) {
        auto results = service->Search(gr::TypePlayerOrTeam, kSearchWord);
        found = results->Count();
        benchmark::DoNotOptimize(results);
    }
    state.counters["results"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchOneWord)->Unit(benchmark::kMillisecond);

// The same search on a service whose caches are dropped before every call: every found
// player is built.
void BM_SearchOneWordCold(benchmark::State& state) {
    auto service = StartedService();
    std::string message;
    for (auto _ : state) {
        state.PauseTiming();
        service->CloseDatabase();
        if (!service->OpenDatabase(true, message)) throw std::runtime_error(message);
        state.ResumeTiming();
        benchmark::DoNotOptimize(service->Search(gr::TypePlayerOrTeam, kSearchWord));
    }
}
BENCHMARK(BM_SearchOneWordCold)->Unit(benchmark::kMillisecond);

// The floor: the player query of a search through the SQLite API, every column read, no
// objects built.
void RunSearchFloor(benchmark::State& state, const std::string& text) {
    Folder();
    gr::db::Database league(Folder().LivePath(), gr::GetDatabaseKey());
    const gr::data::PlayerSearchQuery query(text, true);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(league.Handle(), query.Sql().c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(league.Handle()));
    int64_t found = 0;
    for (auto _ : state) {
        int parameter = 0;
        for (const std::string& pattern : query.Patterns())
            sqlite3_bind_text(stmt, ++parameter, pattern.c_str(), -1, SQLITE_TRANSIENT);
        found = 0;
        int64_t sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            sum += sqlite3_column_int(stmt, 0) + sqlite3_column_bytes(stmt, 1) +
                   sqlite3_column_bytes(stmt, 2) + sqlite3_column_int(stmt, 3) +
                   sqlite3_column_int(stmt, 4) + sqlite3_column_int(stmt, 5);
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 1));
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 2));
            ++found;
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_finalize(stmt);
    state.counters["results"] = static_cast<double>(found);
}

void BM_SearchOneWordFloor(benchmark::State& state) {
    RunSearchFloor(state, kSearchWord);
}
BENCHMARK(BM_SearchOneWordFloor)->Unit(benchmark::kMillisecond);

void BM_SearchWholeCatalogue(benchmark::State& state) {
    auto service = StartedService();
    int64_t found = 0;
    for (auto _ : state) {
        auto results = service->Search(gr::TypePlayerOrTeam, "");
        found = results->Count();
        benchmark::DoNotOptimize(results);
    }
    state.counters["results"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchWholeCatalogue)->Unit(benchmark::kMillisecond);

void BM_SearchWholeCatalogueCold(benchmark::State& state) {
    auto service = StartedService();
    std::string message;
    for (auto _ : state) {
        state.PauseTiming();
        service->CloseDatabase();
        if (!service->OpenDatabase(true, message)) throw std::runtime_error(message);
        state.ResumeTiming();
        benchmark::DoNotOptimize(service->Search(gr::TypePlayerOrTeam, ""));
    }
}
BENCHMARK(BM_SearchWholeCatalogueCold)->Unit(benchmark::kMillisecond);

void BM_SearchWholeCatalogueFloor(benchmark::State& state) {
    RunSearchFloor(state, "");
}
BENCHMARK(BM_SearchWholeCatalogueFloor)->Unit(benchmark::kMillisecond);

// ---- SaveDrafts ---------------------------------------------------------------------------

// Changes picks first..last of the current season to the drafted players (players 1..224)
// or to the spare ones, whichever they do not hold now.
void TogglePicks(gr::IDataService& service,
                 const std::map<int32_t, gr::ComPtr<gr::IPickable>>& players, int32_t first,
                 int32_t last, bool toSpare) {
    auto season = service.GetCurrentSeasonInfo();
    for (int32_t pick = first; pick <= last; ++pick) {
        auto draft = season->get_Drafts()->ItemAs<gr::IDraftInfo>(pick);
        const int32_t player = toSpare ? kSpareFrom + pick : pick;
        season->UpdateDraft(players.at(player), pick, draft->get_Manager());
    }
}

void BM_SaveDraftsAllPicks(benchmark::State& state) {
    auto service = StartedService();
    const auto players = AllPlayers(*service);
    bool toSpare = true;
    for (auto _ : state) {
        state.PauseTiming();
        TogglePicks(*service, players, 1, kPicks, toSpare);
        toSpare = !toSpare;
        state.ResumeTiming();
        if (!service->SaveDrafts()) throw std::runtime_error("SaveDrafts failed");
    }
}
BENCHMARK(BM_SaveDraftsAllPicks)->Unit(benchmark::kMillisecond);

void BM_SaveDraftsOnePick(benchmark::State& state) {
    auto service = StartedService();
    const auto players = AllPlayers(*service);
    bool toSpare = true;
    for (auto _ : state) {
        state.PauseTiming();
        TogglePicks(*service, players, 100, 100, toSpare);
        toSpare = !toSpare;
        state.ResumeTiming();
        if (!service->SaveDrafts()) throw std::runtime_error("SaveDrafts failed");
    }
}
BENCHMARK(BM_SaveDraftsOnePick)->Unit(benchmark::kMillisecond);

// What the store itself costs: the same picks written in one transaction through the SQLite
// API (the last count picks, alternating between the drafted and the spare players). With one pick
// this is the price of a durable commit on this disk.
void BM_SaveDraftsFloor(benchmark::State& state) {
    Folder();
    gr::db::Database league(Folder().LivePath(), gr::GetDatabaseKey());
    sqlite3* db = league.Handle();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "update [draft info] set [player id] = ?3, [team id] = null "
                       "where [season id] = ?1 and [draft no] = ?2",
                       -1, &stmt, nullptr);
    const auto count = static_cast<int32_t>(state.range(0));
    bool toSpare = true;
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int32_t pick = kPicks - count + 1; pick <= kPicks; ++pick) {
            sqlite3_bind_int(stmt, 1, kSeasons);
            sqlite3_bind_int(stmt, 2, pick);
            sqlite3_bind_int(stmt, 3, toSpare ? kSpareFrom + pick : pick);
            if (sqlite3_step(stmt) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(stmt);
        }
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        toSpare = !toSpare;
    }
    sqlite3_finalize(stmt);
    // Leave the season as the other benchmarks expect it: picks hold players 1..224.
    if (!toSpare) {
        gr::db::Statement back(league,
                               "update [draft info] set [player id] = [draft no] "
                               "where [season id] = ?1");
        back.Bind(1, kSeasons).Run();
    }
}
BENCHMARK(BM_SaveDraftsFloor)->Arg(1)->Arg(kPicks)->Unit(benchmark::kMillisecond);

// ---- SaveWinnings -------------------------------------------------------------------------

void BM_SaveWinningsSixtyNew(benchmark::State& state) {
    auto service = StartedService();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<gr::ComPtr<gr::IWinningInfo>> added;
        for (int32_t w = 1; w <= 60; ++w) {
            gr::ComPtr<gr::IWinningInfo> win;
            service->AddWinning(win);
            win->let_ManagerID(std::to_string(w % kManagerPool + 1));
            win->let_PrizeID(std::to_string(w % 2 == 0 ? 5 : 7));
            win->let_Week(w % 17 + 1);
            win->let_Action(gr::ActionTypeAdd);
            added.push_back(win);
        }
        state.ResumeTiming();
        if (!service->SaveWinnings()) throw std::runtime_error("SaveWinnings failed");
        state.PauseTiming();
        // The table keeps its size from one round to the next.
        for (const auto& win : added) win->let_Action(gr::ActionTypeRemove);
        if (!service->SaveWinnings()) throw std::runtime_error("SaveWinnings failed");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveWinningsSixtyNew)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
