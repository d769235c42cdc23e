#include <gtest/gtest.h>

#include "AdminArgs.h"

namespace gr::admin {
namespace {

ParseResult Parse(std::vector<std::string> words) {
    words.insert(words.begin(), "gridora-admin");
    return ParseAdminArgs(words);
}

TEST(AdminArgs, OptionsMayStandAnywhere) {
    const auto r = Parse(
        {"--json", "search", "--database-folder", "/tmp/db", "player", "Jo", "--include-retired"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.args.command, "search");
    EXPECT_EQ(r.args.operands, (std::vector<std::string>{"player", "Jo"}));
    EXPECT_EQ(r.args.databaseFolder, "/tmp/db");
    EXPECT_TRUE(r.args.json);
    EXPECT_TRUE(r.args.includeRetired);
    EXPECT_FALSE(r.args.seasonOnly);
}

TEST(AdminArgs, DatabaseFolderWithEqualsSign) {
    const auto r = Parse({"info", "--database-folder=/x/y z"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.args.databaseFolder, "/x/y z");
}

TEST(AdminArgs, DatabaseFolderWithoutAValueIsAnError) {
    EXPECT_EQ(Parse({"info", "--database-folder"}).error,
              "Option --database-folder needs a folder.");
}

TEST(AdminArgs, UnknownOptionAndUnknownCommand) {
    EXPECT_EQ(Parse({"info", "--verbose"}).error, "Unknown option --verbose.");
    EXPECT_EQ(Parse({"frobnicate"}).error, "Unknown command frobnicate. Try gridora-admin --help.");
    EXPECT_EQ(Parse({}).error, "No command given. Try gridora-admin --help.");
}

TEST(AdminArgs, EachCommandTakesOnlyItsOwnOptions) {
    EXPECT_EQ(Parse({"backup", "--json"}).error, "Command backup does not take --json.");
    EXPECT_EQ(Parse({"export-players", "x.csv", "--dry-run"}).error,
              "Command export-players does not take --dry-run.");
    EXPECT_EQ(Parse({"info", "--yes"}).error, "Command info does not take --yes.");
    EXPECT_EQ(Parse({"restore", "f.mdb", "--yes"}).error, "");
    EXPECT_EQ(Parse({"import-players", "f.csv", "--dry-run"}).error, "");
}

TEST(AdminArgs, OperandCountsAreChecked) {
    EXPECT_EQ(Parse({"season"}).error, "Usage: gridora-admin season YEAR [--json]");
    EXPECT_EQ(Parse({"info", "extra"}).error, "Usage: gridora-admin info [--json]");
    EXPECT_NE(Parse({"search", "player"}).error, "");
    EXPECT_NE(Parse({"use", "live", "test"}).error, "");
    EXPECT_EQ(Parse({"use", "live"}).error, "");
}

TEST(AdminArgs, DoubleDashLetsAnOperandStartWithADash) {
    const auto r = Parse({"search", "--", "player", "-x"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.args.operands[1], "-x");
}

TEST(AdminArgs, HelpNeedsNoOperands) {
    const auto general = Parse({"--help"});
    EXPECT_EQ(general.error, "");
    EXPECT_TRUE(general.args.help);
    EXPECT_EQ(general.args.command, "");
    const auto one = Parse({"restore", "-h"});
    EXPECT_EQ(one.error, "");
    EXPECT_TRUE(one.args.help);
    EXPECT_EQ(one.args.command, "restore");
}

TEST(AdminArgs, EveryCommandHasHelpAndAppearsInTheOverview) {
    for (const char* command : {"info", "seasons", "season", "search", "import-players",
                                "export-players", "backup", "restore", "use"}) {
        const std::string help = CommandHelp(command);
        EXPECT_NE(help.find(std::string("gridora-admin ") + command), std::string::npos) << help;
        EXPECT_NE(GeneralHelp().find(std::string("  ") + command), std::string::npos) << command;
    }
    EXPECT_EQ(CommandHelp("nope"), "");
}

}  // namespace
}  // namespace gr::admin
