#include <gtest/gtest.h>

#include "SqlDatabase.h"
#include "TempFolder.h"

namespace {

using gr::db::Database;
using gr::db::Statement;

class AccessLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_db = Database::Create(m_dir.File("a.mdb"), "key");
        m_db->Execute(
            "create table [t x] ([id] integer primary key, [n] integer, [s] text, "
            "[b] integer)");
    }
    gr::test::TempFolder m_dir;
    std::unique_ptr<Database> m_db;
};

TEST_F(AccessLayerTest, NullsReadAsZeroEmptyTextAndFalse) {
    m_db->Execute("insert into [t x] ([id]) values (1)");
    Statement q(*m_db, "select * from [t x]");
    ASSERT_TRUE(q.Step());
    EXPECT_TRUE(q.IsNull("n"));
    EXPECT_EQ(q.GetLong("n"), 0);
    EXPECT_EQ(q.GetText("s"), "");
    EXPECT_FALSE(q.GetBool("b"));
    EXPECT_THROW(q.GetLong("missing"), gr::db::DbError);
}

TEST_F(AccessLayerTest, BoundTextIsNeverSql) {
    const std::string hostile = "x'); drop table [t x]; --";
    Statement insert(*m_db, "insert into [t x] ([id], [s]) values (?, ?)");
    insert.Bind(1, int32_t{1}).Bind(2, hostile).Run();
    Statement q(*m_db, "select [s] from [t x] where [s] = ?");
    q.Bind(1, hostile);
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.GetText("s"), hostile);
}

TEST_F(AccessLayerTest, NextIdIsOneOnAnEmptyTableThenHighestPlusOne) {
    EXPECT_EQ(m_db->NextId("t x"), 1);
    m_db->Execute("insert into [t x] ([id]) values (41)");
    EXPECT_EQ(m_db->NextId("t x"), 42);
}

TEST_F(AccessLayerTest, TransactionWithoutCommitLeavesNothing) {
    {
        gr::db::Transaction transaction(*m_db);
        m_db->Execute("insert into [t x] ([id]) values (1)");
    }
    Statement q(*m_db, "select count(*) from [t x]");
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.GetLong(0), 0);
}

TEST_F(AccessLayerTest, CreateRefusesAnExistingFile) {
    EXPECT_THROW(Database::Create(m_dir.File("a.mdb"), "key"), gr::db::DbError);
}

}  // namespace
