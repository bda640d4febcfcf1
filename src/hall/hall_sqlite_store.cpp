#include "hall/hall_sqlite_store.h"

#include "hall/hall_clock.h"
#include "hall/hall_migrations.h"
#include "hall/hall_sqlite.h"

namespace {

HallEntry ReadEntry(const SqliteStatement& row) {
  HallEntry e;
  e.Id = row.Int(0);
  e.Name = row.Text(1);
  e.Score = row.Int(2);
  e.Frames = row.Int(3);
  e.LengthMs = row.Int(4);
  e.AcceptedAtMs = row.Int(5);
  e.State = row.Text(6);
  return e;
}

class SqliteStore final : public HallStore {
 public:
  explicit SqliteStore(const std::string& path) : Db(path) {}

  void Migrate() override {
    Db.Exec("CREATE TABLE IF NOT EXISTS hall_schema (version INTEGER PRIMARY KEY, applied_at BIGINT NOT NULL)");
    for (const HallMigration& step : HallMigrations()) {
      SqliteTransaction tx(Db);
      SqliteStatement done(Db.Handle(), "SELECT 1 FROM hall_schema WHERE version = ?");
      if (done.Bind(1, int64_t{step.Version}).Step()) continue;
      Db.Exec(step.Sqlite);
      SqliteStatement mark(Db.Handle(), "INSERT INTO hall_schema (version, applied_at) VALUES (?, ?)");
      mark.Bind(1, int64_t{step.Version}).Bind(2, HallUnixMs()).Step();
      tx.Commit();
    }
  }

  int SchemaVersion() override {
    SqliteStatement q(Db.Handle(), "SELECT coalesce(max(version), 0) FROM hall_schema");
    q.Step();
    return static_cast<int>(q.Int(0));
  }

  int64_t RecentSubmissions(const std::string& address, int64_t windowMs) override {
    SqliteStatement q(Db.Handle(), "SELECT count(*) FROM jobs WHERE address = ? AND submitted_at > ?");
    q.Bind(1, address).Bind(2, HallUnixMs() - windowMs).Step();
    return q.Int(0);
  }

  int64_t WaitingJobs() override {
    SqliteStatement q(Db.Handle(), "SELECT count(*) FROM jobs WHERE state <> 'done'");
    q.Step();
    return q.Int(0);
  }

  int64_t AnsweredJobs() override {
    SqliteStatement q(Db.Handle(), "SELECT count(*) FROM jobs WHERE state = 'done'");
    q.Step();
    return q.Int(0);
  }

  int64_t Enqueue(const std::string& name, const std::string& address, const std::vector<uint8_t>& demo) override {
    SqliteStatement q(Db.Handle(),
                      "INSERT INTO jobs (name, address, demo, submitted_at) VALUES (?, ?, ?, ?) RETURNING id");
    q.Bind(1, name).Bind(2, address).Bind(3, demo).Bind(4, HallUnixMs()).Step();
    return q.Int(0);
  }

  std::optional<HallJob> Claim(const std::string& worker, int64_t leaseMs) override {
    const int64_t now = HallUnixMs();
    SqliteTransaction tx(Db);
    SqliteStatement q(Db.Handle(),
                      "UPDATE jobs SET state = 'running', claimed_by = ?, claimed_at = ?, attempts = attempts + 1 "
                      "WHERE id = (SELECT id FROM jobs WHERE state = 'waiting' OR (state = 'running' AND claimed_at < ?) "
                      "ORDER BY id LIMIT 1) RETURNING id, name, demo");
    if (!q.Bind(1, worker).Bind(2, now).Bind(3, now - leaseMs).Step()) return std::nullopt;
    HallJob job{q.Int(0), q.Text(1), q.Blob(2)};
    while (q.Step()) {
    }
    tx.Commit();
    return job;
  }

  std::optional<HallAnswer> Finish(const HallJob& job, const std::string& worker, const HallReplay& replay,
                                   const HallVerdict& verdict) override {
    SqliteTransaction tx(Db);
    SqliteStatement mine(Db.Handle(), "SELECT 1 FROM jobs WHERE id = ? AND state = 'running' AND claimed_by = ?");
    if (!mine.Bind(1, job.Id).Bind(2, worker).Step()) return std::nullopt;
    HallAnswer answer;
    if (verdict.Keep) {
      const std::string state = StateHex(replay.State);
      HallPlace place;
      std::string keptName = job.Name;
      SqliteStatement keep(Db.Handle(),
                           "INSERT INTO games (name, score, frames, length_ms, state, game_version, demo, accepted_at) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (state) DO NOTHING RETURNING id");
      keep.Bind(1, job.Name).Bind(2, int64_t{replay.Score}).Bind(3, static_cast<int64_t>(replay.Frames));
      keep.Bind(4, static_cast<int64_t>(replay.LengthMs)).Bind(5, state).Bind(6, replay.GameVersion);
      keep.Bind(7, job.Demo).Bind(8, HallUnixMs());
      if (keep.Step()) {
        place.GameId = keep.Int(0);
        while (keep.Step()) {
        }
      } else {
        SqliteStatement first(Db.Handle(), "SELECT id, name FROM games WHERE state = ?");
        first.Bind(1, state).Step();
        place.GameId = first.Int(0);
        keptName = first.Text(1);
        place.KeptBefore = true;
      }
      place.Rank = Rank(place.GameId);
      answer = AcceptedAnswer(replay, keptName, place);
    } else {
      answer = RefusedAnswer(verdict.Status, verdict.Reason);
    }
    SqliteStatement done(Db.Handle(),
                         "UPDATE jobs SET state = 'done', answer_status = ?, answer = ?, finished_at = ?, demo = ? "
                         "WHERE id = ?");
    done.Bind(1, int64_t{answer.Status}).Bind(2, answer.Json).Bind(3, HallUnixMs());
    done.Bind(4, std::vector<uint8_t>()).Bind(5, job.Id).Step();
    tx.Commit();
    return answer;
  }

  std::optional<HallAnswer> Answer(int64_t jobId) override {
    SqliteStatement q(Db.Handle(), "SELECT answer_status, answer FROM jobs WHERE id = ? AND state = 'done'");
    if (!q.Bind(1, jobId).Step()) return std::nullopt;
    return HallAnswer{static_cast<int>(q.Int(0)), q.Text(1)};
  }

  void ForgetAnswered(int64_t olderThanMs) override {
    SqliteStatement q(Db.Handle(), "DELETE FROM jobs WHERE state = 'done' AND finished_at < ?");
    q.Bind(1, HallUnixMs() - olderThanMs).Step();
  }

  int64_t Attempts(int64_t jobId) override {
    SqliteStatement q(Db.Handle(), "SELECT attempts FROM jobs WHERE id = ?");
    return q.Bind(1, jobId).Step() ? q.Int(0) : 0;
  }

  std::vector<HallEntry> Top(int64_t offset, int64_t limit) override {
    SqliteStatement q(Db.Handle(),
                      "SELECT id, name, score, frames, length_ms, accepted_at, state FROM games "
                      "ORDER BY score DESC, id LIMIT ? OFFSET ?");
    q.Bind(1, limit).Bind(2, offset);
    std::vector<HallEntry> rows;
    while (q.Step()) {
      rows.push_back(ReadEntry(q));
      rows.back().Rank = offset + static_cast<int64_t>(rows.size());
    }
    return rows;
  }

  int64_t GameCount() override {
    SqliteStatement q(Db.Handle(), "SELECT count(*) FROM games");
    q.Step();
    return q.Int(0);
  }

  std::optional<HallEntry> Game(int64_t id) override {
    SqliteStatement q(Db.Handle(),
                      "SELECT id, name, score, frames, length_ms, accepted_at, state FROM games WHERE id = ?");
    if (!q.Bind(1, id).Step()) return std::nullopt;
    HallEntry e = ReadEntry(q);
    e.Rank = Rank(id);
    return e;
  }

  std::optional<std::vector<uint8_t>> GameDemo(int64_t id) override {
    SqliteStatement q(Db.Handle(), "SELECT demo FROM games WHERE id = ?");
    if (!q.Bind(1, id).Step()) return std::nullopt;
    return q.Blob(0);
  }

 private:
  // Higher scores first; of equal scores, the one kept first.
  int64_t Rank(int64_t gameId) {
    SqliteStatement q(Db.Handle(),
                      "SELECT count(*) + 1 FROM games AS other, games AS this WHERE this.id = ? AND "
                      "(other.score > this.score OR (other.score = this.score AND other.id < this.id))");
    q.Bind(1, gameId).Step();
    return q.Int(0);
  }

  SqliteDb Db;
};

}  // namespace

std::unique_ptr<HallStore> OpenSqliteStore(const std::string& path) { return std::make_unique<SqliteStore>(path); }
