#include "hall/hall_workers.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "hall/hall_verdict.h"

namespace {

std::string WorkerName(int index) {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return std::string(host) + "/" + std::to_string(getpid()) + "/" + std::to_string(index);
}

}  // namespace

HallWorkers::HallWorkers(HallStorePool& stores, std::string executable, HallChildLimits limits, int64_t leaseMs,
                         bool sharedStore)
    : Stores(stores), Executable(std::move(executable)), Limits(limits), LeaseMs(leaseMs), SharedStore(sharedStore) {}

HallWorkers::~HallWorkers() { Stop(); }

void HallWorkers::Start(int count) {
  for (int i = 0; i < count; ++i) Threads.emplace_back([this, i] { Run(i); });
}

void HallWorkers::Stop() {
  Stopping = true;
  {
    std::lock_guard<std::mutex> hold(Guard);
    JobQueued.notify_all();
    JobAnswered.notify_all();
  }
  for (std::thread& t : Threads) t.join();
  Threads.clear();
}

void HallWorkers::Wake() {
  std::lock_guard<std::mutex> hold(Guard);
  ++Queued;
  JobQueued.notify_one();
}

void HallWorkers::Run(int index) {
  const std::string worker = WorkerName(index);
  while (!Stopping) {
    bool worked = false;
    try {
      HallStorePool::Lease store = Stores.Get();
      try {
        worked = WorkOnce(*store, worker);
      } catch (...) {
        store.Discard();
        throw;
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "hall: worker %s: %s\n", worker.c_str(), error.what());
      std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    if (worked) continue;
    // Nothing to do: sleep until this server queues a job, or look again soon for the
    // jobs of other servers and those of a worker that died.
    std::unique_lock<std::mutex> hold(Guard);
    const uint64_t seen = Queued;
    JobQueued.wait_for(hold, std::chrono::milliseconds(SharedStore ? 100 : 1000),
                       [&] { return Stopping || Queued != seen; });
  }
}

bool HallWorkers::WorkOnce(HallStore& store, const std::string& worker) {
  const std::optional<HallJob> job = store.Claim(worker, LeaseMs);
  if (!job) {
    // An idle moment: answers a day old are asked for no more.
    const auto now = std::chrono::steady_clock::now();
    bool due = false;
    {
      std::lock_guard<std::mutex> hold(Guard);
      due = now - LastCleanup > std::chrono::minutes(10);
      if (due) LastCleanup = now;
    }
    if (due) store.ForgetAnswered(int64_t{24} * 3600 * 1000);
    return false;
  }
  std::printf("hall: job %lld taken by %s\n", static_cast<long long>(job->Id), worker.c_str());
  std::fflush(stdout);
  const HallReplay replay = ReplayInChild(Executable, job->Demo, Limits);
  const HallVerdict verdict = JudgeReplay(replay, ZR_VERSION);
  const std::optional<HallAnswer> answer = store.Finish(*job, worker, replay, verdict);
  if (!answer) {
    std::fprintf(stderr, "hall: job %lld was taken from worker %s before it finished\n",
                 static_cast<long long>(job->Id), worker.c_str());
  } else if (answer->Status == 201) {
    // The state line a player's own --verify or playback of the game must reach.
    std::printf("hall: job %lld kept: score %u, frames %llu, state %s\n", static_cast<long long>(job->Id),
                replay.Score, static_cast<unsigned long long>(replay.Frames), StateHex(replay.State).c_str());
  } else {
    std::printf("hall: job %lld answered %d: %s\n", static_cast<long long>(job->Id), answer->Status,
                verdict.Keep ? "kept before" : verdict.Reason.c_str());
  }
  std::fflush(stdout);
  std::lock_guard<std::mutex> hold(Guard);
  ++Answered;
  JobAnswered.notify_all();
  return true;
}

std::optional<HallAnswer> HallWorkers::AwaitAnswer(int64_t jobId, int64_t waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (!Stopping) {
    {
      HallStorePool::Lease store = Stores.Get();
      try {
        if (std::optional<HallAnswer> answer = store->Answer(jobId)) return answer;
      } catch (...) {
        store.Discard();
        throw;
      }
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    // This server's workers say when they answer; another server's answer is looked for.
    std::unique_lock<std::mutex> hold(Guard);
    const uint64_t seen = Answered;
    JobAnswered.wait_for(hold, std::chrono::milliseconds(SharedStore ? 20 : 500),
                         [&] { return Stopping || Answered != seen; });
  }
  return std::nullopt;
}
