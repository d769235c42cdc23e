// Damaged files where the services expect a league, the setup file or a backup to restore:
// the services answer with their messages, nothing crashes, the live league is never
// damaged and no other file of the folder changes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "GRServiceUtils.h"
#include "IDataService.h"
#include "LeagueState.h"
#include "ServiceFolder.h"
#include "SqlDatabase.h"

namespace {

namespace fs = std::filesystem;
using gr::test::FolderBytes;
using gr::test::LeagueDump;
using gr::test::LeagueFault;
using gr::test::ReadBytes;
using gr::test::ServiceFolder;
using gr::test::WriteBytes;

constexpr size_t kPageSize = 1024;

std::string Flipped(std::string bytes, size_t offset) {
    bytes[offset] = static_cast<char>(bytes[offset] ^ 0x20);
    return bytes;
}

// One damaged file: its name and how it is put at a path.
struct Damage {
    std::string name;
    std::function<void(const std::string& path)> place;
};

// Truncations, flipped bytes in the header, in a middle page and in the last page, an empty
// file, a plain SQLite file without the key, a text file and a folder, all made from the
// generated file.
std::vector<Damage> DamagesOf(const std::string& generated, const std::string& scratch) {
    const std::string bytes = ReadBytes(generated);
    std::vector<Damage> damages;
    auto write = [](std::string content) {
        return
            [content = std::move(content)](const std::string& path) { WriteBytes(path, content); };
    };
    for (size_t size : {size_t{1}, size_t{15}, size_t{16}, size_t{100}, size_t{512}, kPageSize - 1,
                        kPageSize, kPageSize + 1, 2 * kPageSize, bytes.size() / 2,
                        bytes.size() - kPageSize, bytes.size() - 1})
        if (size < bytes.size())
            damages.push_back(
                {"truncated to " + std::to_string(size), write(bytes.substr(0, size))});
    for (size_t offset : {size_t{0}, size_t{8}, size_t{15}, size_t{16}, size_t{20}, size_t{24},
                          size_t{40}, size_t{56}, size_t{92}, size_t{99}})
        damages.push_back({"header byte " + std::to_string(offset), write(Flipped(bytes, offset))});
    const size_t pages = bytes.size() / kPageSize;
    damages.push_back(
        {"middle page byte", write(Flipped(bytes, (pages / 2) * kPageSize + kPageSize / 3))});
    damages.push_back({"last page byte", write(Flipped(bytes, bytes.size() - kPageSize / 2))});
    damages.push_back({"zero-length", write("")});
    damages.push_back({"text file", write(std::string(3000, 'T') + "\nnot a league\n")});
    {
        const std::string plain = scratch + "/plain.sqlite";
        sqlite3* db = nullptr;
        sqlite3_open(plain.c_str(), &db);
        sqlite3_exec(db,
                     "create table [season info] ([id] integer primary key, [year] integer);"
                     "insert into [season info] values (1, 2024);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        damages.push_back({"plain SQLite file without the key", write(ReadBytes(plain))});
        fs::remove(plain);
    }
    damages.push_back({"folder", [](const std::string& path) { fs::create_directory(path); }});
    return damages;
}

void Remove(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

// Everything but the named entry is as it was.
void ExpectOthersUnchanged(const std::map<std::string, std::string>& before,
                           const std::map<std::string, std::string>& after,
                           const std::string& except, const std::string& variant) {
    auto strip = [&except](std::map<std::string, std::string> entries) {
        entries.erase(except);
        return entries;
    };
    EXPECT_EQ(strip(before), strip(after)) << variant;
}

// Reads what a window would read first; engine errors come back as reports, not crashes.
void ReadLikeTheProgram(gr::ISetupService& setup) {
    auto data = setup.get_DataService();
    if (!data) return;
    data->GetAllSeasons();
    data->GetCurrentSeasonInfo();
    data->Search(gr::TypePlayerOrTeam, "", false, false);
}

class DamagedFilesTest : public ::testing::Test {
  protected:
    ServiceFolder folder;
};

// A backup with one byte changed, at offsets spread over every page (the salt, headers,
// cell content, the per-page check data), is refused before anything is replaced; where
// the engine keeps bytes it never reads, a restore may go ahead, and then the live league
// is whole and holds exactly the backup's league.
TEST_F(DamagedFilesTest, RestoringABackupWithAnyByteChangedNeverDamagesTheLiveLeague) {
    const std::string pristine = ReadBytes(folder.File("Gridora - Test.mdb"));
    const std::string pristineDump = LeagueDump(folder.File("Gridora - Test.mdb"));
    const std::string liveBytes = ReadBytes(folder.LivePath());
    const std::string candidate = folder.File("chosen backup.mdb");
    std::vector<size_t> offsets = {0, 7, 15, pristine.size() - 1};
    for (size_t page = 0; page < pristine.size() / kPageSize; ++page)
        for (size_t within : {page * 37 % kPageSize, (page * 389 + 700) % kPageSize})
            offsets.push_back(page * kPageSize + within);
    bool initialized = false;
    std::string message;
    auto setup = folder.StartSetup(initialized, message);
    ASSERT_TRUE(initialized) << message;
    int refused = 0;
    int accepted = 0;
    for (size_t offset : offsets) {
        WriteBytes(candidate, Flipped(pristine, offset));
        const auto before = FolderBytes(folder.Path());
        std::string error;
        if (!setup->RestoreBackup(candidate, error)) {
            ++refused;
            EXPECT_FALSE(error.empty()) << offset;
            EXPECT_EQ(FolderBytes(folder.Path()), before) << "offset " << offset << ": " << error;
            continue;
        }
        ++accepted;
        setup = nullptr;  // lets go of the live file so it can be read here
        EXPECT_EQ(LeagueFault(folder.LivePath()), "") << offset;
        EXPECT_EQ(LeagueDump(folder.LivePath()), pristineDump) << offset;
        WriteBytes(folder.LivePath(), liveBytes);
        for (const auto& [name, bytes] : FolderBytes(folder.Path()))
            if (name.rfind("Gridora - Backup", 0) == 0) Remove(folder.File(name));
        setup = folder.StartSetup(initialized, message);
        ASSERT_TRUE(initialized) << message;
    }
    EXPECT_TRUE(folder.TakeReports().empty());
    EXPECT_GT(refused, static_cast<int>(offsets.size() * 9 / 10));
    std::cout << "[ variants ] backups with one byte changed: " << offsets.size() << " tried, "
              << refused << " refused, " << accepted << " restored whole\n";
    RecordProperty("changed_byte_backups", static_cast<int>(offsets.size()));
}

TEST_F(DamagedFilesTest, RestoringADamagedBackupSaysSoAndLeavesTheLeagueAlone) {
    const std::string candidate = folder.File("chosen backup.mdb");
    const std::string pristine = ReadBytes(folder.File("Gridora - Test.mdb"));
    WriteBytes(candidate, Flipped(pristine, pristine.size() / 2));
    bool initialized = false;
    std::string message;
    auto setup = folder.StartSetup(initialized, message);
    ASSERT_TRUE(initialized) << message;
    const std::string live = ReadBytes(folder.LivePath());
    auto data = setup->get_DataService();
    const int32_t seasons = data->GetAllSeasons()->Count();
    std::string error;
    EXPECT_FALSE(setup->RestoreBackup(candidate, error));
    EXPECT_EQ(error, "The backup file " + candidate +
                         " is damaged and was not restored (database disk image is malformed).");
    EXPECT_EQ(ReadBytes(folder.LivePath()), live);
    EXPECT_EQ(data->GetAllSeasons()->Count(), seasons) << "the live league runs on";
    EXPECT_TRUE(folder.TakeReports().empty());
}

// A write into a damaged page fails half-way and leaves the live file's journal behind. A
// restore then must not let that journal play the old pages into the restored league.
TEST_F(DamagedFilesTest, AFailedWritesJournalNeverReachesTheRestoredLeague) {
    const std::string live = ReadBytes(folder.LivePath());
    WriteBytes(folder.LivePath(), Flipped(live, live.size() - kPageSize / 2));
    const std::string chosen = folder.File("chosen backup.mdb");
    fs::copy_file(folder.File("Gridora - Test.mdb"), chosen);
    const std::string chosenDump = LeagueDump(chosen);
    bool initialized = false;
    std::string message;
    auto setup = folder.StartSetup(initialized, message);
    ASSERT_TRUE(initialized) << message;
    ReadLikeTheProgram(*setup);
    EXPECT_FALSE(folder.TakeReports().empty()) << "the damaged page is reported";
    std::string error;
    ASSERT_TRUE(setup->RestoreBackup(chosen, error)) << error;
    setup = nullptr;
    EXPECT_FALSE(fs::exists(folder.LivePath() + "-journal"));
    EXPECT_EQ(LeagueFault(folder.LivePath()), "");
    EXPECT_EQ(LeagueDump(folder.LivePath()), chosenDump);
}

// Each damage in turn where the live file, the setup file and a backup to restore are
// expected.
TEST_F(DamagedFilesTest, CorpusOfDamagedFilesGetsMessagesAndChangesNothingElse) {
    const std::string scratch = folder.File("scratch");
    fs::create_directory(scratch);
    const std::string liveBytes = ReadBytes(folder.LivePath());
    const std::string liveDump = LeagueDump(folder.LivePath());
    const std::string setupBytes = ReadBytes(folder.SetupPath());
    int variants = 0;
    int restoredWhole = 0;
    auto tryAt = [&](const std::string& target, const Damage& damage,
                     const std::function<void()>& exercise) {
        const std::string variant = fs::path(target).filename().string() + ", " + damage.name;
        // A journal that a failed write left belongs to the damaged file and goes with it.
        Remove(target);
        Remove(target + "-journal");
        damage.place(target);
        auto before = FolderBytes(folder.Path());
        exercise();
        auto after = FolderBytes(folder.Path());
        after.erase(fs::path(target).filename().string() + "-journal");
        ExpectOthersUnchanged(before, after, fs::path(target).filename().string(), variant);
        folder.TakeReports();
        ++variants;
    };
    // The setup file is read at start-up only; reading the league on would let the program
    // make its usual writes (a league without seasons gets its first one).
    auto startAndRead = [&](const std::string& which) {
        return [&, which] {
            bool initialized = false;
            std::string message;
            auto setup = folder.StartSetup(initialized, message);
            if (!initialized)
                EXPECT_FALSE(message.empty()) << which;
            else if (which == "live")
                ReadLikeTheProgram(*setup);
        };
    };
    for (const Damage& damage : DamagesOf(folder.LivePath(), scratch))
        tryAt(folder.LivePath(), damage, startAndRead("live"));
    Remove(folder.LivePath());
    Remove(folder.LivePath() + "-journal");
    WriteBytes(folder.LivePath(), liveBytes);
    for (const Damage& damage : DamagesOf(folder.SetupPath(), scratch))
        tryAt(folder.SetupPath(), damage, startAndRead("setup"));
    Remove(folder.SetupPath());
    WriteBytes(folder.SetupPath(), setupBytes);
    const std::string backup = folder.File("Gridora - Backup - 20240101 - 01.mdb");
    for (const Damage& damage : DamagesOf(folder.LivePath(), scratch)) {
        tryAt(backup, damage, [&] {
            bool initialized = false;
            std::string message;
            auto setup = folder.StartSetup(initialized, message);
            ASSERT_TRUE(initialized) << message;
            std::string error;
            if (setup->RestoreBackup(backup, error)) {
                // Only where the damage is in bytes the engine never reads.
                setup = nullptr;
                EXPECT_EQ(LeagueFault(folder.LivePath()), "") << damage.name;
                EXPECT_EQ(LeagueDump(folder.LivePath()), liveDump) << damage.name;
                // Back as it was, so that the folder check below sees only the damage.
                WriteBytes(folder.LivePath(), liveBytes);
                WriteBytes(folder.SetupPath(), setupBytes);
                Remove(folder.File("Gridora - Backup - 20240315 - 01.mdb"));
                ++restoredWhole;
            } else {
                EXPECT_FALSE(error.empty()) << damage.name;
            }
        });
    }
    EXPECT_TRUE(ReadBytes(folder.LivePath()) == liveBytes) << "the live league is untouched";
    EXPECT_EQ(LeagueFault(folder.LivePath()), "");
    std::cout << "[ variants ] damaged files tried: " << variants
              << " (backups restored whole: " << restoredWhole << ")\n";
    RecordProperty("damaged_file_variants", variants);
}

}  // namespace
