// Writing the league site into a folder: a page the site no longer makes goes only when the
// manifest names it; other files, links planted under the site's names' targets and files the
// manifest does not list stay as they are.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "SitePublisher.h"

namespace gr::site {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SitePublisher, RemovesOnlyWhatItsManifestListsAndNeverFollowsALink) {
    std::string pattern = (fs::path(testing::TempDir()) / "gr-site-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = fs::path(pattern) / "site";
    const fs::path outside = fs::path(pattern) / "outside.txt";
    std::ofstream(outside) << "outside";

    ASSERT_TRUE(PublishSiteFiles(folder, {{"a.html", "A"}, {"b.html", "B"}}, false).published);
    // The user's own files, one of them named in a hand-edited manifest, and a link.
    std::ofstream(folder / "mine.txt") << "mine";
    std::ofstream(folder / kManifestFile, std::ios::app) << "../outside.txt\n.hidden\n";
    fs::create_symlink(outside, folder / "c.html");

    const PublishOutcome second =
        PublishSiteFiles(folder, {{"a.html", "A"}, {"c.html", "C"}}, false);
    ASSERT_TRUE(second.published) << second.error;
    EXPECT_EQ(second.removed, 1);  // b.html
    EXPECT_FALSE(fs::exists(folder / "b.html"));
    EXPECT_EQ(ReadFile(folder / "mine.txt"), "mine");
    EXPECT_EQ(ReadFile(outside), "outside");
    EXPECT_FALSE(fs::is_symlink(folder / "c.html"));
    EXPECT_EQ(ReadFile(folder / "c.html"), "C");
    EXPECT_EQ(ReadFile(folder / kManifestFile).find("b.html"), std::string::npos);

    // The same files again: nothing is written.
    EXPECT_EQ(PublishSiteFiles(folder, {{"a.html", "A"}, {"c.html", "C"}}, false).written, 0);
    fs::remove_all(pattern);
}

}  // namespace
}  // namespace gr::site
