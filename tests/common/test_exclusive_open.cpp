#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>

#include "GRServiceUtils.h"
#include "TempFolder.h"

namespace {

struct HelperResult {
    int exitCode = -1;
    std::string output;
};

// Runs the open helper in a process of its own; the path is quoted for the shell.
HelperResult OpenFromAnotherProcess(const std::string& path) {
    std::string quoted = "'";
    for (char c : path) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    const std::string command = std::string(GRIDORA_OPEN_HELPER) + " " + quoted + " 2>&1";
    HelperResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) result.output += buffer.data();
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

int CountSeasons(gr::db::Database& database) {
    gr::db::Statement q(database, "select count(*) as n from [season info]");
    q.Step();
    return q.GetLong("n");
}

TEST(ExclusiveOpenTest, SecondProcessIsRefusedWhileTheFileIsHeld) {
    gr::test::TempFolder dir;
    const std::string path = dir.CopyGenerated("Gridora - Test.mdb");
    std::unique_ptr<gr::db::Database> held;
    std::string error;
    ASSERT_TRUE(gr::OpenDatabaseFile(path, held, error)) << error;
    const int seasons = CountSeasons(*held);

    const HelperResult second = OpenFromAnotherProcess(path);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.output.find("database is locked"), std::string::npos) << second.output;

    // The holder goes on reading and writing, and the file stays sound.
    EXPECT_EQ(CountSeasons(*held), seasons);
    held->Execute("update [manager info] set [first name] = 'Changed' where [id] = 1");
    held.reset();
    ASSERT_TRUE(gr::OpenDatabaseFile(path, held, error)) << error;
    gr::db::Statement check(*held, "pragma integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.GetText(0), "ok");
}

TEST(ExclusiveOpenTest, FileIsFreeAgainOnceClosed) {
    gr::test::TempFolder dir;
    const std::string path = dir.CopyGenerated("Gridora - Blank.mdb");
    {
        std::unique_ptr<gr::db::Database> held;
        std::string error;
        ASSERT_TRUE(gr::OpenDatabaseFile(path, held, error)) << error;
    }
    const HelperResult second = OpenFromAnotherProcess(path);
    EXPECT_EQ(second.exitCode, 0) << second.output;
}

TEST(ExclusiveOpenTest, SecondOpenInTheSameProcessIsRefusedToo) {
    gr::test::TempFolder dir;
    const std::string path = dir.CopyGenerated("Gridora - Blank.mdb");
    std::unique_ptr<gr::db::Database> first;
    std::unique_ptr<gr::db::Database> second;
    std::string error;
    ASSERT_TRUE(gr::OpenDatabaseFile(path, first, error)) << error;
    EXPECT_FALSE(gr::OpenDatabaseFile(path, second, error));
    EXPECT_NE(error.find("locked"), std::string::npos) << error;

    // The refused attempt must not have loosened the first holder's lock.
    const HelperResult other = OpenFromAnotherProcess(path);
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_NE(other.output.find("database is locked"), std::string::npos) << other.output;
}

}  // namespace
