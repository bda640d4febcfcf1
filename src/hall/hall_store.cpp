#include "hall/hall_store.h"

#include "hall/hall_pg_store.h"
#include "hall/hall_sqlite_store.h"

std::unique_ptr<HallStore> OpenHallStore(const std::string& address) {
  if (address.rfind("postgresql://", 0) == 0 || address.rfind("postgres://", 0) == 0) return OpenPgStore(address);
  return OpenSqliteStore(address);
}
