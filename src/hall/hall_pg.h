// A thin hold on libpq: a connection, queries whose values all travel as parameters, and
// their results; every failure thrown as std::runtime_error.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <string>
#include <vector>

// The values of one query, in order ($1, $2, ...): text, or bytes sent as they are.
class PgParams {
 public:
  PgParams& Add(int64_t value) { return Text(std::to_string(value)); }
  PgParams& Add(const std::string& value) { return Text(value); }
  PgParams& Add(const std::vector<uint8_t>& bytes);

  int Count() const { return static_cast<int>(Values.size()); }
  std::vector<const char*> Pointers() const;
  const int* Lengths() const { return Sizes.data(); }
  const int* Formats() const { return Kinds.data(); }

 private:
  PgParams& Text(std::string value);
  std::vector<std::string> Values;
  std::vector<int> Sizes;
  std::vector<int> Kinds;
};

class PgResult {
 public:
  explicit PgResult(PGresult* result) : Result(result) {}
  ~PgResult() { PQclear(Result); }
  PgResult(PgResult&& other) noexcept : Result(other.Result) { other.Result = nullptr; }
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;

  int Rows() const { return PQntuples(Result); }
  int64_t Int(int row, int column) const;
  std::string Text(int row, int column) const;
  std::vector<uint8_t> Bytes(int row, int column) const;

 private:
  PGresult* Result;
};

class PgConnection {
 public:
  explicit PgConnection(const std::string& address);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Constant SQL, no values: transactions and the schema's steps.
  void Exec(const char* sql);
  PgResult Query(const char* sql, const PgParams& params = {});

 private:
  PGconn* Conn = nullptr;
};

// Rolls back a transaction left by an exception; Commit ends it for good.
class PgTransaction {
 public:
  explicit PgTransaction(PgConnection& db) : Db(db) { Db.Exec("BEGIN"); }
  ~PgTransaction();
  void Commit();

 private:
  PgConnection& Db;
  bool Open = true;
};
