#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "BackupFiles.h"
#include "TextTable.h"

namespace gr::admin {
namespace {

TEST(BackupFiles, ParsesOnlyBackupNames) {
    const auto file = ParseBackupFileName("Gridora - Backup - 20201231 - 02.mdb");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->date, "20201231");
    EXPECT_EQ(file->counter, 2);
    EXPECT_EQ(ParseBackupFileName("Gridora - Backup - 20201231 - 100.mdb")->counter, 100);
    EXPECT_FALSE(ParseBackupFileName("Gridora - Live.mdb"));
    EXPECT_FALSE(ParseBackupFileName("Gridora - Backup - 2020123 - 01.mdb"));
    EXPECT_FALSE(ParseBackupFileName("Gridora - Backup - 20201231 - 1.mdb"));
    EXPECT_FALSE(ParseBackupFileName("Gridora - Backup - 20201231 - 0x.mdb"));
    EXPECT_FALSE(ParseBackupFileName("Gridora - Backup - 20201231 - 01.mdb.bak"));
    EXPECT_EQ(IsoDate("20201231"), "2020-12-31");
}

TEST(BackupFiles, ListsTheFolderOldestFirst) {
    const auto folder = std::filesystem::path(testing::TempDir()) / "gr-admin-backup-list";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const char* name :
         {"Gridora - Backup - 20210101 - 01.mdb", "Gridora - Backup - 20201231 - 10.mdb",
          "Gridora - Backup - 20201231 - 09.mdb", "Gridora - Live.mdb", "notes.txt"})
        std::ofstream(folder / name) << "x";
    const auto files = ListBackupFiles(folder.string());
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].counter, 9);
    EXPECT_EQ(files[1].counter, 10);
    EXPECT_EQ(files[2].date, "20210101");
    EXPECT_EQ(std::filesystem::path(files[2].path).parent_path(), folder);
    EXPECT_TRUE(ListBackupFiles((folder / "missing").string()).empty());
    std::filesystem::remove_all(folder);
}

TEST(TextTable, PadsByCharactersNotBytes) {
    TextTable table;
    table.AddRow({"M\xC3\xBCller", "1"});
    table.AddRow({"Li", "2"});
    EXPECT_EQ(table.Render("> "), "> M\xC3\xBCller  1\n> Li      2\n");
    EXPECT_EQ(DisplayWidth("\xC3\xA9t\xC3\xA9"), 3u);
}

TEST(Utf8, WellFormedTextOnly) {
    EXPECT_TRUE(IsValidUtf8("plain O'Brien"));
    EXPECT_TRUE(IsValidUtf8("M\xC3\xBCller \xC5\x81ukasz \xF0\x9F\x8F\x88"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("M\xFCller"));         // Windows-1252
    EXPECT_FALSE(IsValidUtf8("\xC3"));              // truncated
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_EQ(Utf8SequenceLength("a", 0), 1u);
    EXPECT_EQ(Utf8SequenceLength("\xE2\x82\xAC", 0), 3u);
}

TEST(TextTable, EmptyLastCellsLeaveNoTrailingBlanks) {
    TextTable table;
    table.AddRow({"manager", "Anil Gupta", ""});
    table.AddRow({"prize", "Weekly", "Weekly"});
    EXPECT_EQ(table.Render("  "), "  manager  Anil Gupta\n  prize    Weekly      Weekly\n");
}

}  // namespace
}  // namespace gr::admin
