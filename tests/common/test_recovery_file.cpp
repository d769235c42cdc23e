// The recovery file of unsaved work: its text read back as written, what it says it holds,
// damaged files refused with a reason, owner-only files replaced whole, and its age against
// the league file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "RecoveryFile.h"
#include "TempFolder.h"

namespace gr::ui {
namespace {

namespace fs = std::filesystem;

UnsavedWork Picks(size_t count) {
    UnsavedWork work;
    work.seasonYear = 2026;
    for (size_t i = 1; i <= count; ++i)
        work.picks.push_back({static_cast<int32_t>(i), 1, 40 + static_cast<int32_t>(i),
                              "D'Andre\t\\Swift\nJr.", 0, 0});
    return work;
}

TEST(RecoveryFileTest, EveryKindOfWorkReadsBackAsWrittenAndSaysWhatItHolds) {
    UnsavedWork season;
    season.seasonYear = 2025;
    season.season = SeasonEdits{{"12", "1.5", "", "12a", "17"},
                                {true, false, false, true},
                                {{3, "Anil", "K\\ap\toor", true}},
                                {{7, "Champion", -5}}};
    UnsavedWork winnings;
    winnings.seasonYear = 2024;
    winnings.winnings = {{0, 3, 7, 2, "Anil Kapoor", "Weekly"}, {44, 0, 0, 0, "", ""}};
    const struct {
        UnsavedWork work;
        std::string description;
    } cases[] = {{Picks(5), "5 draft picks of season 2026"},
                 {Picks(1), "1 draft pick of season 2026"},
                 {winnings, "2 winnings rows of season 2024"},
                 {season, "the edits of season 2025"}};
    for (const auto& c : cases) {
        test::TempFolder folder;
        RecoveryFile file(folder.File("Gridora - Live.mdb"));
        std::string error;
        ASSERT_TRUE(file.Write(c.work, error)) << error;
        const auto read = file.Read(error);
        ASSERT_TRUE(read) << error;
        EXPECT_GT(read->writtenAt, 1700000000);
        UnsavedWork expected = c.work;
        expected.writtenAt = read->writtenAt;
        EXPECT_EQ(RecoveryFile::Format(*read), RecoveryFile::Format(expected));
        EXPECT_EQ(DescribeWork(*read), c.description);
        struct stat info {};
        ASSERT_EQ(::stat(file.Path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600U) << "owner-only";
        EXPECT_EQ(file.Path(), folder.File("Gridora - Live.mdb.unsaved"));
        file.WaitForDisk();
    }
}

TEST(RecoveryFileTest, DamagedOrForeignTextIsRefusedWithItsReason) {
    const std::string good = RecoveryFile::Format(Picks(2));
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {"", "It is not a file of unsaved work."},
        {"some notes\n", "It is not a file of unsaved work."},
        {"gridora-unsaved-work\t2\nend\n", "It was written by a later version of Gridora."},
        {good.substr(0, good.size() - 4), "The file is incomplete."},
        {"gridora-unsaved-work\t1\nseason\t20x6\nend\n", "Line 2 is damaged."},
        {"gridora-unsaved-work\t1\npick\t1\t1\nend\n", "Line 2 is damaged."},
        {"gridora-unsaved-work\t1\nsurprise\nend\n", "Line 2 is damaged."},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(RecoveryFile::Parse(c.text, error)) << c.text;
        EXPECT_EQ(error, c.reason) << c.text;
    }
}

TEST(RecoveryFileTest, ReplacedWholeOlderThanALaterSaveAndRemovedWithLeftovers) {
    test::TempFolder folder;
    const std::string league = folder.File("Gridora - Test.mdb");
    std::ofstream(league) << "league";
    RecoveryFile file(league);
    std::string error;
    EXPECT_FALSE(file.Read(error));
    EXPECT_EQ(error, "") << "no file is no fault";
    ASSERT_TRUE(file.Write(Picks(3), error));
    // A write killed half-way leaves its temporary file, never a half-written recovery file.
    std::ofstream(folder.File(".Gridora - Test.mdb.unsaved.k1ll3d")) << "gridora-unsaved-work";
    ASSERT_TRUE(file.Write(Picks(4), error));
    EXPECT_EQ(file.Read(error)->picks.size(), 4U);
    EXPECT_TRUE(file.IsNewerThanLeague());
    fs::last_write_time(league, fs::file_time_type::clock::now() + std::chrono::seconds(5));
    EXPECT_FALSE(file.IsNewerThanLeague()) << "the league was saved after the work was written";

    ASSERT_TRUE(file.Remove());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    // A folder that is gone: the reason, and nothing written.
    RecoveryFile nowhere(folder.File("gone/Gridora - Test.mdb"));
    EXPECT_FALSE(nowhere.Write(Picks(1), error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(nowhere.Exists());
}

}  // namespace
}  // namespace gr::ui
