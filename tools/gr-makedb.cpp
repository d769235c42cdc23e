// gr-makedb <data folder> <output folder>
// Generates the encrypted database files that ship with the program from the schema and
// seed data kept as text: Blank (reference data), Live (+ players), Test (+ demo league)
// and Setup. Each file is built under a temporary name and renamed when complete, so a
// failed run never leaves a half-built database behind.
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "gr-makedb-demo.h"
#include "gr-makedb-reference.h"

namespace fs = std::filesystem;
using gr::db::Database;

namespace {

using Filler = std::function<void(Database&)>;

void Generate(const fs::path& target, const Filler& fill) {
    fs::path partial = target;
    partial += ".partial";
    fs::remove(partial);
    try {
        {
            auto database = Database::Create(partial.string(), gr::GetDatabaseKey());
            gr::db::Transaction transaction(*database);
            fill(*database);
            transaction.Commit();
        }
        fs::rename(partial, target);
    } catch (...) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw;
    }
}

void FillReference(Database& database, const fs::path& data) {
    gr::makedb::RunScript(database, data / "league-schema.sql");
    gr::makedb::RunScript(database, data / "reference-data.sql");
    gr::makedb::LoadTeams(database, data / "nfl-teams.csv");
}

void FillLive(Database& database, const fs::path& data) {
    FillReference(database, data);
    gr::makedb::LoadPlayers(database, data / "nfl-players-2023.csv");
}

void FillTest(Database& database, const fs::path& data, int32_t year) {
    FillLive(database, data);
    gr::makedb::LoadDemoLeague(database, data, year);
}

int32_t BuildYear() {
    return static_cast<int32_t>(gr::host::Today().year());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gr-makedb <data folder> <output folder>\n";
        return 2;
    }
    const fs::path data = argv[1];
    const fs::path out = argv[2];
    try {
        fs::create_directories(out);
        const auto file = [&](gr::DBTypeEnum type) { return out / gr::GetDatabaseFileName(type); };
        Generate(file(gr::DBBlank), [&](Database& db) { FillReference(db, data); });
        Generate(file(gr::DBLive), [&](Database& db) { FillLive(db, data); });
        Generate(file(gr::DBTest), [&](Database& db) { FillTest(db, data, BuildYear()); });
        Generate(file(gr::DBSetup),
                 [&](Database& db) { gr::makedb::RunScript(db, data / "setup-schema.sql"); });
    } catch (const std::exception& e) {
        std::cerr << "gr-makedb: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
