#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <set>

#include "GRPickUtils.h"
#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "TempFolder.h"

namespace {

using gr::db::Database;
using gr::db::Statement;
using gr::test::TempFolder;

class GeneratedDatabaseTest : public ::testing::Test {
  protected:
    std::unique_ptr<Database> Open(const std::string& name) {
        std::unique_ptr<Database> database;
        std::string error;
        EXPECT_TRUE(gr::OpenDatabaseFile(m_dir.CopyGenerated(name), database, error)) << error;
        return database;
    }
    static int32_t Count(Database& db, const std::string& sql) {
        Statement q(db, sql);
        EXPECT_TRUE(q.Step());
        return q.GetLong(0);
    }
    TempFolder m_dir;
};

TEST_F(GeneratedDatabaseTest, EveryFileIsUnreadableWithoutTheKey) {
    for (const char* name : {"Gridora - Blank.mdb", "Gridora - Live.mdb", "Gridora - Test.mdb",
                             "Gridora - Setup.mdb"}) {
        const std::string path = m_dir.CopyGenerated(name);
        EXPECT_NE(gr::test::ReadBytes(path).substr(0, 15), "SQLite format 3") << name;
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        const int rc =
            sqlite3_exec(raw, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
        EXPECT_EQ(rc, SQLITE_NOTADB) << name;
        sqlite3_close(raw);

        std::unique_ptr<Database> wrongKey;
        EXPECT_ANY_THROW(wrongKey = std::make_unique<Database>(path, "kartmu49zQ")) << name;
    }
}

TEST_F(GeneratedDatabaseTest, BlankHoldsTheReferenceDataOnly) {
    auto db = Open("Gridora - Blank.mdb");
    ASSERT_TRUE(db);
    Statement positions(*db, "select [id], [abbr], [desc] from [position info] order by [id]");
    std::vector<std::string> abbrs;
    while (positions.Step()) abbrs.push_back(positions.GetText("abbr"));
    EXPECT_EQ(abbrs, (std::vector<std::string>{"QB", "RB", "WR", "TE", "K", "DEF"}));
    EXPECT_EQ(Count(*db,
                    "select count(*) from [position info] where [id] = 6 and [desc] = "
                    "'Team Defense'"),
              1);
    EXPECT_EQ(Count(*db, "select count(*) from [team info]"), 32);
    EXPECT_EQ(Count(*db, "select count(*) from [team info] where [position id] = 6"), 32);
    EXPECT_EQ(Count(*db, "select count(distinct [abbr]) from [team info]"), 32);
    EXPECT_EQ(Count(*db, "select count(*) from [prize type info] where [type id] in (1, 2)"), 2);
    EXPECT_EQ(Count(*db,
                    "select count(*) from [prize info] where [id] = 1 and [desc] = "
                    "'Champion' and [type id] = 1"),
              1);
    EXPECT_EQ(Count(*db,
                    "select count(*) from [prize info] where [id] = 2 and [desc] = "
                    "'Runner-up' and [type id] = 1"),
              1);
    EXPECT_GE(Count(*db, "select count(*) from [prize info] where [id] > 2 and [type id] = 1"), 1);
    EXPECT_GE(Count(*db, "select count(*) from [prize info] where [type id] = 2"), 1);
    for (const char* table : {"player info", "manager info", "season info", "draft info",
                              "winning info", "playing info", "money distribution info"})
        EXPECT_EQ(Count(*db, std::string("select count(*) from [") + table + "]"), 0) << table;
    Statement settings(*db, "select * from [settings]");
    ASSERT_TRUE(settings.Step());
    EXPECT_EQ(settings.GetLong("ID"), 1);
    EXPECT_EQ(settings.GetLong("current season id"), 0);
    EXPECT_FALSE(settings.Step());
}

TEST_F(GeneratedDatabaseTest, LiveAddsThePlayerCatalogue) {
    auto db = Open("Gridora - Live.mdb");
    ASSERT_TRUE(db);
    EXPECT_EQ(Count(*db, "select count(*) from [player info]"), 588);
    EXPECT_EQ(Count(*db,
                    "select count(*) from [player info] where [position id] not between 1 "
                    "and 5 or [team id] is null or [is retired] <> 0"),
              0);
    EXPECT_EQ(Count(*db,
                    "select count(*) from [player info] p join [team info] t on t.[id] = "
                    "p.[team id] where p.[first name] = 'Ja''Marr' and p.[last name] = "
                    "'Chase' and t.[abbr] = 'CIN'"),
              1);
    EXPECT_EQ(Count(*db, "select count(*) from [season info]"), 0);
}

TEST_F(GeneratedDatabaseTest, TestHoldsLockedPastSeasonsAndAnUndraftedCurrentOne) {
    auto db = Open("Gridora - Test.mdb");
    ASSERT_TRUE(db);
    const int32_t thisYear = static_cast<int32_t>(gr::host::Today().year());
    EXPECT_GE(Count(*db, "select count(*) from [manager info]"), 8);
    Statement seasons(*db, "select * from [season info] order by [season year]");
    int past = 0;
    int32_t currentId = 0;
    while (seasons.Step()) {
        const int32_t id = seasons.GetLong("id");
        const int32_t managers = seasons.GetLong("no of players");
        const int32_t rounds = seasons.GetLong("no of rounds");
        const bool locked = seasons.GetBool("is season locked");
        const std::string where = " where [season id] = " + std::to_string(id);
        EXPECT_EQ(Count(*db, "select count(*) from [playing info]" + where), managers);
        if (!locked) {
            currentId = id;
            EXPECT_LE(std::abs(seasons.GetLong("season year") - thisYear), 1);
            EXPECT_FALSE(seasons.GetBool("is ranking locked"));
            EXPECT_FALSE(seasons.GetBool("is draft locked"));
            EXPECT_EQ(Count(*db, "select count(*) from [draft info]" + where +
                                     " and ([player id] is not null or [team id] is not null)"),
                      0);
            continue;
        }
        ++past;
        EXPECT_TRUE(seasons.GetBool("is ranking locked"));
        EXPECT_TRUE(seasons.GetBool("is draft locked"));
        EXPECT_EQ(Count(*db, "select count(*) from [draft info]" + where), managers * rounds);
        EXPECT_EQ(Count(*db, "select count(*) from [draft info]" + where +
                                 " and (([player id] is null) = ([team id] is null))"),
                  0)
            << "every pick is exactly one player or one team";
        EXPECT_EQ(Count(*db, "select count(*) from [winning info]" + where + " and [prize id] = 1"),
                  1);
        EXPECT_EQ(Count(*db, "select count(*) from [winning info]" + where + " and [prize id] = 2"),
                  1);
        // The picks follow the snake order of the locked ranking.
        std::map<int32_t, int32_t> managerOfRank;
        Statement ranks(*db, "select [manager id], [ranking] from [playing info]" + where);
        while (ranks.Step()) managerOfRank[ranks.GetLong("ranking")] = ranks.GetLong("manager id");
        Statement picks(*db, "select [draft no], [manager id] from [draft info]" + where);
        while (picks.Step()) {
            const auto slot = gr::GetDraftSlot(picks.GetLong("draft no"), managers);
            ASSERT_TRUE(slot);
            EXPECT_EQ(picks.GetLong("manager id"), managerOfRank[slot->managerRank]);
        }
    }
    EXPECT_EQ(past, 3);
    ASSERT_NE(currentId, 0);
    EXPECT_EQ(Count(*db, "select [current season id] from [settings] where [ID] = 1"), currentId);
    EXPECT_EQ(Count(*db, "select count(*) from [playing info] where [season id] = " +
                             std::to_string(currentId) + " and [ranking] is not null"),
              0);
}

TEST_F(GeneratedDatabaseTest, EngineRefusesToDeleteReferencedRows) {
    auto db = Open("Gridora - Test.mdb");
    ASSERT_TRUE(db);
    for (const char* sql :
         {"delete from [position info] where [id] = 1",
          "delete from [position info] where [id] = 6", "delete from [prize info] where [id] = 1",
          "delete from [manager info] where [id] = 1",
          "delete from [player info] where [id] in (select [player id] from "
          "[draft info] where [player id] is not null limit 1)"}) {
        EXPECT_ANY_THROW(db->Execute(sql)) << sql;
    }
    // An unreferenced row goes.
    db->Execute(
        "insert into [manager info] ([id], [first name], [last name]) values (99, 'A', "
        "'B')");
    EXPECT_NO_THROW(db->Execute("delete from [manager info] where [id] = 99"));
}

TEST_F(GeneratedDatabaseTest, OptionalColumnsTakeNullAndDefaultsFillTheRest) {
    auto db = Open("Gridora - Test.mdb");
    ASSERT_TRUE(db);
    db->Execute("insert into [season info] ([id], [season year]) values (50, 1990)");
    db->Execute("insert into [playing info] ([season id], [manager id]) values (50, 1)");
    db->Execute("insert into [draft info] ([season id], [draft no]) values (50, 1)");
    db->Execute(
        "insert into [winning info] ([id], [season id], [manager id], [prize id]) values "
        "(999, 50, 1, 1)");
    Statement season(*db, "select * from [season info] where [id] = 50");
    ASSERT_TRUE(season.Step());
    EXPECT_EQ(season.GetLong("no of rounds"), 0);
    EXPECT_FALSE(season.GetBool("is season locked"));
    Statement playing(*db, "select * from [playing info] where [season id] = 50");
    ASSERT_TRUE(playing.Step());
    EXPECT_TRUE(playing.IsNull("ranking"));
    EXPECT_FALSE(playing.GetBool("fee paid"));
    EXPECT_EQ(Count(*db,
                    "select count(*) from [winning info] where [week #] is null and [id] = "
                    "999"),
              1);
    EXPECT_ANY_THROW(
        db->Execute("insert into [season info] ([id], [season year]) values (51, "
                    "1990)"))
        << "one season per year";
    EXPECT_ANY_THROW(
        db->Execute("insert into [playing info] ([season id], [manager id]) values "
                    "(50, 1)"));
}

TEST_F(GeneratedDatabaseTest, SetupHoldsRowOneWithLiveSelected) {
    auto db = Open("Gridora - Setup.mdb");
    ASSERT_TRUE(db);
    Statement row(*db, "select * from [settings] where [ID] = 1");
    ASSERT_TRUE(row.Step());
    EXPECT_EQ(row.GetText("database type"), "1");
    EXPECT_EQ(row.GetText("backup count"), "0");
    EXPECT_EQ(row.GetText("backup date"), "");
    EXPECT_FALSE(row.Step());
}

}  // namespace
