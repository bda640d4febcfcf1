#include "hall/hall_sqlite.h"

#include <stdexcept>

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error("sqlite: " + what + ": " + sqlite3_errmsg(db));
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : Db(db) {
  if (sqlite3_prepare_v2(db, sql, -1, &Stmt, nullptr) != SQLITE_OK) Fail(db, "prepare");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(Stmt); }

SqliteStatement& SqliteStatement::Bind(int at, int64_t value) {
  if (sqlite3_bind_int64(Stmt, at, value) != SQLITE_OK) Fail(Db, "bind");
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int at, const std::string& value) {
  if (sqlite3_bind_text(Stmt, at, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
    Fail(Db, "bind");
  }
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int at, const std::vector<uint8_t>& value) {
  // A zero-length blob, not NULL, for an empty vector.
  if (sqlite3_bind_blob(Stmt, at, value.empty() ? "" : static_cast<const void*>(value.data()),
                        static_cast<int>(value.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
    Fail(Db, "bind");
  }
  return *this;
}

bool SqliteStatement::Step() {
  const int rc = sqlite3_step(Stmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Fail(Db, "step");
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(Stmt, column); }

std::string SqliteStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, column));
  return text == nullptr ? std::string() : std::string(text, static_cast<size_t>(sqlite3_column_bytes(Stmt, column)));
}

std::vector<uint8_t> SqliteStatement::Blob(int column) const {
  const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(Stmt, column));
  const int size = sqlite3_column_bytes(Stmt, column);
  return data == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(data, data + size);
}

SqliteDb::SqliteDb(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    const std::string why = Db != nullptr ? sqlite3_errmsg(Db) : "out of memory";
    sqlite3_close(Db);
    throw std::runtime_error("sqlite: cannot open " + path + ": " + why);
  }
  sqlite3_busy_timeout(Db, 10000);
  // WAL lets readers go on beside the one writer; FULL syncs the log at every commit, so
  // that a game answered "accepted" survives a crash of the machine, not only of the server.
  Exec("PRAGMA journal_mode=WAL");
  Exec("PRAGMA synchronous=FULL");
  Exec("PRAGMA foreign_keys=ON");
}

SqliteDb::~SqliteDb() { sqlite3_close(Db); }

void SqliteDb::Exec(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(Db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string why = error != nullptr ? error : sqlite3_errmsg(Db);
    sqlite3_free(error);
    throw std::runtime_error("sqlite: " + why);
  }
}

SqliteTransaction::~SqliteTransaction() {
  if (!Open) return;
  try {
    Db.Exec("ROLLBACK");
  } catch (const std::exception&) {
    // Nothing more to undo: SQLite has rolled back already when ROLLBACK itself fails.
  }
}

void SqliteTransaction::Commit() {
  Db.Exec("COMMIT");
  Open = false;
}
