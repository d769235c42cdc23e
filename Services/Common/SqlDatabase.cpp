#include "SqlDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <mutex>
#include <set>
#include <utility>

#include "CaselessText.h"
#include "CipherKey.h"

namespace gr::db {

namespace {

// The files this process holds open, by device and inode. Any other descriptor of a held
// file that this process opens and closes (reading its salt, a refused second connection)
// would release the locks of the holder, so a held file is refused before it is touched.
using FileId = std::pair<dev_t, ino_t>;

std::mutex& HeldGuard() {
    static std::mutex guard;
    return guard;
}

std::set<FileId>& HeldFiles() {
    static std::set<FileId> held;
    return held;
}

bool IdOf(const std::string& path, FileId& id) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;
    id = {info.st_dev, info.st_ino};
    return true;
}

bool IsHeld(const std::string& path) {
    FileId id;
    std::lock_guard<std::mutex> lock(HeldGuard());
    return IdOf(path, id) && HeldFiles().count(id) > 0;
}

// A private in-memory database that goes with its scope.
class MemoryDatabase {
  public:
    MemoryDatabase() {
        if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            throw DbError(SQLITE_NOMEM, sqlite3_errstr(SQLITE_NOMEM));
    }
    ~MemoryDatabase() { sqlite3_close(m_db); }
    MemoryDatabase(const MemoryDatabase&) = delete;
    MemoryDatabase& operator=(const MemoryDatabase&) = delete;
    sqlite3* Handle() const { return m_db; }

  private:
    sqlite3* m_db = nullptr;
};

// Copies every page of the source into the plain in-memory database; the source pages are
// decrypted and authenticated on the way. Empty text, or the engine's complaint.
std::string CopyEveryPage(sqlite3* source, sqlite3* memory, int32_t pageSize) {
    const std::string setSize = "PRAGMA page_size = " + std::to_string(pageSize);
    sqlite3_exec(memory, setSize.c_str(), nullptr, nullptr, nullptr);
    sqlite3_backup* copy = sqlite3_backup_init(memory, "main", source, "main");
    if (!copy) return sqlite3_errmsg(memory);
    const int stepped = sqlite3_backup_step(copy, -1);
    const int finished = sqlite3_backup_finish(copy);
    // A page that fails its authentication is reported on the source connection, and as
    // a plain error; the copy itself only fails when more pages follow it.
    int failure = sqlite3_errcode(source);
    if (failure == SQLITE_OK && stepped != SQLITE_DONE) failure = stepped;
    if (failure == SQLITE_OK) failure = finished;
    if (failure == SQLITE_OK) return {};
    return sqlite3_errstr(failure == SQLITE_ERROR ? SQLITE_CORRUPT : failure);
}

// The engine's first complaint about the database, or empty text when it says "ok".
std::string FirstIntegrityFault(sqlite3* database) {
    sqlite3_stmt* check = nullptr;
    if (sqlite3_prepare_v2(database, "PRAGMA integrity_check(1)", -1, &check, nullptr) != SQLITE_OK)
        return sqlite3_errmsg(database);
    std::string fault;
    const int rc = sqlite3_step(check);
    if (rc == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        fault = text ? text : "";
        if (fault == "ok") fault.clear();
    } else {
        fault = sqlite3_errmsg(database);
    }
    sqlite3_finalize(check);
    return fault;
}

}  // namespace

// ---- Statement ---------------------------------------------------------------------

Statement::Statement(Database& db, const std::string& sql) : m_db(db) {
    const int rc = sqlite3_prepare_v2(db.Handle(), sql.c_str(), static_cast<int>(sql.size()),
                                      &m_stmt, nullptr);
    if (rc != SQLITE_OK) db.Throw(rc);
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement& Statement::Bind(int index, int32_t value) {
    const int rc = sqlite3_bind_int(m_stmt, index, value);
    if (rc != SQLITE_OK) m_db.Throw(rc);
    return *this;
}

Statement& Statement::Bind(int index, int64_t value) {
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK) m_db.Throw(rc);
    return *this;
}

Statement& Statement::Bind(int index, bool value) {
    return Bind(index, int32_t{value ? 1 : 0});
}

Statement& Statement::Bind(int index, const std::string& value) {
    const int rc = sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) m_db.Throw(rc);
    return *this;
}

Statement& Statement::BindNull(int index) {
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK) m_db.Throw(rc);
    return *this;
}

Statement& Statement::BindIdOrNull(int index, int32_t value) {
    return value > 0 ? Bind(index, value) : BindNull(index);
}

bool Statement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(m_stmt);
    m_db.Throw(rc);
}

void Statement::Run() {
    while (Step()) {
    }
    Reset();
}

void Statement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::ColumnIndex(const std::string& column) const {
    if (m_columns.empty()) {
        const int n = sqlite3_column_count(m_stmt);
        for (int i = 0; i < n; ++i) m_columns.emplace(sqlite3_column_name(m_stmt, i), i);
    }
    auto it = m_columns.find(column);
    if (it == m_columns.end())
        throw DbError(SQLITE_ERROR, "Item not found in this collection: " + column);
    return it->second;
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}
bool Statement::IsNull(const std::string& column) const {
    return IsNull(ColumnIndex(column));
}

int32_t Statement::GetLong(int column) const {
    return sqlite3_column_int(m_stmt, column);
}
int32_t Statement::GetLong(const std::string& column) const {
    return GetLong(ColumnIndex(column));
}

int64_t Statement::GetInt64(const std::string& column) const {
    return sqlite3_column_int64(m_stmt, ColumnIndex(column));
}

std::string Statement::GetText(int column) const {
    const auto* text = sqlite3_column_text(m_stmt, column);
    if (!text) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)));
}
std::string Statement::GetText(const std::string& column) const {
    return GetText(ColumnIndex(column));
}

bool Statement::GetBool(const std::string& column) const {
    return GetLong(column) != 0;
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(m_stmt);
}

// ---- Database ----------------------------------------------------------------------

Database::Database(const std::string& path, const std::string& key)
    : Database(path, key, SQLITE_OPEN_READWRITE) {}

Database::Database(const std::string& path, const std::string& key, int flags) : m_path(path) {
    // The engine's own answer for a file held exclusively elsewhere.
    if (IsHeld(path)) throw DbError(SQLITE_BUSY, sqlite3_errstr(SQLITE_BUSY));
    OpenWithKnownOrGivenKey(flags, key);
    Hold();
}

void Database::OpenWithKnownOrGivenKey(int flags, const std::string& key) {
    // The key worked out before for this file's salt spares the slow derivation; should it
    // not fit, the password itself decides.
    const std::string rawKey = RawKeyForFile(m_path, key);
    if (!rawKey.empty()) {
        try {
            Open(flags, rawKey);
            return;
        } catch (const DbError& e) {
            if (e.Code() != SQLITE_NOTADB) throw;
        }
    }
    Open(flags, key);
}

void Database::Hold() {
    std::lock_guard<std::mutex> lock(HeldGuard());
    m_held = IdOf(m_path, m_fileId) && HeldFiles().insert(m_fileId).second;
}

void Database::Release() {
    if (!m_held) return;
    std::lock_guard<std::mutex> lock(HeldGuard());
    HeldFiles().erase(m_fileId);
    m_held = false;
}

void Database::Open(int flags, const std::string& key) {
    const int rc = sqlite3_open_v2(m_path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string why = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(rc, why);
    }
    try {
        Configure(key);
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

std::unique_ptr<Database> Database::Create(const std::string& path, const std::string& key) {
    if (std::filesystem::exists(path))
        throw DbError(SQLITE_CANTOPEN, "File already exists: " + path);
    return std::unique_ptr<Database>(
        new Database(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
}

void Database::Configure(const std::string& key) {
    int rc = sqlite3_key(m_db, key.data(), static_cast<int>(key.size()));
    if (rc != SQLITE_OK) Throw(rc);
    sqlite3_busy_timeout(m_db, 0);
    RegisterCaselessText(m_db);
    // Reading the schema proves the key (a wrong key or a foreign file fails here), and
    // the exclusive transaction takes the lock that exclusive locking mode then keeps.
    Execute(
        "PRAGMA locking_mode = EXCLUSIVE;"
        "PRAGMA foreign_keys = ON;"
        "BEGIN EXCLUSIVE; SELECT count(*) FROM sqlite_master; COMMIT;");
}

Database::~Database() {
    m_cache.clear();
    sqlite3_close(m_db);
    Release();
}

void Database::Execute(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string why = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        if (sqlite3_get_autocommit(m_db) == 0)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw DbError(rc, why);
    }
}

Statement& Database::Cached(const std::string& sql) {
    auto it = m_cache.find(sql);
    if (it == m_cache.end())
        it = m_cache.emplace(sql, std::make_unique<Statement>(*this, sql)).first;
    it->second->Reset();
    return *it->second;
}

int32_t Database::NextId(const std::string& table, const std::string& column) {
    Statement& stmt = Cached("select max([" + column + "]) as highestid from [" + table + "]");
    int32_t highest = 0;
    if (stmt.Step()) highest = stmt.GetLong("highestid");
    stmt.Reset();
    return highest + 1;
}

std::string Database::FindDamage() {
    int32_t pageSize = 0;
    try {
        Statement size(*this, "PRAGMA page_size");
        if (size.Step()) pageSize = size.GetLong(0);
    } catch (const DbError& e) {
        return e.what();
    }
    MemoryDatabase memory;
    std::string fault = CopyEveryPage(m_db, memory.Handle(), pageSize);
    if (fault.empty()) fault = FirstIntegrityFault(memory.Handle());
    return fault;
}

int Database::Changes() const {
    return sqlite3_changes(m_db);
}

void Database::Throw(int code) const {
    throw DbError(code, m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code));
}

// ---- Transaction -------------------------------------------------------------------

Transaction::Transaction(Database& db) : m_db(db) {
    m_db.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!m_done) sqlite3_exec(m_db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    m_db.Execute("COMMIT");
    m_done = true;
}

}  // namespace gr::db
