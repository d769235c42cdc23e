// gridora-admin publish through the real executable on copies of the generated demo league:
// every page is well-formed HTML5 whose links stay inside the folder, the money is the money of
// gridora-admin report, names stay text, publishing again touches nothing, and a folder that
// holds other files is refused.
#include <gtest/gtest.h>
#include <gumbo.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "GRServiceUtils.h"
#include "ProcessRunner.h"
#include "SqlDatabase.h"

namespace gr::admin::test {
namespace {

namespace fs = std::filesystem;
using JsonNode = nlohmann::json;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Money(const JsonNode& amount) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", amount.get<double>());
    return text;
}

// A page parsed as a browser parses it, with the parser's list of errors.
class Page {
  public:
    explicit Page(const std::string& html) : m_html(html) {
        m_out = gumbo_parse_with_options(&kGumboDefaultOptions, m_html.c_str(), m_html.size());
    }
    ~Page() { gumbo_destroy_output(&kGumboDefaultOptions, m_out); }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    unsigned Errors() const { return m_out->errors.length; }
    std::vector<const GumboNode*> All(GumboTag tag) const {
        std::vector<const GumboNode*> found;
        Collect(m_out->root, tag, found);
        return found;
    }
    static std::string Attr(const GumboNode* node, const char* name) {
        const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, name);
        return a ? a->value : "";
    }
    static std::string Text(const GumboNode* node) {
        if (node->type == GUMBO_NODE_TEXT) return node->v.text.text;
        std::string text;
        if (node->type == GUMBO_NODE_ELEMENT)
            for (unsigned i = 0; i < node->v.element.children.length; ++i)
                text += Text(static_cast<const GumboNode*>(node->v.element.children.data[i]));
        return text;
    }
    // The rows of the table with this id that carry data-manager, each as its cells' texts.
    std::map<std::string, std::vector<std::string>> ManagerRows(const std::string& id) const {
        std::map<std::string, std::vector<std::string>> rows;
        for (const GumboNode* table : All(GUMBO_TAG_TABLE)) {
            if (Attr(table, "id") != id) continue;
            std::vector<const GumboNode*> trs;
            Collect(table, GUMBO_TAG_TR, trs);
            for (const GumboNode* tr : trs) {
                std::vector<const GumboNode*> tds;
                Collect(tr, GUMBO_TAG_TD, tds);
                if (!Attr(tr, "data-manager").empty())
                    for (const GumboNode* td : tds)
                        rows[Attr(tr, "data-manager")].push_back(Text(td));
            }
        }
        return rows;
    }

  private:
    static void Collect(const GumboNode* node, GumboTag tag, std::vector<const GumboNode*>& out) {
        if (node->type != GUMBO_NODE_ELEMENT) return;
        if (node->v.element.tag == tag) out.push_back(node);
        for (unsigned i = 0; i < node->v.element.children.length; ++i)
            Collect(static_cast<const GumboNode*>(node->v.element.children.data[i]), tag, out);
    }

    std::string m_html;
    GumboOutput* m_out;
};

class AdminPublish : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::path(testing::TempDir()) / "gr-publish-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        s_root = pattern;
        s_league = s_root / "league";
        const ProcessResult made = RunProcess(
            {GRIDORA_MAKEDB_EXE, (fs::path(GRIDORA_SOURCE_DIR) / "data").string(), s_league});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        ASSERT_EQ(Run({"use", "test"}).exitCode, 0);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_root, ec);
    }

    static ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), GRIDORA_ADMIN_EXE);
        args.insert(args.end(), {"--database-folder", s_league.string()});
        return RunProcess(args);
    }
    // A reading command's JSON (args end with --json) or a report's.
    static JsonNode Report(std::vector<std::string> args) {
        if (args.front() == "report") args.insert(args.end(), {"--format", "json"});
        return JsonNode::parse(Run(args).out);
    }
    // Publishes into a fresh folder under the test's root.
    static fs::path Publish(const std::string& name, std::vector<std::string> extra = {}) {
        const fs::path site = s_root / name;
        std::vector<std::string> args = {"publish", site.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return site;
    }

    static inline fs::path s_root;
    static inline fs::path s_league;
};

TEST_F(AdminPublish, EveryPageIsValidLinksInsideAndShowsTheReportsMoney) {
    const fs::path site = Publish("demo", {"--title", "Sunday League"});
    std::set<std::string> pages;
    for (const auto& entry : fs::directory_iterator(site))
        if (entry.path().extension() == ".html") pages.insert(entry.path().filename().string());
    ASSERT_GE(pages.size(), 6u);  // index, four seasons, the managers
    for (const std::string& name : pages) {
        SCOPED_TRACE(name);
        const Page page(ReadFile(site / name));
        EXPECT_EQ(page.Errors(), 0u);
        EXPECT_TRUE(page.All(GUMBO_TAG_SCRIPT).empty());
        EXPECT_TRUE(page.All(GUMBO_TAG_IMG).empty());
        for (const GumboNode* a : page.All(GUMBO_TAG_A)) {
            const std::string href = Page::Attr(a, "href");
            EXPECT_TRUE(pages.contains(href)) << href;
        }
        const auto links = page.All(GUMBO_TAG_LINK);
        ASSERT_EQ(links.size(), 1u);
        EXPECT_TRUE(fs::is_regular_file(site / Page::Attr(links[0], "href")));
        EXPECT_EQ(Page::Text(page.All(GUMBO_TAG_HEADER).at(0)), "Sunday League");
    }

    const Page index(ReadFile(site / "index.html"));
    // The money of every season as its report has it, the current one on the front page too.
    for (const JsonNode& season : Report({"seasons", "--json"})) {
        const std::string year = std::to_string(season.at("year").get<int>());
        const JsonNode money = Report({"report", "current", "--season", year});
        const Page page(ReadFile(site / ("season-" + year + ".html")));
        const auto rows = page.ManagerRows("managers");
        ASSERT_EQ(rows.size(), money.at("managers").size()) << year;
        for (const JsonNode& m : money.at("managers")) {
            const auto& cells = rows.at(std::to_string(m.at("id").get<int>()));
            EXPECT_EQ(cells[1], m.at("name").get<std::string>());
            EXPECT_EQ(cells[2], m.at("fee_paid").get<bool>() ? "Yes" : "No");
            EXPECT_EQ(cells[3], Money(m.at("winnings")));
            EXPECT_EQ(cells[4], Money(m.at("balance")));
        }
        if (season.at("year") != Report({"info", "--json"}).at("current_season")) continue;
        const auto current = index.ManagerRows("money-current");
        for (const JsonNode& m : money.at("managers"))
            EXPECT_EQ(current.at(std::to_string(m.at("id").get<int>())),
                      (std::vector<std::string>{m.at("name").get<std::string>(),
                                                m.at("fee_paid").get<bool>() ? "Yes" : "No",
                                                Money(m.at("winnings")), Money(m.at("balance"))}));
    }
    const JsonNode all = Report({"report", "all"});
    const auto rows = index.ManagerRows("money-all");
    ASSERT_EQ(rows.size(), all.at("managers").size());
    for (const JsonNode& m : all.at("managers")) {
        const std::string id = std::to_string(m.at("id").get<int>());
        EXPECT_EQ(rows.at(id),
                  (std::vector<std::string>{
                      m.at("name").get<std::string>(), std::to_string(m.at("seasons").get<int>()),
                      Money(m.at("fees")), Money(m.at("winnings")), Money(m.at("balance"))}));
        // The manager's page ends the years on the same balance.
        const std::string page = ReadFile(site / ("manager-" + id + ".html"));
        EXPECT_NE(page.find(Money(m.at("balance")) + "</td></tr></tfoot>"), std::string::npos);
    }
    const JsonNode winners = Report({"report", "winners"});
    for (const JsonNode& w : winners.at("seasons"))
        EXPECT_NE(ReadFile(site / "index.html").find(w.at("champion").get<std::string>()),
                  std::string::npos);
    // The title is kept in the league for the next publish.
    EXPECT_NE(ReadFile(Publish("later") / "index.html").find("<title>Sunday League</title>"),
              std::string::npos);
}

TEST_F(AdminPublish, PublishingAgainChangesNoFileAndAHostileNameIsText) {
    const fs::path site = Publish("again");
    std::map<fs::path, std::pair<fs::file_time_type, std::string>> before;
    for (const auto& entry : fs::directory_iterator(site))
        before[entry.path()] = {entry.last_write_time(), ReadFile(entry.path())};
    ASSERT_TRUE(before.contains(site / "gridora-site.txt"));
    const ProcessResult again = Run({"publish", site.string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "Published " + std::to_string(before.size() - 2) + " pages to " +
                             site.string() + ".\n");
    for (const auto& entry : fs::directory_iterator(site)) {
        ASSERT_TRUE(before.contains(entry.path())) << entry.path();
        EXPECT_EQ(entry.last_write_time(), before[entry.path()].first) << entry.path();
        EXPECT_EQ(ReadFile(entry.path()), before[entry.path()].second) << entry.path();
    }

    const std::string hostile = "<script>alert(\"x\")</script> & 'Co'";
    {
        db::Database league((s_league / "Gridora - Test.mdb").string(), GetDatabaseKey());
        db::Statement(league, "update [manager info] set [last name] = ? where [id] = 3")
            .Bind(1, hostile)
            .Run();
    }
    const ProcessResult renamed = Run({"publish", site.string()});
    ASSERT_EQ(renamed.exitCode, 0) << renamed.err;
    for (const char* name : {"index.html", "manager-3.html"}) {
        const Page page(ReadFile(site / name));
        EXPECT_EQ(page.Errors(), 0u) << name;
        EXPECT_TRUE(page.All(GUMBO_TAG_SCRIPT).empty()) << name;
        EXPECT_NE(Page::Text(page.All(GUMBO_TAG_BODY).at(0)).find(hostile), std::string::npos);
    }
    EXPECT_NE(ReadFile(site / "manager-3.html"), before[site / "manager-3.html"].second);
    EXPECT_EQ(ReadFile(site / "style.css"), before[site / "style.css"].second);
}

TEST_F(AdminPublish, AFolderWithOtherFilesIsUsedOnlyWithForceAndTheyStay) {
    const fs::path site = s_root / "shared";
    fs::create_directories(site);
    std::ofstream(site / "notes.txt") << "mine";
    const ProcessResult refused = Run({"publish", site.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("holds other files"), std::string::npos) << refused.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(site), fs::directory_iterator()), 1);

    Publish("shared", {"--force"});
    EXPECT_EQ(ReadFile(site / "notes.txt"), "mine");
    EXPECT_EQ(ReadFile(site / "gridora-site.txt").find("notes.txt"), std::string::npos);
    // Now the folder is the site's: no --force needed, and the other file still stays.
    Publish("shared");
    EXPECT_EQ(ReadFile(site / "notes.txt"), "mine");

    std::ofstream(s_root / "plain-file") << "x";
    const ProcessResult notFolder = Run({"publish", (s_root / "plain-file").string()});
    EXPECT_EQ(notFolder.exitCode, 1);
    EXPECT_NE(notFolder.err.find("is not a folder"), std::string::npos) << notFolder.err;
}

}  // namespace
}  // namespace gr::admin::test
