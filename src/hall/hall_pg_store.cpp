#include "hall/hall_pg_store.h"

#include "hall/hall_migrations.h"
#include "hall/hall_pg.h"

namespace {

// One lock number for the schema's steps, so that servers starting together take them
// one at a time.
constexpr const char* LockSchema = "SELECT pg_advisory_xact_lock(7231)";

HallEntry ReadEntry(const PgResult& r, int row) {
  HallEntry e;
  e.Id = r.Int(row, 0);
  e.Name = r.Text(row, 1);
  e.Score = r.Int(row, 2);
  e.Frames = r.Int(row, 3);
  e.LengthMs = r.Int(row, 4);
  e.AcceptedAtMs = r.Int(row, 5);
  e.State = r.Text(row, 6);
  return e;
}

// The times are the database's, so that servers on several machines agree on a lease.
class PgStore final : public HallStore {
 public:
  explicit PgStore(const std::string& address) : Db(address) {}

  void Migrate() override {
    {
      PgTransaction tx(Db);
      Db.Exec(LockSchema);
      Db.Exec("CREATE TABLE IF NOT EXISTS hall_schema (version INTEGER PRIMARY KEY, applied_at BIGINT NOT NULL)");
      tx.Commit();
    }
    for (const HallMigration& step : HallMigrations()) {
      PgTransaction tx(Db);
      Db.Exec(LockSchema);
      if (Db.Query("SELECT 1 FROM hall_schema WHERE version = $1", PgParams().Add(int64_t{step.Version})).Rows() > 0) {
        continue;
      }
      Db.Exec(step.Postgres);
      Db.Query("INSERT INTO hall_schema (version, applied_at) "
               "VALUES ($1, (extract(epoch FROM clock_timestamp()) * 1000)::bigint)",
               PgParams().Add(int64_t{step.Version}));
      tx.Commit();
    }
  }

  int SchemaVersion() override {
    return static_cast<int>(Db.Query("SELECT coalesce(max(version), 0) FROM hall_schema").Int(0, 0));
  }

  int64_t RecentSubmissions(const std::string& address, int64_t windowMs) override {
    return Db.Query("SELECT count(*) FROM jobs WHERE address = $1 AND "
                    "submitted_at > (extract(epoch FROM clock_timestamp()) * 1000)::bigint - $2",
                    PgParams().Add(address).Add(windowMs))
        .Int(0, 0);
  }

  int64_t WaitingJobs() override { return Db.Query("SELECT count(*) FROM jobs WHERE state <> 'done'").Int(0, 0); }

  int64_t AnsweredJobs() override { return Db.Query("SELECT count(*) FROM jobs WHERE state = 'done'").Int(0, 0); }

  int64_t Enqueue(const std::string& name, const std::string& address, const std::vector<uint8_t>& demo) override {
    return Db.Query("INSERT INTO jobs (name, address, demo, submitted_at) "
                    "VALUES ($1, $2, $3, (extract(epoch FROM clock_timestamp()) * 1000)::bigint) RETURNING id",
                    PgParams().Add(name).Add(address).Add(demo))
        .Int(0, 0);
  }

  std::optional<HallJob> Claim(const std::string& worker, int64_t leaseMs) override {
    // SKIP LOCKED: a job another server is claiming at this moment is passed over, not
    // waited for and never taken twice.
    const PgResult r = Db.Query(
        "UPDATE jobs SET state = 'running', claimed_by = $1, "
        "claimed_at = (extract(epoch FROM clock_timestamp()) * 1000)::bigint, attempts = attempts + 1 "
        "WHERE id = (SELECT id FROM jobs WHERE state = 'waiting' OR (state = 'running' AND "
        "claimed_at < (extract(epoch FROM clock_timestamp()) * 1000)::bigint - $2) "
        "ORDER BY id LIMIT 1 FOR UPDATE SKIP LOCKED) RETURNING id, name, demo",
        PgParams().Add(worker).Add(leaseMs));
    if (r.Rows() == 0) return std::nullopt;
    return HallJob{r.Int(0, 0), r.Text(0, 1), r.Bytes(0, 2)};
  }

  std::optional<HallAnswer> Finish(const HallJob& job, const std::string& worker, const HallReplay& replay,
                                   const HallVerdict& verdict) override {
    PgTransaction tx(Db);
    if (Db.Query("SELECT 1 FROM jobs WHERE id = $1 AND state = 'running' AND claimed_by = $2 FOR UPDATE",
                 PgParams().Add(job.Id).Add(worker))
            .Rows() == 0) {
      return std::nullopt;
    }
    HallAnswer answer;
    if (verdict.Keep) {
      const std::string state = StateHex(replay.State);
      HallPlace place;
      std::string keptName = job.Name;
      const PgResult kept = Db.Query(
          "INSERT INTO games (name, score, frames, length_ms, state, game_version, demo, accepted_at) "
          "VALUES ($1, $2, $3, $4, $5, $6, $7, (extract(epoch FROM clock_timestamp()) * 1000)::bigint) "
          "ON CONFLICT (state) DO NOTHING RETURNING id",
          PgParams()
              .Add(job.Name)
              .Add(int64_t{replay.Score})
              .Add(static_cast<int64_t>(replay.Frames))
              .Add(static_cast<int64_t>(replay.LengthMs))
              .Add(state)
              .Add(replay.GameVersion)
              .Add(job.Demo));
      if (kept.Rows() > 0) {
        place.GameId = kept.Int(0, 0);
      } else {
        const PgResult first = Db.Query("SELECT id, name FROM games WHERE state = $1", PgParams().Add(state));
        place.GameId = first.Int(0, 0);
        keptName = first.Text(0, 1);
        place.KeptBefore = true;
      }
      place.Rank = Rank(place.GameId);
      answer = AcceptedAnswer(replay, keptName, place);
    } else {
      answer = RefusedAnswer(verdict.Status, verdict.Reason);
    }
    Db.Query("UPDATE jobs SET state = 'done', answer_status = $1, answer = $2, "
             "finished_at = (extract(epoch FROM clock_timestamp()) * 1000)::bigint, demo = '' WHERE id = $3",
             PgParams().Add(int64_t{answer.Status}).Add(answer.Json).Add(job.Id));
    tx.Commit();
    return answer;
  }

  std::optional<HallAnswer> Answer(int64_t jobId) override {
    const PgResult r =
        Db.Query("SELECT answer_status, answer FROM jobs WHERE id = $1 AND state = 'done'", PgParams().Add(jobId));
    if (r.Rows() == 0) return std::nullopt;
    return HallAnswer{static_cast<int>(r.Int(0, 0)), r.Text(0, 1)};
  }

  void ForgetAnswered(int64_t olderThanMs) override {
    Db.Query("DELETE FROM jobs WHERE state = 'done' AND "
             "finished_at < (extract(epoch FROM clock_timestamp()) * 1000)::bigint - $1",
             PgParams().Add(olderThanMs));
  }

  int64_t Attempts(int64_t jobId) override {
    const PgResult r = Db.Query("SELECT attempts FROM jobs WHERE id = $1", PgParams().Add(jobId));
    return r.Rows() > 0 ? r.Int(0, 0) : 0;
  }

  std::vector<HallEntry> Top(int64_t offset, int64_t limit) override {
    const PgResult r = Db.Query(
        "SELECT id, name, score, frames, length_ms, accepted_at, state FROM games "
        "ORDER BY score DESC, id LIMIT $1 OFFSET $2",
        PgParams().Add(limit).Add(offset));
    std::vector<HallEntry> rows;
    for (int i = 0; i < r.Rows(); ++i) {
      rows.push_back(ReadEntry(r, i));
      rows.back().Rank = offset + i + 1;
    }
    return rows;
  }

  int64_t GameCount() override { return Db.Query("SELECT count(*) FROM games").Int(0, 0); }

  std::optional<HallEntry> Game(int64_t id) override {
    const PgResult r = Db.Query(
        "SELECT id, name, score, frames, length_ms, accepted_at, state FROM games WHERE id = $1", PgParams().Add(id));
    if (r.Rows() == 0) return std::nullopt;
    HallEntry e = ReadEntry(r, 0);
    e.Rank = Rank(id);
    return e;
  }

  std::optional<std::vector<uint8_t>> GameDemo(int64_t id) override {
    const PgResult r = Db.Query("SELECT demo FROM games WHERE id = $1", PgParams().Add(id));
    if (r.Rows() == 0) return std::nullopt;
    return r.Bytes(0, 0);
  }

 private:
  // Higher scores first; of equal scores, the one kept first.
  int64_t Rank(int64_t gameId) {
    return Db.Query("SELECT count(*) + 1 FROM games AS other, games AS this WHERE this.id = $1 AND "
                    "(other.score > this.score OR (other.score = this.score AND other.id < this.id))",
                    PgParams().Add(gameId))
        .Int(0, 0);
  }

  PgConnection Db;
};

}  // namespace

std::unique_ptr<HallStore> OpenPgStore(const std::string& address) { return std::make_unique<PgStore>(address); }
