// The Debian package built from this build tree, unpacked into a temporary root and run as
// its user would run it: a fresh home, no build folder in sight, an ordinary account.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "ProcessRunner.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::admin::test::ProcessResult;
using gr::admin::test::RunProcess;
using gr::test::ReadBytes;
using gr::test::TempFolder;
using gr::test::WriteBytes;

const std::vector<std::string> kLeagueFiles = {"Gridora - Blank.mdb", "Gridora - Live.mdb",
                                               "Gridora - Setup.mdb", "Gridora - Test.mdb"};
constexpr uid_t kNobody = 65534;

std::string Describe(const ProcessResult& r) {
    return "exit " + std::to_string(r.exitCode) + "\nstdout:\n" + r.out + "\nstderr:\n" + r.err;
}

// Built and unpacked once: packaging strips and compresses the whole program.
struct Package {
    TempFolder work;
    fs::path deb;
    fs::path root;
    fs::path Installed(const std::string& relative) const { return root / "usr" / relative; }
};
std::unique_ptr<Package> g_package;

class PackageEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        auto package = std::make_unique<Package>();
        const fs::path out = package->work.Path() / "out";
        const ProcessResult built = RunProcess(
            {"/usr/bin/env", "cpack", "--config", GRIDORA_CPACK_CONFIG, "-B", out.string()});
        ASSERT_EQ(built.exitCode, 0) << Describe(built);
        for (const auto& entry : fs::directory_iterator(out))
            if (entry.path().extension() == ".deb") package->deb = entry.path();
        ASSERT_FALSE(package->deb.empty()) << built.out;
        package->root = package->work.Path() / "root";
        const ProcessResult unpacked = RunProcess(
            {"/usr/bin/env", "dpkg-deb", "-x", package->deb.string(), package->root.string()});
        ASSERT_EQ(unpacked.exitCode, 0) << Describe(unpacked);
        // An ordinary account must reach the unpacked tree, as it reaches /usr.
        fs::permissions(package->work.Path(), fs::perms::owner_all | fs::perms::group_read |
                                                  fs::perms::group_exec | fs::perms::others_read |
                                                  fs::perms::others_exec);
        g_package = std::move(package);
    }
    void TearDown() override { g_package.reset(); }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new PackageEnvironment);

// A home of its own for one test, owned by the account the installed commands run as: nobody
// when the tests run as root (the program must not need root), the test's own otherwise.
class Home {
  public:
    Home() : m_home(m_folder.Path() / "home") {
        fs::create_directory(m_home);
        fs::permissions(m_folder.Path(), fs::perms::owner_all | fs::perms::others_exec);
        if (AsNobody()) {
            EXPECT_EQ(chown(m_home.c_str(), kNobody, kNobody), 0);
        }
    }
    static bool AsNobody() { return geteuid() == 0; }
    const fs::path& Path() const { return m_home; }
    fs::path League() const { return m_home / ".local" / "share" / "Gridora"; }

    // The command line that runs an installed command with this home, as its account, in a
    // clean environment plus the given settings.
    std::vector<std::string> Command(const std::string& command,
                                     const std::vector<std::string>& args,
                                     const std::vector<std::string>& settings = {}) const {
        std::vector<std::string> argv = {"/usr/bin/env", "HOME=" + m_home.string()};
        for (const char* unset : {"XDG_DATA_HOME", "GRIDORA_DATABASE_FOLDER", "XAUTHORITY",
                                  "QTWEBENGINE_DISABLE_SANDBOX", "QTWEBENGINE_CHROMIUM_FLAGS"})
            argv.insert(argv.begin() + 1, {"-u", unset});
        argv.insert(argv.end(), settings.begin(), settings.end());
        if (AsNobody())
            argv.insert(argv.end(),
                        {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        argv.push_back(g_package->Installed("bin/" + command).string());
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }
    ProcessResult Run(const std::string& command, const std::vector<std::string>& args,
                      const std::vector<std::string>& settings = {}) const {
        return RunProcess(Command(command, args, settings));
    }

  private:
    TempFolder m_folder;
    fs::path m_home;
};

// The folder "info" names: its "Database folder:" line, without the padding.
std::string ReportedFolder(const std::string& infoOutput) {
    std::istringstream lines(infoOutput);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("Database folder:")) continue;
        return line.substr(line.find_first_not_of(' ', sizeof "Database folder:" - 1));
    }
    return {};
}

// Every file of a folder with a digest of its bytes and its time, to see that a run changed
// nothing.
std::map<std::string, std::pair<size_t, fs::file_time_type>> Snapshot(const fs::path& dir) {
    std::map<std::string, std::pair<size_t, fs::file_time_type>> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename().string()] = {
            std::hash<std::string>{}(ReadBytes(entry.path().string())), entry.last_write_time()};
    return files;
}

std::string Template(const std::string& name) {
    return ReadBytes((fs::path(GRIDORA_SEED_DATABASE_DIR) / name).string());
}

// Compares a file with bytes without printing the (encrypted) bytes on failure.
bool Holds(const fs::path& file, const std::string& bytes) {
    return ReadBytes(file.string()) == bytes;
}

TEST(PackageTest, HoldsTheProgramItsLibrariesTemplatesAndDesktopFiles) {
    ASSERT_TRUE(g_package);
    const fs::path libraries = g_package->root / "usr" / GRIDORA_INSTALL_LIBDIR;
    for (const char* command : {"gridora", "gridora-admin"}) {
        const fs::path link = g_package->Installed(std::string("bin/") + command);
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::canonical(link).parent_path(), fs::canonical(libraries)) << command;
    }
    for (const char* library : {"libGRIData.so", "libGRSetupSrvc.so", "libGRDataSrvc.so"}) {
        const ProcessResult dynamic =
            RunProcess({"/usr/bin/env", "readelf", "-d", (libraries / library).string()});
        EXPECT_NE(dynamic.out.find("[$ORIGIN]"), std::string::npos) << library << dynamic.out;
        EXPECT_EQ(dynamic.out.find(GRIDORA_BUILD_DIR), std::string::npos) << library;
    }
    const fs::path templates = g_package->root / "usr" / GRIDORA_INSTALL_TEMPLATEDIR;
    for (const std::string& name : kLeagueFiles) {
        EXPECT_TRUE(Holds(templates / name, Template(name))) << name;
        EXPECT_EQ(fs::status(templates / name).permissions() &
                      (fs::perms::group_write | fs::perms::others_write),
                  fs::perms::none)
            << name;
    }

    const ProcessResult depends =
        RunProcess({"/usr/bin/env", "dpkg-deb", "-f", g_package->deb.string(), "Depends"});
    for (const char* needed :
         {"libqt6webenginewidgets6", "libsqlcipher0", "libgumbo1", "libc6", "fonts-symbola"})
        EXPECT_NE(depends.out.find(needed), std::string::npos) << needed << ": " << depends.out;

    const fs::path desktop = g_package->Installed("share/applications/org.gridora.Gridora.desktop");
    const ProcessResult entry =
        RunProcess({"/usr/bin/env", "desktop-file-validate", desktop.string()});
    EXPECT_EQ(entry.exitCode, 0) << Describe(entry);
    EXPECT_EQ(entry.out, "") << "no hint either";
    EXPECT_NE(ReadBytes(desktop.string()).find("Categories=Office;"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(
        g_package->Installed("share/icons/hicolor/scalable/apps/org.gridora.Gridora.svg")));
    const ProcessResult metainfo = RunProcess(
        {"/usr/bin/env", "appstreamcli", "validate", "--no-net",
         g_package->Installed("share/metainfo/org.gridora.Gridora.metainfo.xml").string()});
    EXPECT_EQ(metainfo.exitCode, 0) << Describe(metainfo);
    for (const char* page : {"gridora-admin.1.gz", "gridora.1.gz"}) {
        const ProcessResult man =
            RunProcess({"/usr/bin/env", "MANWIDTH=80", "man", "--warnings", "-l",
                        g_package->Installed(std::string("share/man/man1/") + page).string()});
        EXPECT_EQ(man.exitCode, 0) << Describe(man);
        EXPECT_EQ(man.err, "") << page;
        EXPECT_NE(man.out.find("SYNOPSIS"), std::string::npos) << page;
    }
}

TEST(PackageTest, LintianReportsNoErrors) {
    ASSERT_TRUE(g_package);
    const ProcessResult lint = RunProcess({"/usr/bin/env", "lintian", g_package->deb.string()});
    std::cout << "lintian:\n" << lint.out << lint.err;
    std::istringstream lines(lint.out);
    for (std::string line; std::getline(lines, line);) EXPECT_FALSE(line.starts_with("E:")) << line;
    EXPECT_EQ(lint.exitCode, 0) << "lintian ran and failed on nothing\n" << Describe(lint);
}

TEST(LeagueFolderTest, FirstRunFillsTheFolderAndLaterRunsKeepWhatTheUserHas) {
    ASSERT_TRUE(g_package);
    const Home home;
    const fs::path league = home.League();
    const ProcessResult first = home.Run("gridora-admin", {"info"});
    ASSERT_EQ(first.exitCode, 0) << Describe(first);
    EXPECT_EQ(ReportedFolder(first.out), league.string());
    for (const std::string& name : kLeagueFiles) {
        EXPECT_TRUE(Holds(league / name, Template(name))) << name;
        EXPECT_EQ(fs::status(league / name).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write)
            << name;
    }
    EXPECT_EQ(fs::status(league).permissions(), fs::perms::owner_all);

    const auto filled = Snapshot(league);
    const ProcessResult second = home.Run("gridora-admin", {"info"});
    ASSERT_EQ(second.exitCode, 0) << Describe(second);
    EXPECT_EQ(Snapshot(league), filled) << "a second start changes nothing";

    // The user switches to the test league, replaces the live league and loses the blank one.
    const ProcessResult use = home.Run("gridora-admin", {"use", "test"});
    ASSERT_EQ(use.exitCode, 0) << Describe(use);
    const std::string chosenSetup = ReadBytes((league / "Gridora - Setup.mdb").string());
    ASSERT_NE(chosenSetup, Template("Gridora - Setup.mdb"));
    WriteBytes((league / "Gridora - Live.mdb").string(), Template("Gridora - Test.mdb"));
    fs::remove(league / "Gridora - Blank.mdb");

    const ProcessResult third = home.Run("gridora-admin", {"info"});
    ASSERT_EQ(third.exitCode, 0) << Describe(third);
    EXPECT_NE(third.out.find("Database type:    Test"), std::string::npos) << third.out;
    EXPECT_TRUE(Holds(league / "Gridora - Setup.mdb", chosenSetup));
    EXPECT_TRUE(Holds(league / "Gridora - Live.mdb", Template("Gridora - Test.mdb")));
    EXPECT_TRUE(Holds(league / "Gridora - Blank.mdb", Template("Gridora - Blank.mdb")))
        << "only the missing file comes back";
}

TEST(LeagueFolderTest, DataHomeAndTheFolderOverridesAreHonoured) {
    ASSERT_TRUE(g_package);
    const Home home;
    const fs::path dataHome = home.Path() / "data";
    const ProcessResult xdg =
        home.Run("gridora-admin", {"info"}, {"XDG_DATA_HOME=" + dataHome.string()});
    ASSERT_EQ(xdg.exitCode, 0) << Describe(xdg);
    EXPECT_EQ(ReportedFolder(xdg.out), (dataHome / "Gridora").string());
    EXPECT_TRUE(fs::is_regular_file(dataHome / "Gridora" / "Gridora - Live.mdb"));
    EXPECT_FALSE(fs::exists(home.League()));

    // Both overrides point at the data home's league; neither creates the default folder.
    const std::string chosen = (dataHome / "Gridora").string();
    const ProcessResult byOption = home.Run("gridora-admin", {"info", "--database-folder", chosen});
    const ProcessResult byEnvironment =
        home.Run("gridora-admin", {"info"}, {"GRIDORA_DATABASE_FOLDER=" + chosen});
    for (const ProcessResult* run : {&byOption, &byEnvironment}) {
        ASSERT_EQ(run->exitCode, 0) << Describe(*run);
        EXPECT_EQ(ReportedFolder(run->out), chosen);
    }
    EXPECT_FALSE(fs::exists(home.League()));
}

TEST(LeagueFolderTest, AHomeThatCannotHoldTheLeagueGivesAClearMessage) {
    ASSERT_TRUE(g_package);
    const Home home;
    const fs::path notAFolder = home.Path() / "plain-file";
    WriteBytes(notAFolder.string(), "not a home");
    const ProcessResult run =
        home.Run("gridora-admin", {"info"}, {"XDG_DATA_HOME=" + notAFolder.string()});
    EXPECT_EQ(run.exitCode, 1) << Describe(run);
    const std::string league = (notAFolder / "Gridora").string();
    EXPECT_NE(run.err.find("Cannot create the league folder " + league + ": Not a directory."),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Database file: " + league + "/Gridora - Setup.mdb is missing."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(notAFolder.string()), "not a home");
}

TEST(ProgramTest, FirstStartOnAnEmptyHomeShowsTheMainWindow) {
    ASSERT_TRUE(g_package);
    const Home home;
    // A display of its own that any account may use, so the program can run as nobody.
    std::vector<std::string> argv = {
        "/usr/bin/env", "timeout", "120", "xvfb-run", "-a", "-s", "-ac -screen 0 1280x1024x24"};
    const auto program = home.Command("gridora", {"--quit-after-paint"});
    argv.insert(argv.end(), program.begin(), program.end());
    const ProcessResult shown = RunProcess(argv);
    ASSERT_EQ(shown.exitCode, 0) << Describe(shown);
    EXPECT_NE(shown.out.find("Gridora Management System"), std::string::npos) << shown.out;
    for (const std::string& name : kLeagueFiles)
        EXPECT_TRUE(fs::is_regular_file(home.League() / name)) << name;
    const ProcessResult info = home.Run("gridora-admin", {"info"});
    EXPECT_EQ(info.exitCode, 0) << "the tool reads the league the program started\n"
                                << Describe(info);
    if (Home::AsNobody()) {
        struct stat info {};
        ASSERT_EQ(stat(home.League().c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, kNobody) << "the league belongs to the user who started the program";
    }
}

}  // namespace
