// The user's league folder of an installed program: where it is, how it is filled, and that
// nothing the user has is ever replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "TempFolder.h"
#include "UserLeagueFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::test::ReadBytes;
using gr::test::TempFolder;
using gr::test::WriteBytes;

// Sets an environment variable (or removes it, given nullptr) for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        Set(name, value);
    }
    ~ScopedEnv() { Set(m_name, m_had ? m_old.c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    static void Set(const char* name, const char* value) {
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

unsigned Mode(const fs::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

class FillLeagueFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(templates);
        WriteBytes((templates / "Gridora - Live.mdb").string(), "live template");
        WriteBytes((templates / "Gridora - Setup.mdb").string(), "setup template");
        fs::create_directory(templates / "not-a-league-file");
    }
    TempFolder root;
    fs::path templates = root.Path() / "templates";
    fs::path league = root.Path() / "home" / ".local" / "share" / "Gridora";
};

TEST_F(FillLeagueFolderTest, CreatesAPrivateFolderWithPrivateCopiesAndNothingElse) {
    std::string error;
    ASSERT_TRUE(gr::FillLeagueFolder(templates.string(), league.string(), error)) << error;
    EXPECT_EQ(Mode(league), 0700u);
    EXPECT_EQ(ReadBytes((league / "Gridora - Live.mdb").string()), "live template");
    EXPECT_EQ(Mode(league / "Gridora - Live.mdb"), 0600u);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(league))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Gridora - Live.mdb", "Gridora - Setup.mdb"}))
        << "no sub-folder copied, no partial copy left behind";
}

TEST_F(FillLeagueFolderTest, AddsOnlyWhatIsMissingAndKeepsEveryExistingName) {
    fs::create_directories(league);
    fs::permissions(league, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    WriteBytes((league / "Gridora - Live.mdb").string(), "the user's league");
    fs::create_symlink(root.Path() / "gone", league / "Gridora - Setup.mdb");
    std::string error;
    ASSERT_TRUE(gr::FillLeagueFolder(templates.string(), league.string(), error)) << error;
    EXPECT_EQ(ReadBytes((league / "Gridora - Live.mdb").string()), "the user's league");
    EXPECT_TRUE(fs::is_symlink(league / "Gridora - Setup.mdb")) << "a dangling link is the user's";
    EXPECT_EQ(Mode(league), 0750u) << "an existing folder keeps the permissions its owner chose";

    fs::remove(league / "Gridora - Setup.mdb");
    ASSERT_TRUE(gr::FillLeagueFolder(templates.string(), league.string(), error)) << error;
    EXPECT_EQ(ReadBytes((league / "Gridora - Setup.mdb").string()), "setup template");
    EXPECT_EQ(ReadBytes((league / "Gridora - Live.mdb").string()), "the user's league");
}

TEST_F(FillLeagueFolderTest, FailuresNameTheFolderAndTheCause) {
    std::string error;
    const fs::path blocked = root.Path() / "a-file";
    WriteBytes(blocked.string(), "x");
    EXPECT_FALSE(gr::FillLeagueFolder(templates.string(), (blocked / "Gridora").string(), error));
    EXPECT_EQ(error, "Cannot create the league folder " + (blocked / "Gridora").string() +
                         ": Not a directory.");

    error.clear();
    const fs::path missing = root.Path() / "no-templates";
    EXPECT_FALSE(gr::FillLeagueFolder(missing.string(), league.string(), error));
    EXPECT_EQ(error, "Cannot read the league templates in " + missing.string() +
                         ": No such file or directory.");
}

TEST(UserLeagueFolderTest, FollowsXdgDataHomeThenHome) {
    ScopedEnv home("HOME", "/home/organiser/");
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/data/organiser");
        EXPECT_EQ(gr::UserLeagueFolder(), "/srv/data/organiser/Gridora");
    }
    for (const char* ignored : {"", "relative/data"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(gr::UserLeagueFolder(), "/home/organiser/.local/share/Gridora") << ignored;
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(gr::UserLeagueFolder(), "/home/organiser/.local/share/Gridora");
}

TEST(UserLeagueFolderTest, TheAccountsHomeStandsInForAnUnsetHome) {
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    const std::string folder = gr::UserLeagueFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.ends_with("/.local/share/Gridora")) << folder;
}

TEST(InstalledTemplateFolderTest, FoundOnlyBesideAnInstalledLibraryFolder) {
    TempFolder prefix;
    const fs::path libraries = prefix.Path() / GRIDORA_INSTALL_LIBDIR;
    const fs::path templates = prefix.Path() / GRIDORA_INSTALL_TEMPLATEDIR;
    fs::create_directories(libraries);
    fs::create_directories(templates);
    EXPECT_EQ(gr::InstalledTemplateFolder(libraries.string()), "")
        << "an empty template folder is no installation";
    WriteBytes((templates / "Gridora - Live.mdb").string(), "live");
    EXPECT_EQ(gr::InstalledTemplateFolder(libraries.string()), templates.string());
    EXPECT_EQ(gr::InstalledTemplateFolder(GRIDORA_BUILD_BIN_DIR), "") << "the build tree";
}

}  // namespace
