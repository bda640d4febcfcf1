#include "hall/hall_migrations.h"

const std::vector<HallMigration>& HallMigrations() {
  // Times are Unix milliseconds in both stores. A job's demo is emptied once it is
  // answered: a kept game holds its own copy.
  static const std::vector<HallMigration> steps = {
      {1,
       R"(
CREATE TABLE jobs (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  address TEXT NOT NULL,
  demo BLOB NOT NULL,
  submitted_at BIGINT NOT NULL,
  state TEXT NOT NULL DEFAULT 'waiting' CHECK (state IN ('waiting', 'running', 'done')),
  claimed_by TEXT,
  claimed_at BIGINT,
  attempts INTEGER NOT NULL DEFAULT 0,
  answer_status INTEGER,
  answer TEXT,
  finished_at BIGINT
);
CREATE INDEX jobs_by_state ON jobs (state, id);
CREATE INDEX jobs_by_address ON jobs (address, submitted_at);
CREATE TABLE games (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  score BIGINT NOT NULL,
  frames BIGINT NOT NULL,
  length_ms BIGINT NOT NULL,
  state TEXT NOT NULL UNIQUE,
  game_version TEXT NOT NULL,
  demo BLOB NOT NULL,
  accepted_at BIGINT NOT NULL
);
CREATE INDEX games_by_rank ON games (score DESC, id);
)",
       R"(
CREATE TABLE jobs (
  id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  name TEXT NOT NULL,
  address TEXT NOT NULL,
  demo BYTEA NOT NULL,
  submitted_at BIGINT NOT NULL,
  state TEXT NOT NULL DEFAULT 'waiting' CHECK (state IN ('waiting', 'running', 'done')),
  claimed_by TEXT,
  claimed_at BIGINT,
  attempts INTEGER NOT NULL DEFAULT 0,
  answer_status INTEGER,
  answer TEXT,
  finished_at BIGINT
);
CREATE INDEX jobs_by_state ON jobs (state, id);
CREATE INDEX jobs_by_address ON jobs (address, submitted_at);
CREATE TABLE games (
  id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  name TEXT NOT NULL,
  score BIGINT NOT NULL,
  frames BIGINT NOT NULL,
  length_ms BIGINT NOT NULL,
  state TEXT NOT NULL UNIQUE,
  game_version TEXT NOT NULL,
  demo BYTEA NOT NULL,
  accepted_at BIGINT NOT NULL
);
CREATE INDEX games_by_rank ON games (score DESC, id);
)"},
      // The queue is looked at many times a second: an index of the open jobs alone, which
      // stays small however many answered ones the table holds.
      {2,
       "CREATE INDEX jobs_open ON jobs (id) WHERE state <> 'done'; DROP INDEX jobs_by_state;",
       "CREATE INDEX jobs_open ON jobs (id) WHERE state <> 'done'; DROP INDEX jobs_by_state;"},
  };
  return steps;
}
