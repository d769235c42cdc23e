// A full disk and read-only files: saves, backups and restores fail with the services'
// messages and leave the stored league as it was; nothing is half-written.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ComponentFactory.h"
#include "IDataService.h"
#include "ISetupService.h"
#include "LeagueState.h"
#include "ServiceHost.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::ComPtr;
using gr::test::FolderBytes;
using gr::test::LeagueDump;
using gr::test::LeagueFault;
using gr::test::TempFolder;

constexpr const char* kLeagueFiles[] = {"Gridora - Test.mdb", "Gridora - Blank.mdb",
                                        "Gridora - Setup.mdb"};

// A database folder whose live league is the generated test league (it has seasons, so
// reading it writes nothing), used through the folder override; reports are captured.
class LimitedFolder {
  public:
    explicit LimitedFolder(const fs::path& folder) : m_folder(folder) {
        for (const char* name : kLeagueFiles)
            fs::copy_file(fs::path(GRIDORA_SEED_DATABASE_DIR) / name, folder / name);
        fs::copy_file(folder / "Gridora - Test.mdb", folder / "Gridora - Live.mdb");
        gr::host::SetDatabaseFolderOverride(folder.string());
        gr::host::SetErrorReporter(
            [this](const std::string&, const std::string& text) { reports.push_back(text); });
    }
    ~LimitedFolder() {
        gr::host::SetErrorReporter({});
        gr::host::SetDatabaseFolderOverride("");
    }
    LimitedFolder(const LimitedFolder&) = delete;
    LimitedFolder& operator=(const LimitedFolder&) = delete;

    std::string Live() const { return (m_folder / "Gridora - Live.mdb").string(); }
    std::string File(const std::string& name) const { return (m_folder / name).string(); }
    ComPtr<gr::ISetupService> Start(std::string& message) const {
        auto setup = gr::CreateObjectAs<gr::ISetupService>("GRSetupSrvc.SetupService", message);
        if (setup && setup->Initialize(message)) return setup;
        return {};
    }
    std::vector<std::string> reports;

  private:
    fs::path m_folder;
};

// A save of each kind a window makes; each answers false and reports, or succeeds.
struct SaveResults {
    bool player = false;
    bool season = false;
};

SaveResults TrySaves(gr::IDataService& data) {
    SaveResults results;
    int32_t id = 0;
    ComPtr<gr::IPlayerInfo> added;
    std::string error;
    results.player = data.UpdatePlayer("Full", "Disk", 1, 1, false, id, added, error);
    auto season = data.GetCurrentSeasonInfo();
    season->let_MoneyContribution(season->get_MoneyContribution() + 1);
    results.season = data.SaveCurrentSeasonInfo();
    return results;
}

// A tmpfs of a few hundred kilobytes mounted on a temporary folder, where the machine lets
// this process mount one.
class SmallDisk {
  public:
    SmallDisk() {
        if (::mount("tmpfs", m_mountPoint.Path().c_str(), "tmpfs", 0, "size=640k") == 0)
            m_mounted = true;
        else
            m_why = std::strerror(errno);
    }
    ~SmallDisk() {
        if (m_mounted) ::umount2(m_mountPoint.Path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    const fs::path& Path() const { return m_mountPoint.Path(); }

    // Fills the disk, then gives back free bytes (rounded by the file system to its pages).
    void LeaveFree(uintmax_t free) {
        const fs::path filler = m_mountPoint.Path() / "filler";
        {
            std::ofstream out(filler, std::ios::binary | std::ios::app);
            const std::string block(4096, 'f');
            while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) {
            }
        }
        const uintmax_t size = fs::file_size(filler);
        fs::resize_file(filler, size > free ? size - free : 0);
    }
    void Free() { fs::remove(m_mountPoint.Path() / "filler"); }

  private:
    TempFolder m_mountPoint;
    bool m_mounted = false;
    std::string m_why;
};

TEST(DiskFullTest, SavesBackupsAndRestoresFailWithMessagesAndKeepTheLeague) {
    SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a size-limited file system here (" << disk.Why() << ")";
    LimitedFolder folder(disk.Path());
    const std::string chosen = folder.File("Gridora - Blank.mdb");
    const std::string before = LeagueDump(folder.Live());
    std::string message;
    auto setup = folder.Start(message);
    ASSERT_TRUE(setup) << message;
    auto data = setup->get_DataService();
    disk.LeaveFree(0);
    const auto files = FolderBytes(disk.Path());

    const SaveResults saves = TrySaves(*data);
    EXPECT_FALSE(saves.player);
    EXPECT_FALSE(saves.season);
    EXPECT_EQ(folder.reports.size(), 1u) << "the season save reports; the player save answers";
    std::string error;
    EXPECT_FALSE(setup->CreateBackup(error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(setup->RestoreBackup(chosen, error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    setup = nullptr;
    data = nullptr;
    // The journal the engine could not write to may stay behind, empty, which is harmless.
    auto after = FolderBytes(disk.Path());
    if (fs::exists(folder.Live() + "-journal") && fs::file_size(folder.Live() + "-journal") == 0)
        after.erase("Gridora - Live.mdb-journal");
    EXPECT_EQ(after, files) << "no half-written file, the league unchanged";
    EXPECT_EQ(LeagueFault(folder.Live()), "");
    EXPECT_EQ(LeagueDump(folder.Live()), before);

    // Room for part of a copy only: the copy fails half-way and is taken away again.
    disk.Free();
    setup = folder.Start(message);
    ASSERT_TRUE(setup) << message;
    disk.LeaveFree(uintmax_t{40} * 1024);
    const auto partly = FolderBytes(disk.Path());
    error.clear();
    EXPECT_FALSE(setup->CreateBackup(error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(setup->RestoreBackup(folder.File("Gridora - Test.mdb"), error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    EXPECT_EQ(FolderBytes(disk.Path()), partly);

    // With room again, the same saves go through.
    disk.Free();
    const SaveResults again = TrySaves(*setup->get_DataService());
    EXPECT_TRUE(again.player && again.season);
    EXPECT_TRUE(setup->CreateBackup(error)) << error;
}

// Makes an entry unchangeable even for root (a plain read-only mode where that is not
// allowed), and changeable again afterwards.
class ReadOnly {
  public:
    explicit ReadOnly(const std::string& path) : m_path(path) {
        m_immutable = std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) == 0;
        if (!m_immutable)
            fs::permissions(
                path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                fs::perm_options::remove);
    }
    ~ReadOnly() {
        if (m_immutable) (void)std::system(("chattr -i '" + m_path + "'").c_str());
        fs::permissions(m_path, fs::perms::owner_write, fs::perm_options::add);
    }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;
    // Root ignores a plain read-only mode.
    bool Holds() const { return m_immutable || geteuid() != 0; }

  private:
    std::string m_path;
    bool m_immutable = false;
};

TEST(ReadOnlyTest, ReadOnlyLeagueFileStopsStartUpWithAMessage) {
    TempFolder dir;
    LimitedFolder folder(dir.Path());
    const std::string before = LeagueDump(folder.Live());
    const auto files = FolderBytes(dir.Path());
    {
        ReadOnly readOnly(folder.Live());
        if (!readOnly.Holds()) GTEST_SKIP() << "cannot make a file read-only for root here";
        std::string message;
        EXPECT_FALSE(folder.Start(message));
        EXPECT_EQ(message, "Error in opening database.\nattempt to write a readonly database");
        EXPECT_EQ(FolderBytes(dir.Path()), files);
    }
    EXPECT_EQ(LeagueDump(folder.Live()), before);
}

TEST(ReadOnlyTest, ReadOnlyFolderLetsTheLeagueBeReadAndRefusesSavesWithMessages) {
    TempFolder dir;
    LimitedFolder folder(dir.Path());
    const std::string before = LeagueDump(folder.Live());
    const auto files = FolderBytes(dir.Path());
    ReadOnly readOnly(dir.Path().string());
    if (!readOnly.Holds()) GTEST_SKIP() << "cannot make a folder read-only for root here";
    std::string message;
    auto setup = folder.Start(message);
    ASSERT_TRUE(setup) << message;
    auto data = setup->get_DataService();
    EXPECT_GT(data->GetAllSeasons()->Count(), 0);
    const SaveResults saves = TrySaves(*data);
    EXPECT_FALSE(saves.player);
    EXPECT_FALSE(saves.season);
    EXPECT_FALSE(folder.reports.empty());
    std::string error;
    EXPECT_FALSE(setup->CreateBackup(error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(setup->RestoreBackup(folder.File("Gridora - Blank.mdb"), error));
    EXPECT_FALSE(error.empty());
    setup = nullptr;
    data = nullptr;
    EXPECT_EQ(FolderBytes(dir.Path()), files);
    EXPECT_EQ(LeagueDump(folder.Live()), before);
}

}  // namespace
