// gridora-admin through the real executable and the real services, on temporary copies of
// the generated databases.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tuple>

#include "ComponentFactory.h"
#include "Csv.h"
#include "GRServiceUtils.h"
#include "ProcessRunner.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "WorkingCopy.h"

namespace gr::admin::test {
namespace {

using JsonNode = nlohmann::json;
using csv::CsvLine;
using csv::CsvRecord;
using csv::ParseCsv;

namespace fs = std::filesystem;

const char* const kDatabaseFiles[] = {"Gridora - Live.mdb", "Gridora - Test.mdb",
                                      "Gridora - Blank.mdb", "Gridora - Setup.mdb"};
constexpr int kShippedRosterSize = 588;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

std::string Describe(const ProcessResult& r) {
    return "exit " + std::to_string(r.exitCode) + "\nstdout:\n" + r.out + "\nstderr:\n" + r.err;
}

std::string MakeTemporaryFolder(const std::string& prefix) {
    std::string pattern = (fs::path(testing::TempDir()) / (prefix + "-XXXXXX")).string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

class AdminCli : public testing::Test {
  protected:
    // The suite generates its own databases with gr-makedb, as the build does: the build's
    // copies in build/Databases change whenever the program is run on them.
    static void SetUpTestSuite() {
        s_generated = MakeTemporaryFolder("gr-admin-generated");
        ASSERT_FALSE(s_generated.empty());
        const ProcessResult made = RunProcess(
            {GRIDORA_MAKEDB_EXE, (fs::path(GRIDORA_SOURCE_DIR) / "data").string(), s_generated});
        ASSERT_EQ(made.exitCode, 0) << Describe(made);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_generated, ec);
    }

    void SetUp() override {
        ASSERT_FALSE(s_generated.empty());
        m_folder = MakeTemporaryFolder("gr-admin");
        ASSERT_FALSE(m_folder.empty());
        for (const char* name : kDatabaseFiles) {
            const fs::path source = fs::path(s_generated) / name;
            ASSERT_TRUE(fs::exists(source)) << source << " was not generated";
            fs::copy_file(source, m_folder / name);
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    ProcessResult Run(std::vector<std::string> args, const std::string& input = {}) const {
        args.insert(args.begin(), GRIDORA_ADMIN_EXE);
        args.push_back("--database-folder");
        args.push_back(m_folder.string());
        return RunProcess(args, input);
    }

    // Runs a command that must succeed and print one JSON document.
    JsonNode RunJson(std::vector<std::string> args) const {
        args.push_back("--json");
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << Describe(r);
        JsonNode node = JsonNode::parse(r.out, nullptr, false);
        EXPECT_FALSE(node.is_discarded()) << Describe(r);
        return node;
    }

    void Use(const std::string& type) const {
        const ProcessResult r = Run({"use", type});
        ASSERT_EQ(r.exitCode, 0) << Describe(r);
    }

    double InfoNumber(const std::string& key) const {
        const JsonNode info = RunJson({"info"});
        return info.contains(key) ? info.at(key).get<double>() : -1;
    }

    // The exported catalogue as CSV records, header included.
    std::vector<CsvRecord> Export() const {
        const fs::path file = m_folder / "export.csv";
        const ProcessResult r = Run({"export-players", file.string()});
        EXPECT_EQ(r.exitCode, 0) << Describe(r);
        return ParseCsv(ReadFile(file));
    }

    fs::path Live() const { return m_folder / "Gridora - Live.mdb"; }

    static inline std::string s_generated;
    fs::path m_folder;
};

const fs::path kShippedRoster = fs::path(GRIDORA_SOURCE_DIR) / "data" / "nfl-players-2023.csv";

TEST_F(AdminCli, InfoDescribesTheLiveLeague) {
    const JsonNode info = RunJson({"info"});
    ASSERT_EQ(info.is_object(), true);
    EXPECT_EQ(fs::path(info.at("database_folder").get<std::string>()), m_folder);
    EXPECT_EQ(info.at("database_type"), "Live");
    EXPECT_EQ(info.at("database_type_id"), 1);
    EXPECT_EQ(info.at("players"), kShippedRosterSize);
    EXPECT_TRUE(info.at("last_backup").is_null());
    EXPECT_EQ(info.at("backup_files"), 0);
    for (const char* key : {"seasons", "managers", "prizes", "current_season"})
        EXPECT_TRUE(info.contains(key)) << key;

    const ProcessResult text = Run({"info"});
    ASSERT_EQ(text.exitCode, 0) << Describe(text);
    EXPECT_NE(text.out.find("Database folder:"), std::string::npos);
    EXPECT_NE(text.out.find("Players:          588"), std::string::npos) << text.out;
}

TEST_F(AdminCli, UseSwitchesTheDatabaseTypeAndRefusesOthers) {
    const ProcessResult r = Run({"use", "test"});
    ASSERT_EQ(r.exitCode, 0) << Describe(r);
    EXPECT_EQ(r.out, "Database type set to Test.\n");
    EXPECT_EQ(RunJson({"info"}).at("database_type"), "Test");

    const ProcessResult bad = Run({"use", "backup"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("Unknown database type backup: use live, test or blank."),
              std::string::npos)
        << Describe(bad);
    EXPECT_EQ(RunJson({"info"}).at("database_type"), "Test");
}

TEST_F(AdminCli, UseRefusesATypeWhoseFileIsMissing) {
    fs::remove(m_folder / "Gridora - Blank.mdb");
    const ProcessResult r = Run({"use", "blank"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Gridora - Blank.mdb is missing."), std::string::npos) << Describe(r);
    EXPECT_EQ(RunJson({"info"}).at("database_type"), "Live");
}

TEST_F(AdminCli, SeasonsAndEachSeasonOfTheTestLeague) {
    Use("test");
    const JsonNode seasons = RunJson({"seasons"});
    ASSERT_EQ(seasons.is_array(), true);
    ASSERT_FALSE(seasons.empty());
    double previous = 0;
    for (const JsonNode& s : seasons) {
        const double year = s.at("year").get<double>();
        EXPECT_GT(year, previous);  // oldest first
        previous = year;
        for (const char* key :
             {"managers", "rounds", "fee", "regular_weeks", "total_weeks", "ranking_locked",
              "draft_locked", "season_locked", "season_started"})
            EXPECT_TRUE(s.contains(key)) << key;

        const std::string yearText = std::to_string(static_cast<int>(year));
        const JsonNode season = RunJson({"season", yearText});
        EXPECT_EQ(season.at("year"), year);
        const double managers = season.at("managers_count").get<double>();
        double lastPick = 0;
        for (const JsonNode& pick : season.at("draft")) {
            const double no = pick.at("pick").get<double>();
            EXPECT_GT(no, lastPick);
            lastPick = no;
            EXPECT_EQ(pick.at("round"), static_cast<int>((no - 1) / managers) + 1);
            EXPECT_FALSE(pick.at("name").get<std::string>().empty());
        }
        for (const JsonNode& win : season.at("winnings")) {
            EXPECT_FALSE(win.at("prize").get<std::string>().empty());
            EXPECT_GE(win.at("share").get<double>(), 0);
        }
        const ProcessResult text = Run({"season", yearText});
        ASSERT_EQ(text.exitCode, 0) << Describe(text);
        EXPECT_EQ(text.out.rfind("Season " + yearText + "\n", 0), 0u) << text.out;
    }
}

// Shares as the program's winnings screen counts winners: a season prize (type 1) among all
// its winners whatever their weeks, a weekly prize among the winners of the same week.
TEST_F(AdminCli, JointWinnersShareThePrize) {
    constexpr int32_t kChampion = 1, kWeeklyHighScore = 5;
    {
        db::Database league((m_folder / "Gridora - Test.mdb").string(), GetDatabaseKey());
        db::Statement season(league, "select [id] from [season info] where [season year] = 2025");
        ASSERT_TRUE(season.Step());
        const int32_t seasonId = season.GetLong("id");
        db::Statement playing(league,
                              "select [manager id] from [playing info] where [season id] = ? "
                              "order by [manager id]");
        playing.Bind(1, seasonId);
        ASSERT_TRUE(playing.Step());
        const int32_t first = playing.GetLong("manager id");
        ASSERT_TRUE(playing.Step());
        const int32_t second = playing.GetLong("manager id");
        // One more champion, stored with a week of its own, and one more winner of week 1.
        for (const auto& [manager, prize, week] :
             {std::tuple{first, kChampion, 3}, std::tuple{second, kWeeklyHighScore, 1}}) {
            db::Statement add(league,
                              "insert into [winning info] ([id], [season id], [manager id], "
                              "[prize id], [week #]) values (?, ?, ?, ?, ?)");
            add.Bind(1, league.NextId("winning info"))
                .Bind(2, seasonId)
                .Bind(3, manager)
                .Bind(4, prize)
                .Bind(5, week)
                .Run();
        }
    }
    Use("test");
    const JsonNode season = RunJson({"season", "2025"});
    std::map<std::string, std::vector<double>> shares;  // prize and week -> shares
    for (const JsonNode& win : season.at("winnings")) {
        const std::string week = std::to_string(static_cast<int>(win.at("week").get<double>()));
        shares[win.at("prize").get<std::string>() + " " + week].push_back(
            win.at("share").get<double>());
    }
    EXPECT_EQ(shares["Champion 0"], (std::vector<double>{276}));  // 552 between two
    EXPECT_EQ(shares["Champion 3"], (std::vector<double>{276}));
    EXPECT_EQ(shares["Weekly High Score 1"], (std::vector<double>{6, 6}));  // 12 between two
    EXPECT_EQ(shares["Weekly High Score 2"], (std::vector<double>{12}));
    EXPECT_EQ(shares["Runner-up 0"], (std::vector<double>{240}));
}

TEST_F(AdminCli, SeasonOfAnUnknownYearFails) {
    const ProcessResult missing = Run({"season", "1800"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("There is no season 1800."), std::string::npos) << Describe(missing);
    const ProcessResult bad = Run({"season", "20x3"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("YEAR must be a year"), std::string::npos) << Describe(bad);
}

TEST_F(AdminCli, SearchFindsPlayersByTheStartOfTheirNames) {
    const JsonNode found = RunJson({"search", "player", "Ja'Marr"});
    ASSERT_EQ(found.is_array(), true);
    bool chase = false;
    for (const JsonNode& item : found) {
        if (item.at("type") != "player") continue;
        EXPECT_EQ(item.at("first_name").get<std::string>().rfind("Ja'Marr", 0), 0u);
        chase = chase || (item.at("name") == "Ja'Marr Chase" && item.at("position") == "WR" &&
                          item.at("team") == "CIN");
    }
    EXPECT_TRUE(chase);

    const JsonNode positions = RunJson({"search", "position", ""});
    EXPECT_FALSE(positions.empty());
    for (const JsonNode& item : positions) EXPECT_EQ(item.at("type"), "position");

    const ProcessResult text = Run({"search", "player", "Chase"});
    ASSERT_EQ(text.exitCode, 0) << Describe(text);
    EXPECT_NE(text.out.find("Ja'Marr Chase"), std::string::npos) << text.out;

    const ProcessResult bad = Run({"search", "coach", "x"});
    EXPECT_EQ(bad.exitCode, 2) << Describe(bad);
}

TEST_F(AdminCli, SearchOfManagersAndPrizesInTheTestLeague) {
    Use("test");
    const JsonNode managers = RunJson({"search", "manager", ""});
    ASSERT_FALSE(managers.empty());
    for (const JsonNode& m : managers) EXPECT_EQ(m.at("type"), "manager");
    const JsonNode prizes = RunJson({"search", "prize", ""});
    ASSERT_FALSE(prizes.empty());
    for (const JsonNode& p : prizes) EXPECT_EQ(p.at("type"), "prize");
    const JsonNode playing = RunJson({"search", "manager", "", "--season-only"});
    EXPECT_LE(playing.size(), managers.size());
}

TEST_F(AdminCli, ShippedRosterImportsIntoBlankAndReimportsWithoutChanges) {
    Use("blank");
    EXPECT_EQ(InfoNumber("players"), 0);
    const ProcessResult first = Run({"import-players", kShippedRoster.string()});
    ASSERT_EQ(first.exitCode, 0) << Describe(first);
    EXPECT_EQ(first.out, "588 added, 0 changed, 0 unchanged.\n");
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize);

    const fs::path exported = m_folder / "roster.csv";
    const ProcessResult exportRun = Run({"export-players", exported.string()});
    ASSERT_EQ(exportRun.exitCode, 0) << Describe(exportRun);
    EXPECT_EQ(ParseCsv(ReadFile(exported)).size(), kShippedRosterSize + 1u);

    for (const fs::path& file : {exported, kShippedRoster}) {
        const ProcessResult again = Run({"import-players", file.string()});
        ASSERT_EQ(again.exitCode, 0) << Describe(again);
        EXPECT_EQ(again.out, "0 added, 0 changed, 588 unchanged.\n");
    }
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize);
}

TEST_F(AdminCli, OneBadRowWritesNothingAndNamesItsLine) {
    Use("blank");
    const fs::path file = m_folder / "bad.csv";
    WriteFile(file,
              "last_name,first_name,position,team\n"
              "Good,One,QB,ATL\n"
              "Bad,Row,QB,XYZ\n"
              "Good,Two,RB,BUF\n");
    const ProcessResult r = Run({"import-players", file.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(file.string() + ":3: unknown team 'XYZ'"), std::string::npos)
        << Describe(r);
    EXPECT_NE(r.err.find("Nothing was imported: 1 bad row."), std::string::npos) << Describe(r);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(InfoNumber("players"), 0);
}

TEST_F(AdminCli, AWriteThatFailsHalfWayLeavesTheLeagueFileAsItWas) {
    Use("blank");
    {
        // The engine refuses one player, after the rows before it were written.
        db::Database blank((m_folder / "Gridora - Blank.mdb").string(), GetDatabaseKey());
        blank.Execute(
            "create trigger [refuse] before insert on [player info] "
            "when new.[last name] = 'Refused' begin select raise(abort, 'refused here'); end");
    }
    const std::string before = ReadFile(m_folder / "Gridora - Blank.mdb");
    const fs::path file = m_folder / "refused.csv";
    WriteFile(file,
              "last_name,first_name,position,team\n"
              "Good,One,QB,ATL\n"
              "Good,Two,RB,BUF\n"
              "Refused,Three,WR,KC\n"
              "Good,Four,TE,DAL\n");
    const ProcessResult r = Run({"import-players", file.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("gridora-admin: Line 4: the player could not be stored: "),
              std::string::npos)
        << Describe(r);
    EXPECT_NE(r.err.find("refused here"), std::string::npos) << Describe(r);
    EXPECT_NE(r.err.find("Nothing was imported."), std::string::npos) << Describe(r);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(m_folder / "Gridora - Blank.mdb"), before);
    EXPECT_EQ(InfoNumber("players"), 0);
}

// While the import writes its copy, the program must not open the league file: what it wrote
// there would be lost when the copy is renamed over it.
TEST_F(AdminCli, TheLeagueFileStaysLockedWhileAnImportWritesItsCopy) {
    host::SetDatabaseFolderOverride(m_folder.string());
    std::string error;
    auto setup = CreateObjectAs<ISetupService>("GRSetupSrvc.SetupService", error);
    ASSERT_TRUE(setup) << error;
    ASSERT_TRUE(setup->Initialize(error)) << error;
    ComPtr<IDataService> data = setup->get_DataService();
    {
        WorkingCopy copy(*setup, *data);
        ASSERT_TRUE(copy.Begin(error)) << error;
        const ProcessResult during = RunProcess({GRIDORA_OPEN_HELPER, Live().string()});
        EXPECT_NE(during.exitCode, 0) << Describe(during);
        EXPECT_NE(during.out.find("locked"), std::string::npos) << Describe(during);
        ASSERT_TRUE(copy.Commit(error)) << error;
    }
    data = nullptr;
    setup = nullptr;
    host::SetDatabaseFolderOverride("");
    const ProcessResult after = RunProcess({GRIDORA_OPEN_HELPER, Live().string()});
    EXPECT_EQ(after.exitCode, 0) << Describe(after);
}

TEST_F(AdminCli, ImportLeavesNoWorkingFilesBehind) {
    Use("blank");
    ASSERT_EQ(Run({"import-players", kShippedRoster.string()}).exitCode, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Gridora - Blank.mdb", "Gridora - Live.mdb",
                                               "Gridora - Setup.mdb", "Gridora - Test.mdb"}));
}

TEST_F(AdminCli, DryRunCountsWithoutWriting) {
    Use("blank");
    const ProcessResult r = Run({"import-players", kShippedRoster.string(), "--dry-run"});
    ASSERT_EQ(r.exitCode, 0) << Describe(r);
    EXPECT_EQ(r.out, "Dry run, nothing written: 588 added, 0 changed, 0 unchanged.\n");
    EXPECT_EQ(InfoNumber("players"), 0);
}

TEST_F(AdminCli, ApostrophesCommasAndNonAsciiSurviveTheRoundTrip) {
    Use("blank");
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Foreman", "D'Onta"},
        {"Smith, Jr.", "Marvin"},
        {"M\xC3\xBCller", "J\xC3\xB6rg"},
        {"Nu\xC3\xB1"
         "ez",
         "Jos\xC3\xA9"},
        {"\xC5\x81ukasiewicz", "\xC5\x81ukasz"},
        {"\"Tank\" Dell", "Nathaniel"},
    };
    std::string csv = "last_name,first_name,position,team\r\n";
    for (const auto& [last, first] : names) csv += CsvLine({last, first, "WR", "HOU"});
    const fs::path file = m_folder / "names.csv";
    WriteFile(file, "\xEF\xBB\xBF" + csv);
    const ProcessResult r = Run({"import-players", file.string()});
    ASSERT_EQ(r.exitCode, 0) << Describe(r);
    EXPECT_EQ(r.out, "6 added, 0 changed, 0 unchanged.\n");

    const std::vector<CsvRecord> exported = Export();
    ASSERT_EQ(exported.size(), names.size() + 1);
    for (const auto& name : names) {
        const bool present = std::any_of(exported.begin(), exported.end(), [&](const CsvRecord& c) {
            return c.fields.size() >= 2 && c.fields[0] == name.first && c.fields[1] == name.second;
        });
        EXPECT_TRUE(present) << name.second << " " << name.first;
    }
    const ProcessResult again = Run({"import-players", (m_folder / "export.csv").string()});
    ASSERT_EQ(again.exitCode, 0) << Describe(again);
    EXPECT_EQ(again.out, "0 added, 0 changed, 6 unchanged.\n");

    const JsonNode found = RunJson({"search", "player", "M\xC3\xBCller"});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].at("name"), "J\xC3\xB6rg M\xC3\xBCller");
}

TEST_F(AdminCli, ImportMovesAMatchingPlayerToHisNewTeam) {
    const fs::path file = m_folder / "trade.csv";
    WriteFile(file, "last_name,first_name,position,team,retired\nAllen,Josh,QB,KC,0\n");
    const ProcessResult r = Run({"import-players", file.string()});
    ASSERT_EQ(r.exitCode, 0) << Describe(r);
    EXPECT_EQ(r.out, "0 added, 1 changed, 0 unchanged.\n");
    const std::vector<CsvRecord> exported = Export();
    const auto allen = std::find_if(exported.begin(), exported.end(), [](const CsvRecord& c) {
        return c.fields[0] == "Allen" && c.fields[1] == "Josh" && c.fields[2] == "QB";
    });
    ASSERT_NE(allen, exported.end());
    EXPECT_EQ(allen->fields[3], "KC");
    EXPECT_EQ(exported.size(), kShippedRosterSize + 1u);
}

TEST_F(AdminCli, BackupsAreNumberedWithinTheDay) {
    const std::string day = Today();
    for (const char* counter : {"01", "02"}) {
        const ProcessResult r = Run({"backup"});
        ASSERT_EQ(r.exitCode, 0) << Describe(r);
        const fs::path expected =
            m_folder / ("Gridora - Backup - " + day + " - " + counter + ".mdb");
        EXPECT_EQ(r.out, expected.string() + "\n");
        ASSERT_TRUE(fs::exists(expected));
        EXPECT_EQ(ReadFile(expected), ReadFile(Live()));
    }
    const JsonNode info = RunJson({"info"});
    const JsonNode* last = &info.at("last_backup");
    ASSERT_EQ(last->is_object(), true);
    EXPECT_EQ(last->at("count"), 2);
    EXPECT_EQ(last->at("date"), day.substr(0, 4) + "-" + day.substr(4, 2) + "-" + day.substr(6, 2));
    EXPECT_EQ(info.at("backup_files"), 2);
}

TEST_F(AdminCli, RestoreBringsBackTheBackedUpData) {
    const ProcessResult backup = Run({"backup"});
    ASSERT_EQ(backup.exitCode, 0) << Describe(backup);
    const std::string backupPath = backup.out.substr(0, backup.out.size() - 1);

    const fs::path file = m_folder / "rookie.csv";
    WriteFile(file, "last_name,first_name,position,team\nRookie,Newest,QB,DET\n");
    ASSERT_EQ(Run({"import-players", file.string()}).exitCode, 0);
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize + 1);

    const ProcessResult restore = Run({"restore", backupPath, "--yes"});
    ASSERT_EQ(restore.exitCode, 0) << Describe(restore);
    // The replaced data, with the rookie, is kept as the day's next backup.
    const fs::path kept = m_folder / ("Gridora - Backup - " + Today() + " - 02.mdb");
    EXPECT_EQ(restore.out, "Data restored successfully.\nThe data it replaced is kept in " +
                               kept.string() + "\n");
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize);
    ASSERT_EQ(Run({"restore", kept.string(), "--yes"}).exitCode, 0);
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize + 1);
}

TEST_F(AdminCli, RestoreAsksBeforeOverridingTheData) {
    const ProcessResult backup = Run({"backup"});
    ASSERT_EQ(backup.exitCode, 0) << Describe(backup);
    const std::string backupPath = backup.out.substr(0, backup.out.size() - 1);
    const std::string liveBefore = ReadFile(Live());

    const ProcessResult no = Run({"restore", backupPath}, "n\n");
    EXPECT_EQ(no.exitCode, 1);
    EXPECT_NE(no.err.find("Are you sure you want to override current data?"), std::string::npos);
    EXPECT_NE(no.err.find("Restore cancelled."), std::string::npos) << Describe(no);
    const ProcessResult noInput = Run({"restore", backupPath});
    EXPECT_EQ(noInput.exitCode, 1) << Describe(noInput);
    EXPECT_EQ(ReadFile(Live()), liveBefore);

    const ProcessResult yes = Run({"restore", backupPath}, "yes\n");
    EXPECT_EQ(yes.exitCode, 0) << Describe(yes);
}

TEST_F(AdminCli, RestoreRepairsADamagedLiveFile) {
    const ProcessResult backup = Run({"backup"});
    ASSERT_EQ(backup.exitCode, 0) << Describe(backup);
    const std::string backupPath = backup.out.substr(0, backup.out.size() - 1);
    WriteFile(Live(), std::string(4096, 'x'));

    const ProcessResult info = Run({"info"});
    EXPECT_EQ(info.exitCode, 1) << Describe(info);
    EXPECT_EQ(info.out, "");
    const ProcessResult restore = Run({"restore", backupPath, "--yes"});
    ASSERT_EQ(restore.exitCode, 0) << Describe(restore);
    EXPECT_EQ(restore.out.rfind("Data restored successfully.\n", 0), 0u) << restore.out;
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize);
}

TEST_F(AdminCli, RestoreOfAFileThatIsNoDatabaseFailsAndKeepsTheLiveData) {
    const fs::path junk = m_folder / "junk.mdb";
    WriteFile(junk, std::string(4096, 'x'));
    const std::string liveBefore = ReadFile(Live());
    const ProcessResult r = Run({"restore", junk.string(), "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    // The setup service passes the engine's own description on unchanged.
    EXPECT_EQ(r.err, std::string("gridora-admin: ") + sqlite3_errstr(SQLITE_NOTADB) + "\n")
        << Describe(r);
    EXPECT_EQ(ReadFile(Live()), liveBefore);
    EXPECT_EQ(InfoNumber("players"), kShippedRosterSize);
}

TEST_F(AdminCli, RestoreOfADatabaseWithoutSeasonsIsAnInvalidBackup) {
    const fs::path setupCopy = m_folder / "setup-copy.mdb";
    fs::copy_file(m_folder / "Gridora - Setup.mdb", setupCopy);
    const ProcessResult r = Run({"restore", setupCopy.string(), "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Invalid backup file."), std::string::npos) << Describe(r);
}

TEST_F(AdminCli, RestoreOfAMissingFileOrOfTheLiveFileItselfIsRefused) {
    const fs::path missing = m_folder / "nowhere.mdb";
    const ProcessResult r = Run({"restore", missing.string(), "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Database file: " + missing.string() + " is missing."), std::string::npos)
        << Describe(r);
    const std::string liveBefore = ReadFile(Live());
    const ProcessResult self = Run({"restore", Live().string(), "--yes"});
    EXPECT_EQ(self.exitCode, 1);
    EXPECT_NE(self.err.find("is the live database itself."), std::string::npos) << Describe(self);
    EXPECT_EQ(ReadFile(Live()), liveBefore);
}

TEST_F(AdminCli, UnreadableAndUnwritableFilesAreReported) {
    const fs::path missing = m_folder / "missing.csv";
    const ProcessResult in = Run({"import-players", missing.string()});
    EXPECT_EQ(in.exitCode, 1);
    EXPECT_EQ(in.err, "gridora-admin: Cannot read " + missing.string() + ".\n") << Describe(in);
    const fs::path big = m_folder / "big.csv";
    WriteFile(big, "last_name,first_name,position,team\n");
    fs::resize_file(big, std::uintmax_t{51} << 20);  // sparse: no disk is filled
    for (const auto& [file, why] : {std::pair{m_folder.string(), "it is not a regular file"},
                                    {"/dev/zero", "it is not a regular file"},
                                    {big.string(), "it is larger than 50 MB"}}) {
        const ProcessResult r = Run({"import-players", file});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "gridora-admin: Cannot read " + file + ": " + why + ".\n") << Describe(r);
    }

    const fs::path nowhere = m_folder / "no-such-folder" / "roster.csv";
    const ProcessResult out = Run({"export-players", nowhere.string()});
    EXPECT_EQ(out.exitCode, 1);
    EXPECT_NE(out.err.find("gridora-admin: Cannot write "), std::string::npos) << Describe(out);
    EXPECT_EQ(out.out, "");
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

// Links planted at the names the tool once wrote through point at another file, which stays
// as it was; exports and reports get the umask's mode, the league file and backups 0600 (a
// restored file too, whatever the backup's mode).
TEST_F(AdminCli, OutputFilesLeavePlantedLinksAloneAndGetTheirModes) {
    const auto mode = [](const fs::path& p) { return unsigned(fs::status(p).permissions()); };
    const fs::path victim = m_folder / "victim", roster = m_folder / "roster.csv",
                   money = m_folder / "money.csv", trade = m_folder / "trade.csv";
    WriteFile(victim, "untouched");
    WriteFile(trade, "last_name,first_name,position,team\nAllen,Josh,QB,KC\n");
    for (const fs::path& target : {roster, money, Live()})
        for (const char* suffix : {".tmp", ".importing"})
            fs::create_symlink(victim, fs::path(target) += suffix);
    const auto loosen = [](const fs::path& p) { fs::permissions(p, fs::perms::all); };
    loosen(Live());
    const mode_t umaskBefore = ::umask(027);
    for (const auto& command :
         std::vector<std::vector<std::string>>{{"export-players", roster.string()},
                                               {"report", "all", "--output", money.string()},
                                               {"backup"},
                                               {"import-players", trade.string()}})
        EXPECT_NE(Run(command).exitCode, 1) << command[0];
    ::umask(umaskBefore);
    EXPECT_EQ(ReadFile(victim), "untouched");
    const fs::path backup = m_folder / ("Gridora - Backup - " + Today() + " - 01.mdb");
    for (const auto& [file, expected] :
         {std::pair{roster, 0640u}, {money, 0640u}, {Live(), 0600u}, {backup, 0600u}})
        EXPECT_EQ(mode(file), expected) << file;
    loosen(backup);
    ASSERT_EQ(Run({"restore", backup.string(), "--yes"}).exitCode, 0);
    EXPECT_EQ(mode(Live()), 0600u);
}

TEST_F(AdminCli, ControlCharactersInNamesAreEscapedInTextAndExactInJson) {
    const std::string name = "Josh\x1b]0;owned\x07\xC2\x9BJ";
    {
        db::Database live(Live().string(), GetDatabaseKey());
        db::Statement(live, "update [player info] set [first name] = ? where [first name] = 'Josh'")
            .Bind(1, name)
            .Run();
    }
    const std::string text = Run({"search", "player", "Allen"}).out;
    EXPECT_NE(text.find("Josh\\x1b]0;owned\\x07\\u009bJ Allen"), std::string::npos) << text;
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    const JsonNode json = RunJson({"search", "player", "Allen"});
    EXPECT_TRUE(std::any_of(json.begin(), json.end(),
                            [&](const JsonNode& p) { return p.at("first_name") == name; }));
}

TEST_F(AdminCli, MissingDatabaseFolderIsReported) {
    const ProcessResult r = RunProcess(
        {GRIDORA_ADMIN_EXE, "info", "--database-folder", (m_folder / "absent").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("does not exist."), std::string::npos) << Describe(r);
}

TEST_F(AdminCli, EveryCommandHasHelp) {
    for (const char* command : {"info", "seasons", "season", "search", "import-players",
                                "export-players", "backup", "restore", "use"}) {
        const ProcessResult r = RunProcess({GRIDORA_ADMIN_EXE, command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("Usage: gridora-admin ") + command, 0), 0u) << r.out;
    }
    const ProcessResult unknown = RunProcess({GRIDORA_ADMIN_EXE, "frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("Unknown command frobnicate."), std::string::npos);
}

}  // namespace
}  // namespace gr::admin::test
