// The hall's tables, as numbered steps from an empty store. Both stores take the same
// steps, each written in its own dialect; a store records in hall_schema the steps it
// has taken, and takes the others in order, each in a transaction of its own.
#pragma once

#include <vector>

struct HallMigration {
  int Version;
  const char* Sqlite;
  const char* Postgres;
};

const std::vector<HallMigration>& HallMigrations();
