// A thin hold on SQLite: a connection and its prepared statements, every value bound as
// a parameter, every failure thrown as std::runtime_error.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  SqliteStatement& Bind(int at, int64_t value);
  SqliteStatement& Bind(int at, const std::string& value);
  SqliteStatement& Bind(int at, const std::vector<uint8_t>& value);
  // The next row: true while there is one.
  bool Step();
  int64_t Int(int column) const;
  std::string Text(int column) const;
  std::vector<uint8_t> Blob(int column) const;

 private:
  sqlite3* Db;
  sqlite3_stmt* Stmt = nullptr;
};

class SqliteDb {
 public:
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Runs constant SQL (no values): pragmas, transactions, the schema's steps.
  void Exec(const char* sql);
  sqlite3* Handle() const { return Db; }

 private:
  sqlite3* Db = nullptr;
};

// Rolls back a transaction left by an exception; Commit ends it for good.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDb& db) : Db(db) { Db.Exec("BEGIN IMMEDIATE"); }
  ~SqliteTransaction();
  void Commit();

 private:
  SqliteDb& Db;
  bool Open = true;
};
