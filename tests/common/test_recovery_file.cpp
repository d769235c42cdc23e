// The recovery file of unsaved work: read back as written and described, owner-only, replaced
// whole, damaged text refused with its reason, and its age against the league file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "RecoveryFile.h"
#include "TempFolder.h"

namespace gr::ui {
namespace {

namespace fs = std::filesystem;

UnsavedWork Picks(int32_t count) {
    UnsavedWork work{2026, 0, {}, {}, {}};
    for (int32_t i = 1; i <= count; ++i) work.picks.push_back({i, 1, 40 + i, "D'A\t\\S\nJr", 0, 0});
    return work;
}

TEST(RecoveryFileTest, EveryKindOfWorkReadsBackAsWrittenAndSaysWhatItHolds) {
    const SeasonEdits edits{{"12", "1.5", "", "12a", "17"},
                            {true, false, false, true},
                            {{3, "Anil", "K\\ap\toor", true}},
                            {{7, "Champion", -5}}};
    const struct {
        UnsavedWork work;
        std::string description;
    } cases[] = {{Picks(1), "1 draft pick of season 2026"},
                 {{2024, 0, {}, {{0, 3, 7, 2, "Anil", "Weekly"}, {44, 0, 0, 0, "", ""}}, {}},
                  "2 winnings rows of season 2024"},
                 {{2025, 0, {}, {}, edits}, "the edits of season 2025"}};
    for (const auto& c : cases) {
        test::TempFolder folder;
        RecoveryFile file(folder.File("Gridora - Live.mdb"));
        std::string error;
        ASSERT_TRUE(file.Write(c.work, error)) << error;
        const auto read = file.Read(error);
        ASSERT_TRUE(read) << error;
        UnsavedWork expected = c.work;
        expected.writtenAt = read->writtenAt;
        EXPECT_EQ(RecoveryFile::Format(*read), RecoveryFile::Format(expected));
        EXPECT_EQ(DescribeWork(*read), c.description);
        struct stat info {};
        ASSERT_EQ(::stat(folder.File("Gridora - Live.mdb.unsaved").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600U) << "owner-only";
        file.WaitForDisk();
    }
}

TEST(RecoveryFileTest, DamagedOrForeignTextIsRefusedWithItsReason) {
    const std::string good = RecoveryFile::Format(Picks(2));
    const std::pair<std::string, std::string> cases[] = {
        {"", "It is not a file of unsaved work."},
        {"some notes\n", "It is not a file of unsaved work."},
        {"gridora-unsaved-work\t2\nend\n", "It was written by a later version of Gridora."},
        {good.substr(0, good.size() - 4), "The file is incomplete."},
        {"gridora-unsaved-work\t1\nseason\t20x6\nend\n", "Line 2 is damaged."},
        {"gridora-unsaved-work\t1\npick\t1\t1\nend\n", "Line 2 is damaged."},
        {"gridora-unsaved-work\t1\nsurprise\nend\n", "Line 2 is damaged."},
    };
    for (const auto& [text, reason] : cases) {
        std::string error;
        EXPECT_FALSE(RecoveryFile::Parse(text, error)) << text;
        EXPECT_EQ(error, reason) << text;
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
    // A write killed half-way leaves its temporary file, never a half-written recovery file.
    std::ofstream(folder.File(".Gridora - Test.mdb.unsaved.k1ll3d")) << "gridora-unsaved-work";
    ASSERT_TRUE(file.Write(Picks(3), error));
    ASSERT_TRUE(file.Write(Picks(4), error));
    EXPECT_EQ(file.Read(error)->picks.size(), 4U);
    EXPECT_TRUE(file.IsNewerThanLeague());
    fs::last_write_time(league, fs::file_time_type::clock::now() + std::chrono::seconds(5));
    EXPECT_FALSE(file.IsNewerThanLeague()) << "the league was saved after the work was written";
    ASSERT_TRUE(file.Remove());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(RecoveryFile(folder.File("gone/x.mdb")).Write(Picks(1), error));
    EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
}  // namespace gr::ui
