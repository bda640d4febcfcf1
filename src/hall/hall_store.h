// Where the hall keeps its games and its queue of submissions waiting to be replayed:
// SQLite (one file) or PostgreSQL (shared by several servers), the same tables in both
// (hall_migrations.h). A store is one connection, used by one thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hall/hall_replay.h"
#include "hall/hall_verdict.h"

struct HallJob {
  int64_t Id = 0;
  std::string Name;
  std::vector<uint8_t> Demo;
};

struct HallEntry {
  int64_t Id = 0;
  int64_t Rank = 0;
  std::string Name;
  int64_t Score = 0;
  int64_t Frames = 0;
  int64_t LengthMs = 0;
  int64_t AcceptedAtMs = 0;  // Unix time
  std::string State;         // 16 hex digits
};

class HallStore {
 public:
  virtual ~HallStore() = default;

  // Brings the tables up to this build's version of the schema; safe to run by several
  // servers at once.
  virtual void Migrate() = 0;
  virtual int SchemaVersion() = 0;

  // Submissions taken from this address in the last windowMs, for the rate limit.
  virtual int64_t RecentSubmissions(const std::string& address, int64_t windowMs) = 0;
  virtual int64_t WaitingJobs() = 0;
  virtual int64_t AnsweredJobs() = 0;
  // Queues a submission; its id.
  virtual int64_t Enqueue(const std::string& name, const std::string& address, const std::vector<uint8_t>& demo) = 0;
  // Takes the oldest waiting job for this worker, or one whose worker has held it longer
  // than leaseMs (a worker that died). Two workers never hold the same job.
  virtual std::optional<HallJob> Claim(const std::string& worker, int64_t leaseMs) = 0;
  // Ends a job this worker holds, in one transaction: keeps the game when the verdict
  // says so (once per final state), and records the answer. Nothing when the job is no
  // longer this worker's.
  virtual std::optional<HallAnswer> Finish(const HallJob& job, const std::string& worker, const HallReplay& replay,
                                           const HallVerdict& verdict) = 0;
  // The answer of a finished job.
  virtual std::optional<HallAnswer> Answer(int64_t jobId) = 0;
  // Drops answered jobs older than this: their answers and the rate limit need no more.
  virtual void ForgetAnswered(int64_t olderThanMs) = 0;
  // How many times a job was claimed (a test's check that none is verified twice).
  virtual int64_t Attempts(int64_t jobId) = 0;

  virtual std::vector<HallEntry> Top(int64_t offset, int64_t limit) = 0;
  virtual int64_t GameCount() = 0;
  virtual std::optional<HallEntry> Game(int64_t id) = 0;
  virtual std::optional<std::vector<uint8_t>> GameDemo(int64_t id) = 0;
};

// Opens a connection to the store at this address: "postgresql://..." (or
// "postgres://..."), else the path of a SQLite file. Throws std::runtime_error.
std::unique_ptr<HallStore> OpenHallStore(const std::string& address);
