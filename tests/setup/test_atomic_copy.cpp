#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "AtomicFileCopy.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::test::ReadBytes;
using gr::test::TempFolder;
using gr::test::WriteBytes;

size_t EntryCount(const fs::path& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
    return n;
}

TEST(AtomicCopyTest, CopiesAndReplacesAnExistingTarget) {
    TempFolder dir;
    const std::string big(3 << 20, 'b');
    WriteBytes(dir.File("source"), big);
    WriteBytes(dir.File("target"), "old content");
    std::string error;
    ASSERT_TRUE(gr::setup::CopyFileAtomically(dir.File("source"), dir.File("target"), error))
        << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), big);
    EXPECT_EQ(EntryCount(dir.Path()), 2u) << "no temporary file is left";
}

TEST(AtomicCopyTest, MissingSourceFailsAndLeavesTheTargetAlone) {
    TempFolder dir;
    WriteBytes(dir.File("target"), "keep me");
    std::string error;
    EXPECT_FALSE(gr::setup::CopyFileAtomically(dir.File("nope"), dir.File("target"), error));
    EXPECT_NE(error.find("nope"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), "keep me");
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(AtomicCopyTest, FolderAsSourceOrMissingTargetFolderFails) {
    TempFolder dir;
    WriteBytes(dir.File("source"), "x");
    std::string error;
    EXPECT_FALSE(gr::setup::CopyFileAtomically(dir.Path().string(), dir.File("t"), error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(gr::setup::CopyFileAtomically(dir.File("source"), dir.File("no/such/t"), error));
    EXPECT_FALSE(error.empty());
}

// The disk fills up half-way: a file size limit makes the writes fail in a child process.
TEST(AtomicCopyTest, WriteFailureHalfWayKeepsTheOldTargetWhole) {
    TempFolder dir;
    WriteBytes(dir.File("source"), std::string(1 << 20, 'n'));
    WriteBytes(dir.File("target"), std::string(1000, 'o'));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{rlim_t{64} * 1024, rlim_t{64} * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool copied =
            gr::setup::CopyFileAtomically(dir.File("source"), dir.File("target"), error);
        _exit(copied ? 0 : (error.empty() ? 2 : 1));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the copy reports the failure with a message";
    EXPECT_EQ(ReadBytes(dir.File("target")), std::string(1000, 'o'));
    EXPECT_EQ(EntryCount(dir.Path()), 2u) << "the partial temporary file is removed";
}

TEST(AtomicCopyTest, ReplacingKeepsTheOldTargetUnderTheKeptName) {
    TempFolder dir;
    const std::string big(2 << 20, 'n');
    WriteBytes(dir.File("source"), big);
    WriteBytes(dir.File("target"), "old target");
    std::string error;
    ASSERT_TRUE(gr::setup::ReplaceFileKeepingOld(dir.File("source"), dir.File("target"),
                                                 dir.File("kept"), error))
        << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), big);
    EXPECT_EQ(ReadBytes(dir.File("kept")), "old target");
    EXPECT_EQ(ReadBytes(dir.File("source")), big);
    EXPECT_EQ(EntryCount(dir.Path()), 3u) << "no temporary file is left";
    // The kept file is a file of its own, not another name of the new target.
    WriteBytes(dir.File("target"), "changed later");
    EXPECT_EQ(ReadBytes(dir.File("kept")), "old target");
}

// The kept name must be new: an existing file of that name is someone's older copy.
TEST(AtomicCopyTest, ReplacingNeverOverwritesAFileUnderTheKeptName) {
    TempFolder dir;
    WriteBytes(dir.File("source"), "new");
    WriteBytes(dir.File("target"), "old target");
    WriteBytes(dir.File("kept"), "an older kept file");
    std::string error;
    EXPECT_FALSE(gr::setup::ReplaceFileKeepingOld(dir.File("source"), dir.File("target"),
                                                  dir.File("kept"), error));
    EXPECT_NE(error.find("kept"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), "old target");
    EXPECT_EQ(ReadBytes(dir.File("kept")), "an older kept file");
    EXPECT_EQ(EntryCount(dir.Path()), 3u) << "no temporary file is left";
}

TEST(AtomicCopyTest, ReplacingWithoutATargetOrKeptNameIsAPlainCopy) {
    TempFolder dir;
    WriteBytes(dir.File("source"), "new");
    std::string error;
    ASSERT_TRUE(gr::setup::ReplaceFileKeepingOld(dir.File("source"), dir.File("target"),
                                                 dir.File("kept"), error))
        << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), "new");
    EXPECT_FALSE(fs::exists(dir.File("kept"))) << "there was nothing to keep";
    WriteBytes(dir.File("source"), "newer");
    ASSERT_TRUE(gr::setup::ReplaceFileKeepingOld(dir.File("source"), dir.File("target"), "", error))
        << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), "newer");
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
}

TEST(AtomicCopyTest, ReplacingFailsWithoutChangeWhenTheKeptNameCannotBeMade) {
    TempFolder dir;
    WriteBytes(dir.File("source"), "new");
    WriteBytes(dir.File("target"), "old");
    std::string error;
    EXPECT_FALSE(gr::setup::ReplaceFileKeepingOld(dir.File("source"), dir.File("target"),
                                                  dir.File("no/such/kept"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(dir.File("target")), "old");
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
}

TEST(AtomicCopyTest, ReplacingFailsWithoutChangeWhenTheSourceIsMissing) {
    TempFolder dir;
    WriteBytes(dir.File("target"), "old");
    std::string error;
    EXPECT_FALSE(gr::setup::ReplaceFileKeepingOld(dir.File("nope"), dir.File("target"),
                                                  dir.File("kept"), error));
    EXPECT_NE(error.find("nope"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.File("target")), "old");
    EXPECT_FALSE(fs::exists(dir.File("kept")));
}

// A process killed half-way through a copy leaves its hidden temporary file; only those
// of the named targets go, nothing else.
TEST(AtomicCopyTest, UnfinishedCopiesOfTheNamedTargetsAreRemoved) {
    TempFolder dir;
    for (const char* name :
         {".Gridora - Live.mdb.a1B2c3", ".Gridora - Backup - 20240315 - 01.mdb.Zz9Yy8",
          ".Gridora - notes", ".other.mdb.a1B2c3", "Gridora - Live.mdb",
          "Gridora - Backup - 20240315 - 02.mdb"})
        WriteBytes(dir.File(name), "x");
    fs::create_directory(dir.File(".Gridora - folder.abcdef"));
    gr::setup::RemoveUnfinishedCopies(dir.Path().string(), "Gridora - ");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{
                        ".Gridora - folder.abcdef", ".Gridora - notes", ".other.mdb.a1B2c3",
                        "Gridora - Backup - 20240315 - 02.mdb", "Gridora - Live.mdb"}));
}

}  // namespace
