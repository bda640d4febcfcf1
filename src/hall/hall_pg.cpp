#include "hall/hall_pg.h"

#include <stdexcept>

PgParams& PgParams::Text(std::string value) {
  Sizes.push_back(static_cast<int>(value.size()));
  Values.push_back(std::move(value));
  Kinds.push_back(0);
  return *this;
}

PgParams& PgParams::Add(const std::vector<uint8_t>& bytes) {
  Values.emplace_back(bytes.begin(), bytes.end());
  Sizes.push_back(static_cast<int>(bytes.size()));
  Kinds.push_back(1);  // binary: a bytea's bytes as they are
  return *this;
}

std::vector<const char*> PgParams::Pointers() const {
  std::vector<const char*> p;
  for (const std::string& v : Values) p.push_back(v.data());
  return p;
}

int64_t PgResult::Int(int row, int column) const {
  const char* text = PQgetvalue(Result, row, column);
  return text == nullptr || *text == 0 ? 0 : std::stoll(text);
}

std::string PgResult::Text(int row, int column) const {
  return std::string(PQgetvalue(Result, row, column), static_cast<size_t>(PQgetlength(Result, row, column)));
}

std::vector<uint8_t> PgResult::Bytes(int row, int column) const {
  size_t size = 0;
  unsigned char* raw =
      PQunescapeBytea(reinterpret_cast<const unsigned char*>(PQgetvalue(Result, row, column)), &size);
  if (raw == nullptr) throw std::runtime_error("postgresql: a bytea value cannot be read");
  std::vector<uint8_t> bytes(raw, raw + size);
  PQfreemem(raw);
  return bytes;
}

PgConnection::PgConnection(const std::string& address) : Conn(PQconnectdb(address.c_str())) {
  if (PQstatus(Conn) != CONNECTION_OK) {
    const std::string why = PQerrorMessage(Conn);
    PQfinish(Conn);
    throw std::runtime_error("postgresql: cannot connect: " + why);
  }
  Exec("SET client_min_messages = warning");
}

PgConnection::~PgConnection() { PQfinish(Conn); }

namespace {

// A result that is not what a command or a query gives is thrown, with the server's words.
PgResult Checked(PGconn* conn, PGresult* raw) {
  PgResult result(raw);
  const ExecStatusType status = raw == nullptr ? PGRES_FATAL_ERROR : PQresultStatus(raw);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    throw std::runtime_error(std::string("postgresql: ") + (raw != nullptr ? PQresultErrorMessage(raw) : PQerrorMessage(conn)));
  }
  return result;
}

}  // namespace

void PgConnection::Exec(const char* sql) { Checked(Conn, PQexec(Conn, sql)); }

PgResult PgConnection::Query(const char* sql, const PgParams& params) {
  const std::vector<const char*> values = params.Pointers();
  return Checked(Conn, PQexecParams(Conn, sql, params.Count(), nullptr, values.data(), params.Lengths(),
                                    params.Formats(), 0));
}

PgTransaction::~PgTransaction() {
  if (!Open) return;
  try {
    Db.Exec("ROLLBACK");
  } catch (const std::exception&) {
    // A lost connection has rolled the transaction back by itself.
  }
}

void PgTransaction::Commit() {
  Db.Exec("COMMIT");
  Open = false;
}
