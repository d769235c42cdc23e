// A thin access layer over SQLCipher: an encrypted database held exclusively, prepared
// statements with bound parameters, and transactions. No SQL is ever built from data.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace gr::db {

// An error raised by the engine; what() is the engine's description.
class DbError : public std::runtime_error {
  public:
    DbError(int code, const std::string& description)
        : std::runtime_error(description), m_code(code) {}
    int Code() const { return m_code; }

  private:
    int m_code;
};

class Database;

// One prepared statement. Parameters are bound by 1-based position; columns are read by
// name with the league's reading conventions (null reads as 0, empty text or false).
class Statement {
  public:
    Statement(Database& db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, int32_t value);
    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, bool value);
    Statement& Bind(int index, const std::string& value);
    Statement& Bind(int index, const char* value) { return Bind(index, std::string(value)); }
    Statement& BindNull(int index);
    // Binds value, or null when value is not above 0 (link columns and optional numbers).
    Statement& BindIdOrNull(int index, int32_t value);

    // Steps once: true when a row is available, false when done. Throws DbError.
    bool Step();
    // Runs to completion (for statements without rows) and resets.
    void Run();
    // Ready for new bindings and a new run.
    void Reset();

    bool IsNull(const std::string& column) const;
    int32_t GetLong(const std::string& column) const;
    int64_t GetInt64(const std::string& column) const;
    std::string GetText(const std::string& column) const;
    bool GetBool(const std::string& column) const;

    int32_t GetLong(int column) const;
    std::string GetText(int column) const;
    bool IsNull(int column) const;
    int ColumnCount() const;

  private:
    int ColumnIndex(const std::string& column) const;

    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    mutable std::unordered_map<std::string, int> m_columns;
};

// An open, keyed database file. The connection holds an exclusive lock for its whole
// life, so a second process that tries to open the file fails with "database is locked".
class Database {
  public:
    // Opens an existing file read-write. Throws DbError with the engine's description
    // (wrong key and non-database files give "file is not a database").
    Database(const std::string& path, const std::string& key);
    // Creates a new file (fails when it exists).
    static std::unique_ptr<Database> Create(const std::string& path, const std::string& key);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs SQL without parameters or rows (schema scripts, pragmas).
    void Execute(const std::string& sql);
    // A statement prepared once per connection and reused; reset before it is handed out.
    Statement& Cached(const std::string& sql);

    // Highest value of an id column + 1 (1 for an empty table); table and column are
    // constants of the schema, never user text.
    int32_t NextId(const std::string& table, const std::string& column = "id");

    // Reads every page of the file, free pages included (the engine checks each page's
    // authentication code as it decrypts it), into memory and runs the engine's integrity
    // check on that copy. Empty text when the file is sound, otherwise the first fault.
    std::string FindDamage();

    int Changes() const;
    sqlite3* Handle() const { return m_db; }
    const std::string& Path() const { return m_path; }

    [[noreturn]] void Throw(int code) const;

  private:
    Database(const std::string& path, const std::string& key, int flags);
    // Opens m_path with the key remembered for its salt, or else with key.
    void OpenWithKnownOrGivenKey(int flags, const std::string& key);
    // Opens m_path with the flags and keys it; on failure nothing stays open.
    void Open(int flags, const std::string& key);
    void Configure(const std::string& key);
    // Marks the file as held by this process while the connection lives.
    void Hold();
    void Release();

    sqlite3* m_db = nullptr;
    std::string m_path;
    std::pair<dev_t, ino_t> m_fileId{};
    bool m_held = false;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
};

// All-or-nothing: rolls back unless Commit was called.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

  private:
    Database& m_db;
    bool m_done = false;
};

}  // namespace gr::db
