// The program itself as a process: it finds the database folder it is given, starts, paints its
// main window with the title and quits (the start-up mode the cold-start benchmark uses).
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

constexpr int kTimeoutMs = 60000;

struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    std::string output;
};

ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(GRIDORA_PROGRAM), arguments);
    ProgramRun run;
    run.finished = program.waitForFinished(kTimeoutMs);
    if (!run.finished) program.kill();
    run.exitCode = program.exitCode();
    run.output = program.readAllStandardOutput().trimmed().toStdString();
    return run;
}

class ShellProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        databases.UseType(DBTest);
        year = databases.CurrentSeasonYear();
        environment.remove(QStringLiteral("GRIDORA_DATABASE_FOLDER"));
    }
    std::string ExpectedTitle() const {
        return "Gridora Management System (Season Year: " + std::to_string(year) + ") - Test";
    }

    ShellDatabases databases;
    int32_t year = 0;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(ShellProgramTest, StartsOnTheFolderGivenAndQuitsAfterItsFirstPaint) {
    const ProgramRun run =
        RunProgram({QStringLiteral("--database-folder"), QString::fromStdString(databases.Folder()),
                    QStringLiteral("--quit-after-paint")},
                   environment);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, ExpectedTitle());
}

TEST_F(ShellProgramTest, TakesTheFolderFromTheEnvironmentToo) {
    environment.insert(QStringLiteral("GRIDORA_DATABASE_FOLDER"),
                       QString::fromStdString(databases.Folder()));
    const ProgramRun run = RunProgram({QStringLiteral("--quit-after-paint")}, environment);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, ExpectedTitle());
}

}  // namespace
}  // namespace gr::ui::test
