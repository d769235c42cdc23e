// The league's history through the real gridora-admin on copies of the generated databases:
// the demo league's seasons as sheets into a blank league give the same reports, the league
// file round-trips byte for byte, and bad files are refused with their line, nothing changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ProcessRunner.h"

namespace gr::admin::test {
namespace {

namespace fs = std::filesystem;
using JsonNode = nlohmann::json;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Describe(const ProcessResult& r) {
    return "exit " + std::to_string(r.exitCode) + "\nstdout:\n" + r.out + "\nstderr:\n" + r.err;
}

// Ids differ where a blank league numbers the managers it is given anew: reports compare
// without them.
void DropIds(JsonNode& node) {
    if (node.is_object()) node.erase("id");
    if (node.is_structured())
        for (JsonNode& child : node) DropIds(child);
}

class AdminHistory : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::path(testing::TempDir()) / "gr-history-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        s_root = pattern;
        const ProcessResult made = RunProcess(
            {GRIDORA_MAKEDB_EXE, (fs::path(GRIDORA_SOURCE_DIR) / "data").string(), Demo()});
        ASSERT_EQ(made.exitCode, 0) << Describe(made);
        ASSERT_EQ(Run(Demo(), {"use", "test"}).exitCode, 0);
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    static std::string Demo() { return (fs::path(s_root) / "demo").string(); }

    // A copy of the generated databases with the blank league in use.
    static std::string FreshBlank(const std::string& name) {
        const fs::path folder = fs::path(s_root) / name;
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(Demo()))
            if (entry.path().extension() == ".mdb")
                fs::copy_file(entry.path(), folder / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
        EXPECT_EQ(Run(folder.string(), {"use", "blank"}).exitCode, 0);
        return folder.string();
    }

    static ProcessResult Run(const std::string& folder, std::vector<std::string> args) {
        args.insert(args.begin(), GRIDORA_ADMIN_EXE);
        args.insert(args.end(), {"--database-folder", folder});
        return RunProcess(args);
    }
    static void Ok(const std::string& folder, const std::vector<std::string>& args) {
        const ProcessResult r = Run(folder, args);
        ASSERT_EQ(r.exitCode, 0) << Describe(r);
    }
    // A report or listing as JSON without ids.
    static JsonNode Json(const std::string& folder, const std::vector<std::string>& args) {
        const ProcessResult r = Run(folder, args);
        EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 3) << Describe(r);
        JsonNode node = JsonNode::parse(r.out, nullptr, false);
        DropIds(node);
        return node;
    }

    static inline std::string s_root;
};

TEST_F(AdminHistory, DemoSeasonsAsSheetsIntoABlankLeagueGiveTheSameReports) {
    const std::string blank = FreshBlank("sheets");
    std::vector<std::string> years;
    for (const JsonNode& season : Json(Demo(), {"seasons", "--json"}))
        years.push_back(std::to_string(season.at("year").get<int>()));
    ASSERT_GE(years.size(), 4u);
    for (const std::string& year : years) {
        const std::string sheet = (fs::path(s_root) / ("season-" + year + ".csv")).string();
        Ok(Demo(), {"export-season", year, sheet});
        Ok(blank, {"import-season", sheet, "--add-missing"});
    }
    for (const std::string& year : years) {
        SCOPED_TRACE(year);
        EXPECT_EQ(Json(blank, {"season", year, "--json"}),
                  Json(Demo(), {"season", year, "--json"}));
        const std::vector<std::string> report = {"report", "current",  "--season",
                                                 year,     "--format", "json"};
        EXPECT_EQ(Json(blank, report), Json(Demo(), report));
    }
    for (const char* kind : {"all", "winners"})
        EXPECT_EQ(Json(blank, {"report", kind, "--format", "json"}),
                  Json(Demo(), {"report", kind, "--format", "json"}))
            << kind;
}

TEST_F(AdminHistory, LeagueFileRoundTripsByteForByteAndAFilledLeagueIsKept) {
    const fs::path first = fs::path(s_root) / "league.json";
    const fs::path second = fs::path(s_root) / "league-again.json";
    Ok(Demo(), {"export-league", first.string()});
    EXPECT_EQ(fs::status(first).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string blank = FreshBlank("league");
    Ok(blank, {"import-league", first.string()});
    Ok(blank, {"export-league", second.string()});
    EXPECT_EQ(ReadFile(second), ReadFile(first));
    EXPECT_EQ(Json(blank, {"report", "all", "--format", "json"}),
              Json(Demo(), {"report", "all", "--format", "json"}));

    // A league with seasons is replaced only when asked.
    const std::string demoFile = (fs::path(Demo()) / "Gridora - Test.mdb").string();
    const std::string before = ReadFile(demoFile);
    const ProcessResult refused = Run(Demo(), {"import-league", first.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("--replace replaces the whole league"), std::string::npos)
        << Describe(refused);
    EXPECT_EQ(ReadFile(demoFile), before);
}

// One fault put into an exported sheet, on the line it returns (0: the file as a whole).
using SheetFault = std::function<int(std::vector<std::string>&)>;

// The cells of a sheet's line (the demo's names hold no commas), and back.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream row(line.substr(0, line.find('\r')));
    for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
    return cells;
}

// Changes the cells of line (from 1) and gives the line back.
int Edit(std::vector<std::string>& lines, int line,
         const std::function<void(std::vector<std::string>&)>& change) {
    std::vector<std::string> cells = Cells(lines.at(static_cast<size_t>(line - 1)));
    change(cells);
    std::string joined;
    for (const std::string& cell : cells) joined += (joined.empty() ? "" : ",") + cell;
    lines[static_cast<size_t>(line - 1)] = joined + "\r";
    return line;
}

int LineOf(const std::vector<std::string>& lines, const std::string& start, int skip = 0) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(start, 0) == 0 && skip-- == 0) return static_cast<int>(i + 1);
    return -1;
}

TEST_F(AdminHistory, BadFilesAreRefusedWithTheirLineAndTheLeagueIsUnchanged) {
    const fs::path sheet = fs::path(s_root) / "good.csv";
    const std::string year = Json(Demo(), {"seasons", "--json"})[1].at("year").dump();
    Ok(Demo(), {"export-season", year, sheet.string()});
    std::vector<std::string> good;
    std::istringstream text(ReadFile(sheet));
    for (std::string line; std::getline(text, line, '\n');) good.push_back(line);

    struct Case {
        const char* name;
        SheetFault fault;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"missing section",
         [](auto& l) {
             l.resize(static_cast<size_t>(LineOf(l, "Winnings") - 1));
             return 0;
         },
         "the Winnings section is missing"},
        {"unknown prize type",
         [](auto& l) {
             return Edit(l, LineOf(l, "Prize,Type") + 1, [](auto& c) { c[1] = "Monthly"; });
         },
         "unknown prize type 'Monthly'"},
        {"taken player",
         [](auto& l) {
             const int first = LineOf(l, "Round,Pick") + 1;
             const auto taken = Cells(l[static_cast<size_t>(first - 1)]);
             return Edit(l, first + 1, [&](auto& c) {
                 c[3] = taken[3];
                 c[4] = taken[4];
             });
         },
         "is already picked on line"},
        {"duplicate manager",
         [](auto& l) {
             const int first = LineOf(l, "Rank,First name") + 1;
             const auto twice = Cells(l[static_cast<size_t>(first - 1)]);
             return Edit(l, first + 1, [&](auto& c) {
                 c[1] = twice[1];
                 c[2] = twice[2];
             });
         },
         "is listed twice"},
        {"week beyond the season",
         [](auto& l) {
             return Edit(l, LineOf(l, "Weekly High Score,", 1), [](auto& c) { c[1] = "18"; });
         },
         "week 18 is beyond the season's 17 weeks"},
    };
    const std::string blank = FreshBlank("bad");
    const std::string league = (fs::path(blank) / "Gridora - Blank.mdb").string();
    const std::string before = ReadFile(league);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = good;
        const int line = c.fault(lines);
        std::string bad;
        for (const std::string& l : lines) bad += l + "\n";
        const fs::path file = fs::path(s_root) / "bad.csv";
        WriteFile(file, bad);
        const ProcessResult r = Run(blank, {"import-season", file.string(), "--add-missing"});
        EXPECT_EQ(r.exitCode, 1) << Describe(r);
        const std::string where = file.string() + (line > 0 ? ":" + std::to_string(line) : "");
        const size_t at = r.err.find(where + ": ");
        ASSERT_NE(at, std::string::npos) << Describe(r);
        EXPECT_NE(r.err.substr(at, r.err.find('\n', at) - at).find(c.reason), std::string::npos)
            << Describe(r);
        EXPECT_NE(r.err.find("Nothing was imported"), std::string::npos);
        EXPECT_EQ(ReadFile(league), before);
    }

    // A league file whose pick names a manager who does not play, and one of another version.
    const fs::path document = fs::path(s_root) / "bad.json";
    Ok(Demo(), {"export-league", document.string()});
    JsonNode json = JsonNode::parse(ReadFile(document));
    json["seasons"][0]["draft"][0]["manager_id"] = 999;
    WriteFile(document, json.dump(2));
    ProcessResult r = Run(blank, {"import-league", document.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("pick 1 names manager 999, who does not play in the season"),
              std::string::npos)
        << Describe(r);
    json["version"] = 2;
    WriteFile(document, json.dump(2));
    r = Run(blank, {"import-league", document.string()});
    EXPECT_NE(r.err.find("version: only version 1 can be read"), std::string::npos) << Describe(r);
    EXPECT_EQ(ReadFile(league), before);
}

}  // namespace
}  // namespace gr::admin::test
