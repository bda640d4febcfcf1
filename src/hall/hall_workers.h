// The threads that replay queued submissions, each in a child process, and record their
// answers. With PostgreSQL other servers' workers take jobs from the same queue.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "hall/hall_replay_child.h"
#include "hall/hall_store_pool.h"

class HallWorkers {
 public:
  HallWorkers(HallStorePool& stores, std::string executable, HallChildLimits limits, int64_t leaseMs,
              bool sharedStore);
  ~HallWorkers();

  void Start(int count);
  void Stop();
  // A job was queued.
  void Wake();
  // The answer to a job, once some worker (of any server) has recorded it; nothing when
  // none came within waitMs.
  std::optional<HallAnswer> AwaitAnswer(int64_t jobId, int64_t waitMs);

 private:
  void Run(int index);
  bool WorkOnce(HallStore& store, const std::string& worker);

  HallStorePool& Stores;
  std::string Executable;
  HallChildLimits Limits;
  int64_t LeaseMs;
  bool SharedStore;  // other servers may queue and answer jobs too: look, don't only wait
  std::atomic<bool> Stopping{false};
  std::mutex Guard;
  std::condition_variable JobQueued;
  std::condition_variable JobAnswered;
  uint64_t Queued = 0;
  uint64_t Answered = 0;
  std::chrono::steady_clock::time_point LastCleanup{};
  std::vector<std::thread> Threads;
};
