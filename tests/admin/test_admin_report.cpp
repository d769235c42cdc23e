// gridora-admin report through the real executable on copies of the generated demo league:
// the three reports agree in every format and with the league's own figures, and bad
// requests fail with a message and a non-zero exit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "Csv.h"
#include "GRServiceUtils.h"
#include "ProcessRunner.h"
#include "SqlDatabase.h"

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

std::string Describe(const ProcessResult& r) {
    return "exit " + std::to_string(r.exitCode) + "\nstdout:\n" + r.out + "\nstderr:\n" + r.err;
}

std::string Cents(double amount) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", amount);
    return text;
}

class AdminReport : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::path(testing::TempDir()) / "gr-report-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        s_folder = pattern;
        const ProcessResult made = RunProcess(
            {GRIDORA_MAKEDB_EXE, (fs::path(GRIDORA_SOURCE_DIR) / "data").string(), s_folder});
        ASSERT_EQ(made.exitCode, 0) << Describe(made);
        ASSERT_EQ(Run({"use", "test"}).exitCode, 0);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_folder, ec);
    }

    static ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), GRIDORA_ADMIN_EXE);
        args.push_back("--database-folder");
        args.push_back(s_folder);
        return RunProcess(args);
    }

    // exitCode: 3 for a money report that has no winnings yet.
    static JsonNode Json(std::vector<std::string> args, int exitCode = 0) {
        args.insert(args.end(), {"--format", "json"});
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.exitCode, exitCode) << Describe(r);
        JsonNode node = JsonNode::parse(r.out, nullptr, false);
        EXPECT_FALSE(node.is_discarded()) << r.out;
        // Money as plain numbers with their two decimals, never in exponent form (4.4e+02).
        EXPECT_FALSE(std::regex_search(r.out, std::regex("[0-9][eE][-+]?[0-9]"))) << r.out;
        return node;
    }

    // The records of the CSV, header first; each must be well formed.
    static std::vector<std::vector<std::string>> Csv(std::vector<std::string> args,
                                                     int exitCode = 0) {
        args.insert(args.end(), {"--format", "csv"});
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.exitCode, exitCode) << Describe(r);
        std::vector<std::vector<std::string>> rows;
        for (const auto& record : csv::ParseCsv(r.out)) {
            EXPECT_EQ(record.error, "") << "line " << record.line;
            rows.push_back(record.fields);
        }
        return rows;
    }

    static void ExpectFails(const std::vector<std::string>& args, int exitCode,
                            const std::string& message) {
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.exitCode, exitCode) << Describe(r);
        EXPECT_NE(r.err.find(message), std::string::npos) << Describe(r);
        EXPECT_EQ(r.out, "");
    }

    static inline std::string s_folder;
};

// Every CSV row is a line of the text report with the same cells in the same order.
void ExpectTextHoldsRows(const std::string& text,
                         const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
        size_t at = text.find("\n  " + row.front());
        ASSERT_NE(at, std::string::npos) << row.front() << "\n" << text;
        for (const std::string& cell : row) {
            at = text.find(cell, at);
            ASSERT_NE(at, std::string::npos) << cell << "\n" << text;
        }
    }
}

TEST_F(AdminReport, AllSeasonsAgreeInEveryFormatAndWithTheSeasonsFees) {
    const JsonNode json = Json({"report", "all"});
    const auto csv = Csv({"report", "all"});
    ASSERT_EQ(csv.front(), (std::vector<std::string>{"Manager", "Manager ID", "Playing", "Seasons",
                                                     "Fees", "Winnings", "Balance"}));
    const auto& managers = json.at("managers");
    ASSERT_EQ(csv.size(), managers.size() + 1);
    double fees = 0, winnings = 0, balance = 0;
    for (size_t i = 0; i < managers.size(); ++i) {
        const JsonNode& m = managers[i];
        const auto& row = csv[i + 1];
        EXPECT_EQ(row[0], m.at("name").get<std::string>());
        EXPECT_EQ(row[1], std::to_string(static_cast<int>(m.at("id").get<double>())));
        EXPECT_EQ(row[2], m.at("playing").get<bool>() ? "Yes" : "No");
        EXPECT_EQ(row[4], Cents(m.at("fees").get<double>()));
        EXPECT_EQ(row[5], Cents(m.at("winnings").get<double>()));
        EXPECT_EQ(row[6], Cents(m.at("balance").get<double>()));
        EXPECT_EQ(Cents(m.at("balance").get<double>()),
                  Cents(m.at("winnings").get<double>() - m.at("fees").get<double>()));
        fees += m.at("fees").get<double>();
        winnings += m.at("winnings").get<double>();
        balance += m.at("balance").get<double>();
    }
    EXPECT_EQ(Cents(json.at("total_fees").get<double>()), Cents(fees));
    EXPECT_EQ(Cents(json.at("total_winnings").get<double>()), Cents(winnings));
    EXPECT_EQ(Cents(json.at("total_balance").get<double>()), Cents(balance));

    // Every season's fee from each of its managers, as the season command lists them.
    double seasonFees = 0;
    const ProcessResult seasons = Run({"seasons", "--json"});
    const JsonNode list = JsonNode::parse(seasons.out);
    for (const JsonNode& s : list)
        seasonFees += s.at("fee").get<double>() * s.at("managers").get<double>();
    EXPECT_EQ(Cents(fees), Cents(seasonFees));
    EXPECT_EQ(json.at("seasons").get<double>(), list.size());

    const ProcessResult text = Run({"report", "all"});
    ASSERT_EQ(text.exitCode, 0) << Describe(text);
    EXPECT_EQ(text.out.rfind("Money All Seasons\n", 0), 0u) << text.out;
    ExpectTextHoldsRows(text.out, {csv.begin() + 1, csv.end()});
    EXPECT_NE(text.out.find(Cents(fees)), std::string::npos) << text.out;
}

TEST_F(AdminReport, ASeasonWithoutWinningsShowsItsFeesAndSaysSo) {
    const JsonNode json = Json({"report", "current"}, 3);
    EXPECT_EQ(json.at("season").get<double>(), 2026);
    const double fee = json.at("fee").get<double>();
    EXPECT_EQ(fee, 120);
    const auto csv = Csv({"report", "current"}, 3);
    ASSERT_EQ(csv.front(),
              (std::vector<std::string>{"Season", "Manager", "Fee Paid", "Winnings", "Balance"}));
    const auto& managers = json.at("managers");
    ASSERT_EQ(csv.size(), managers.size() + 1);
    for (size_t i = 0; i < managers.size(); ++i) {
        const bool paid = managers[i].at("fee_paid").get<bool>();
        EXPECT_EQ(csv[i + 1], (std::vector<std::string>{
                                  "2026", managers[i].at("name").get<std::string>(),
                                  paid ? "Yes" : "No", "0.00", paid ? "0.00" : Cents(-fee)}));
    }
    const ProcessResult text = Run({"report", "current"});
    EXPECT_EQ(text.exitCode, 3);
    EXPECT_NE(text.err.find("Season 2026 has no winnings yet: the report shows its fees only."),
              std::string::npos)
        << Describe(text);
    ExpectTextHoldsRows(text.out, {csv.begin() + 1, csv.end()});
}

TEST_F(AdminReport, AnEarlierSeasonAndItsWinnersAgreeWithTheSeasonCommand) {
    const JsonNode season = Json({"report", "current", "--season", "2025"});
    const auto csv = Csv({"report", "current", "--season", "2025"});
    double total = 0;
    for (size_t i = 1; i < csv.size(); ++i) total += std::stod(csv[i][3]);
    EXPECT_EQ(Cents(total), Cents(season.at("total_winnings").get<double>()));
    // The shares of every winning of the season, as the season command lists them.
    const ProcessResult detail = Run({"season", "2025", "--json"});
    const JsonNode wins = JsonNode::parse(detail.out);
    double shares = 0;
    for (const JsonNode& w : wins.at("winnings")) shares += w.at("share").get<double>();
    EXPECT_EQ(Cents(total), Cents(shares));
    EXPECT_GT(total, 0);

    const auto winners = Csv({"report", "winners", "--season", "2025"});
    ASSERT_EQ(winners.size(), 2u);
    const JsonNode all = Json({"report", "winners"});
    ASSERT_EQ(all.at("seasons").size(), 3u);
    const JsonNode& newest = all.at("seasons").front();
    EXPECT_EQ(winners[1],
              (std::vector<std::string>{"2025", newest.at("champion").get<std::string>(),
                                        newest.at("runner_up").get<std::string>()}));
}

TEST_F(AdminReport, BadRequestsFailWithAMessage) {
    ExpectFails({"report", "current", "--season", "20x3"}, 2,
                "--season needs a year such as 2023, not 20x3.");
    ExpectFails({"report", "current", "--season"}, 2, "Option --season needs a year.");
    ExpectFails({"report", "all", "--season", "2025"}, 2,
                "The report of all seasons takes no --season");
    ExpectFails({"report", "current", "--format", "xml"}, 2,
                "Unknown format xml: use text, csv, json or html.");
    ExpectFails({"report", "money"}, 2, "Unknown report money: use current, all or winners.");
    ExpectFails({"season", "2025", "--format", "csv"}, 2, "Command season does not take --format.");
    ExpectFails({"report", "current", "--season", "1800"}, 1, "There is no season 1800.");
    ExpectFails({"report", "winners", "--season", "2026"}, 1,
                "Season 2026 is not locked yet: its winners are not final.");
}

TEST_F(AdminReport, OutputReplacesTheFileWholeOrFailsWithoutWriting) {
    const fs::path file = fs::path(s_folder) / "money.csv";
    std::ofstream(file) << "an older report that is much longer than the new one ...\n";
    const ProcessResult r = Run({"report", "all", "--format", "csv", "--output", file.string()});
    ASSERT_EQ(r.exitCode, 0) << Describe(r);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(file), Run({"report", "all", "--format", "csv"}).out);

    const fs::path nowhere = fs::path(s_folder) / "no-such-folder" / "money.csv";
    ExpectFails({"report", "all", "--output", nowhere.string()}, 1,
                "gridora-admin: Cannot write " + nowhere.string());
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
    ExpectFails({"report", "all", "--output", s_folder}, 1, "gridora-admin: Cannot write ");
    EXPECT_TRUE(fs::is_directory(s_folder));
}

// Names are data: a spreadsheet must not run them and a page must not parse them.
TEST_F(AdminReport, NamesThatLookLikeFormulasOrMarkupStayText) {
    const std::string folder = s_folder + "-names";
    fs::create_directory(folder);
    for (const auto& entry : fs::directory_iterator(s_folder))
        if (entry.path().extension() == ".mdb")
            fs::copy_file(entry.path(), fs::path(folder) / entry.path().filename());
    {
        db::Database league((fs::path(folder) / "Gridora - Test.mdb").string(), GetDatabaseKey());
        db::Statement rename(league,
                             "update [manager info] set [first name] = ?, [last name] = ? "
                             "where [id] = ?");
        rename.Bind(1, "=HYPERLINK(\"http://x\",\"Lily\")").Bind(2, "<b>Chen</b>").Bind(3, 3).Run();
    }
    auto run = [&](const std::string& format) {
        return RunProcess(
            {GRIDORA_ADMIN_EXE, "report", "all", "--format", format, "--database-folder", folder});
    };
    const ProcessResult csv = run("csv");
    ASSERT_EQ(csv.exitCode, 0) << Describe(csv);
    EXPECT_NE(csv.out.find("\"'=HYPERLINK(\"\"http://x\"\",\"\"Lily\"\") <b>Chen</b>\",3,Yes,"),
              std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find(",-400.00\r\n"), std::string::npos) << "balances stay numbers";
    const ProcessResult html = run("html");
    ASSERT_EQ(html.exitCode, 0) << Describe(html);
    EXPECT_EQ(html.out.find("<b>Chen"), std::string::npos);
    EXPECT_NE(html.out.find("&lt;b&gt;Chen&lt;/b&gt;"), std::string::npos) << html.out;
    EXPECT_NE(html.out.find("<thead>"), std::string::npos);
    std::error_code ec;
    fs::remove_all(folder, ec);
}

TEST_F(AdminReport, HelpDescribesTheReportsAndASeasonWithoutWinnings) {
    const ProcessResult r = RunProcess({GRIDORA_ADMIN_EXE, "report", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Usage: gridora-admin report current|all|winners", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("A season without winnings yet is still reported"), std::string::npos);
    const ProcessResult general = RunProcess({GRIDORA_ADMIN_EXE, "--help"});
    EXPECT_NE(general.out.find("  report current|all|winners"), std::string::npos);
}

}  // namespace
}  // namespace gr::admin::test
