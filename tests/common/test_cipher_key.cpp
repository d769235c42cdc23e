// Reopening keyed files with the key remembered from an earlier open of the same salt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CipherKey.h"
#include "SqlDatabase.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::db::Database;
using gr::db::DbError;
using gr::db::Statement;
using gr::test::ReadBytes;
using gr::test::TempFolder;
using gr::test::WriteBytes;

void MakeLeague(const std::string& path, const std::string& password, int32_t value) {
    auto db = Database::Create(path, password);
    db->Execute("create table [season info] ([id] integer)");
    Statement insert(*db, "insert into [season info] ([id]) values (?)");
    insert.Bind(1, value).Run();
}

int32_t StoredValue(const std::string& path, const std::string& password) {
    Database db(path, password);
    Statement row(db, "select [id] from [season info]");
    return row.Step() ? row.GetLong(0) : -1;
}

std::string OpenError(const std::string& path, const std::string& password) {
    try {
        Database db(path, password);
    } catch (const DbError& e) {
        return e.what();
    }
    return {};
}

TEST(CipherKeyTest, FilesWithoutASaltAreLeftToThePassword) {
    TempFolder dir;
    EXPECT_EQ(gr::db::RawKeyForFile(dir.File("missing.mdb"), "pw"), "");
    WriteBytes(dir.File("short.mdb"), "tiny");
    EXPECT_EQ(gr::db::RawKeyForFile(dir.File("short.mdb"), "pw"), "");
}

TEST(CipherKeyTest, RawKeyCarriesTheFilesSaltAndDependsOnThePassword) {
    TempFolder dir;
    MakeLeague(dir.File("a.mdb"), "pw", 1);
    const std::string raw = gr::db::RawKeyForFile(dir.File("a.mdb"), "pw");
    ASSERT_EQ(raw.size(), 2u + 96u + 1u) << raw;
    EXPECT_EQ(raw.substr(0, 2), "x'");
    std::string saltHex;
    for (unsigned char c : ReadBytes(dir.File("a.mdb")).substr(0, 16)) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        saltHex += kDigits[c >> 4];
        saltHex += kDigits[c & 0x0F];
    }
    EXPECT_EQ(raw.substr(66, 32), saltHex);
    EXPECT_NE(gr::db::RawKeyForFile(dir.File("a.mdb"), "other"), raw);
    EXPECT_EQ(gr::db::RawKeyForFile(dir.File("a.mdb"), "pw"), raw) << "remembered";
}

TEST(CipherKeyTest, ReopenedFilesAndByteCopiesOpenWithTheRememberedKey) {
    TempFolder dir;
    MakeLeague(dir.File("a.mdb"), "pw", 7);
    EXPECT_EQ(StoredValue(dir.File("a.mdb"), "pw"), 7);
    EXPECT_EQ(StoredValue(dir.File("a.mdb"), "pw"), 7);
    fs::copy_file(dir.File("a.mdb"), dir.File("copy.mdb"));
    EXPECT_EQ(StoredValue(dir.File("copy.mdb"), "pw"), 7);
    // The raw key opens the file straight through the engine as the password would.
    const std::string raw = gr::db::RawKeyForFile(dir.File("a.mdb"), "pw");
    EXPECT_EQ(StoredValue(dir.File("a.mdb"), raw), 7);
}

TEST(CipherKeyTest, WrongPasswordIsStillRefusedWithTheEngineMessage) {
    TempFolder dir;
    MakeLeague(dir.File("a.mdb"), "pw", 1);
    EXPECT_EQ(StoredValue(dir.File("a.mdb"), "pw"), 1);
    const std::string refused = OpenError(dir.File("a.mdb"), "wrong");
    EXPECT_NE(refused.find("not a database"), std::string::npos) << refused;
    EXPECT_EQ(StoredValue(dir.File("a.mdb"), "pw"), 1) << "the file is untouched";
}

// A file that carries the salt of a known file but was keyed otherwise: the remembered
// key does not fit, the password is tried as well, and the engine's refusal comes back.
TEST(CipherKeyTest, RememberedKeyThatDoesNotFitFallsBackToThePassword) {
    TempFolder dir;
    MakeLeague(dir.File("known.mdb"), "pw", 1);
    EXPECT_EQ(StoredValue(dir.File("known.mdb"), "pw"), 1);
    MakeLeague(dir.File("other.mdb"), "elsewhere", 2);
    std::string bytes = ReadBytes(dir.File("other.mdb"));
    bytes.replace(0, 16, ReadBytes(dir.File("known.mdb")).substr(0, 16));
    WriteBytes(dir.File("other.mdb"), bytes);
    const std::string refused = OpenError(dir.File("other.mdb"), "pw");
    EXPECT_NE(refused.find("not a database"), std::string::npos) << refused;
}

}  // namespace
