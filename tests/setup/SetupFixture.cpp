#include "SetupFixture.h"

#include <algorithm>
#include <filesystem>

#include "GRServiceUtils.h"
#include "ServiceHost.h"

namespace gr::test {

namespace fs = std::filesystem;

void SetupFixture::SetUp() {
    // Live is the blank league here, so it can be told apart from the test league.
    livePath = dir.File("Gridora - Live.mdb");
    fs::copy_file(fs::path(GRIDORA_SEED_DATABASE_DIR) / "Gridora - Blank.mdb", livePath);
    testPath = dir.CopyGenerated("Gridora - Test.mdb");
    dir.CopyGenerated("Gridora - Blank.mdb");
    setupPath = dir.CopyGenerated("Gridora - Setup.mdb");
    host::SetDatabaseFolderOverride(dir.Path().string());
    SetToday(2024, 3, 15);
}

void SetupFixture::TearDown() {
    host::SetDatabaseFolderOverride("");
    host::SetTodayProvider(nullptr);
}

ComPtr<SetupService> SetupFixture::MakeService() {
    return MakeCom<SetupService>([this]() -> ComPtr<IDataService> {
        fakes.push_back(MakeCom<FakeDataService>());
        return fakes.back();
    });
}

ComPtr<SetupService> SetupFixture::InitializedService() {
    auto service = MakeService();
    std::string error;
    EXPECT_TRUE(service->Initialize(error)) << error;
    return service;
}

ComPtr<SetupService> SetupFixture::RealService() {
    auto service = MakeCom<SetupService>();
    std::string error;
    EXPECT_TRUE(service->Initialize(error)) << error;
    return service;
}

bool SetupFixture::IsHeld(const std::string& path) {
    try {
        db::Database probe(path, GetDatabaseKey());
        return false;
    } catch (const db::DbError& e) {
        return std::string(e.what()).find("locked") != std::string::npos;
    }
}

SetupInfo& SetupFixture::InfoOf(const ComPtr<SetupService>& service) {
    return *static_cast<SetupInfo*>(service->get_SetupInfo().get());
}

void SetupFixture::SetSetupColumn(const std::string& column, const std::string& value) {
    db::Database setup(setupPath, GetDatabaseKey());
    db::Statement update(setup, "update [settings] set [" + column + "] = ? where [ID] = 1");
    update.Bind(1, value).Run();
}

std::string SetupFixture::SetupColumn(const std::string& column) {
    db::Database setup(setupPath, GetDatabaseKey());
    db::Statement row(setup, "select * from [settings] where [ID] = 1");
    return row.Step() ? row.GetText(column) : "<no row>";
}

void SetupFixture::SetToday(int year, unsigned month, unsigned day) {
    const std::chrono::year_month_day today{std::chrono::year{year}, std::chrono::month{month},
                                            std::chrono::day{day}};
    host::SetTodayProvider([today] { return today; });
}

std::string SetupFixture::BackupPath(const std::string& date, const std::string& counter) const {
    return dir.File("Gridora - Backup - " + date + " - " + counter + ".mdb");
}

std::vector<std::string> SetupFixture::FilesStartingWith(const std::string& prefix) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int32_t SetupFixture::SeasonCount(const std::string& path) {
    db::Database database(path, GetDatabaseKey());
    db::Statement count(database, "select count(*) from [season info]");
    count.Step();
    return count.GetLong(0);
}

}  // namespace gr::test
