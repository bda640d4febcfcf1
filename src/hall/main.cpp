// zr_hall: the hall of fame, a server that keeps a best score only with the game that
// made it, replayed by the game's own code to the same end.
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <thread>

#include "hall/hall_options.h"
#include "hall/hall_replay_child.h"
#include "hall/hall_server.h"
#include "hall/hall_store_pool.h"
#include "hall/hall_workers.h"

namespace {

std::string OwnExecutable() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  HallOptions options = ParseHallOptions(argc, argv);
  if (!options.Error.empty()) {
    std::fprintf(stderr, "zr_hall: %s\n%s", options.Error.c_str(), HallUsage());
    return 2;
  }
  if (options.Help) {
    std::fputs(HallUsage(), stdout);
    return 0;
  }
#if defined(__SANITIZE_ADDRESS__)
  // The address sanitizer maps terabytes of shadow memory up front.
  options.ReplayMemory = 0;
#endif
  const HallChildLimits limits{options.ReplaySeconds, options.ReplayMemory};
  if (options.ReplayChild) return RunReplayChildMode(limits);

  // A client that goes away mid-answer is the socket's error, not the end of the server.
  signal(SIGPIPE, SIG_IGN);
  HallStorePool stores(options.Store);
  try {
    HallStorePool::Lease store = stores.Get();
    store->Migrate();
    std::printf("hall: store %s, schema version %d\n",
                options.Store.rfind("postgres", 0) == 0 ? "postgresql" : options.Store.c_str(), store->SchemaVersion());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zr_hall: %s\n", error.what());
    return 1;
  }
  const bool shared = options.Store.rfind("postgres", 0) == 0;
  const int workers = options.Workers > 0 ? options.Workers : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  HallWorkers pool(stores, OwnExecutable(), limits, options.LeaseSeconds * 1000, shared);
  pool.Start(workers);
  const bool served = ServeHall(options, stores, pool);
  pool.Stop();
  return served ? 0 : 1;
}
