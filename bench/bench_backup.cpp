// Backup and restore of a 20 MB live league file through the real services, against a
// plain copy of the same file measured in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "ComponentFactory.h"
#include "GRServiceUtils.h"
#include "ISetupService.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr uintmax_t kLeagueBytes = 20u << 20;

// A database folder with a live league grown to 20 MB, kept for the whole run.
class LeagueFolder {
  public:
    LeagueFolder() {
        for (const char* file : {"Gridora - Live.mdb", "Gridora - Setup.mdb"})
            m_folder.CopyGenerated(file);
        GrowLeague(File("Gridora - Live.mdb"));
        gr::host::SetDatabaseFolderOverride(m_folder.Path().string());
    }
    ~LeagueFolder() { gr::host::SetDatabaseFolderOverride(""); }
    std::string File(const std::string& name) const { return m_folder.File(name); }
    void RemoveBackups() const {
        for (const auto& entry : fs::directory_iterator(m_folder.Path()))
            if (entry.path().filename().string().rfind("Gridora - Backup", 0) == 0)
                fs::remove(entry.path());
    }

  private:
    // Retired players with long names fill the catalogue up to the target size; the file
    // grows by pages, so rows go in batches until the pages reach it.
    static void GrowLeague(const std::string& path) {
        gr::db::Database league(path, gr::GetDatabaseKey());
        const std::string padding(80, 'x');
        int32_t id = league.NextId("player info");
        while (FileBytes(league) < kLeagueBytes) {
            gr::db::Transaction transaction(league);
            gr::db::Statement insert(
                league,
                "insert into [player info] ([id], [first name], [last name], "
                "[position id], [team id], [is retired]) values (?, ?, ?, 1, 1, 1)");
            for (int32_t i = 0; i < 20000; ++i, ++id)
                insert.Bind(1, id).Bind(2, "First" + std::to_string(id)).Bind(3, padding).Run();
            transaction.Commit();
        }
    }

    static uintmax_t FileBytes(gr::db::Database& league) {
        gr::db::Statement pages(league, "pragma page_count");
        gr::db::Statement size(league, "pragma page_size");
        pages.Step();
        size.Step();
        return static_cast<uintmax_t>(pages.GetLong(0)) * static_cast<uintmax_t>(size.GetLong(0));
    }

    gr::test::TempFolder m_folder;
};

LeagueFolder& Folder() {
    static LeagueFolder folder;
    return folder;
}

gr::ComPtr<gr::ISetupService> InitializedService() {
    Folder();  // never the program's own database folder
    std::string error;
    auto service = gr::CreateObjectAs<gr::ISetupService>("GRSetupSrvc.SetupService", error);
    if (!service || !service->Initialize(error)) throw std::runtime_error(error);
    return service;
}

void ReportSize(benchmark::State& state) {
    state.counters["MB"] =
        static_cast<double>(fs::file_size(Folder().File("Gridora - Live.mdb"))) / (1 << 20);
}

void BM_PlainFileCopy(benchmark::State& state) {
    const std::string live = Folder().File("Gridora - Live.mdb");
    const std::string copy = Folder().File("plain copy.mdb");
    for (auto _ : state) fs::copy_file(live, copy, fs::copy_options::overwrite_existing);
    fs::remove(copy);
    ReportSize(state);
}

void BM_CreateBackup(benchmark::State& state) {
    auto service = InitializedService();
    for (auto _ : state) {
        std::string error;
        if (!service->CreateBackup(error)) state.SkipWithError(error.c_str());
        state.PauseTiming();
        Folder().RemoveBackups();
        state.ResumeTiming();
    }
    ReportSize(state);
}

// Each restore also keeps the replaced live file as a backup of its own.
void BM_RestoreBackup(benchmark::State& state) {
    const std::string chosen = Folder().File("chosen.mdb");
    fs::copy_file(Folder().File("Gridora - Live.mdb"), chosen,
                  fs::copy_options::overwrite_existing);
    auto service = InitializedService();
    for (auto _ : state) {
        std::string error;
        if (!service->RestoreBackup(chosen, error)) state.SkipWithError(error.c_str());
        state.PauseTiming();
        Folder().RemoveBackups();
        state.ResumeTiming();
    }
    ReportSize(state);
}

BENCHMARK(BM_PlainFileCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CreateBackup)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RestoreBackup)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
