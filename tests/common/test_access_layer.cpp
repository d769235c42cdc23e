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

// The engine's own integrity check never reads pages on the free list; the whole-file
// check reads every page, so a changed byte in any page is found, free pages included.
TEST(WholeFileCheckTest, FindsAChangedByteInEveryPageFreePagesIncluded) {
    gr::test::TempFolder dir;
    const std::string path = dir.File("league.mdb");
    int32_t pageSize = 0;
    int32_t pageCount = 0;
    {
        auto db = Database::Create(path, "key");
        db->Execute("create table kept (a); insert into kept values ('kept');");
        db->Execute("create table dropped (a)");
        gr::db::Statement fill(*db, "insert into dropped values (?)");
        for (int i = 0; i < 60; ++i) fill.Bind(1, std::string(900, 'x')).Run();
        db->Execute("drop table dropped");
        Statement size(*db, "pragma page_size");
        Statement count(*db, "pragma page_count");
        Statement free(*db, "pragma freelist_count");
        ASSERT_TRUE(size.Step() && count.Step() && free.Step());
        pageSize = size.GetLong(0);
        pageCount = count.GetLong(0);
        ASSERT_GT(free.GetLong(0), 50) << "most pages are free";
        EXPECT_EQ(db->FindDamage(), "");
    }
    const std::string sound = gr::test::ReadBytes(path);
    int found = 0;
    for (int32_t page = 2; page <= pageCount; ++page) {
        std::string damaged = sound;
        damaged[static_cast<size_t>((page - 1) * pageSize + page % 500)] ^= 0x01;
        gr::test::WriteBytes(path, damaged);
        Database db(path, "key");
        const std::string fault = db.FindDamage();
        EXPECT_NE(fault, "") << "page " << page;
        found += fault.empty() ? 0 : 1;
    }
    EXPECT_EQ(found, pageCount - 1);
}

}  // namespace
