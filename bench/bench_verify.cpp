// How much faster than real time a demo is verified: the golden long battle (or the demo
// given) played by VerifyDemo, with no window and nothing drawn, several times. Prints
// the game's own length (its first to its last tick reading), each run's wall and CPU
// time, the fastest, and the ratio of the game's length to it. Run from the repository
// root:
//   build/bench_verify [demo] [runs]
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/zr_verify.h"
#include "demo/zr_demo_format.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "tests/demos/long_battle.zrd";
  const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

  // The game's length: what the tick count read from its first reading to its last.
  ZrDemoReader reader;
  if (!reader.Open(bytes)) {
    std::fprintf(stderr, "%s: %s\n", path, reader.Error().c_str());
    return 2;
  }
  ZrDemoEvent event;
  bool first = true;
  uint32_t firstTick = 0, lastTick = 0;
  while (reader.Next(event)) {
    if (event.Tag != dtTick) continue;
    if (first) firstTick = static_cast<uint32_t>(event.Value);
    first = false;
    lastTick = static_cast<uint32_t>(event.Value);
  }
  const double gameSeconds = static_cast<double>(lastTick - firstTick) / 1000.0;
  std::printf("%s: %llu frames, %.1f s of play\n", path, static_cast<unsigned long long>(reader.TotalPasses()),
              gameSeconds);

  double best = 1e30, bestCpu = 1e30;
  for (int run = 1; run <= runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const ZrVerifyResult result = VerifyDemo(bytes);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (result.ExitCode != 0) {
      std::fprintf(stderr, "run %d: exit %d: %s\n", run, result.ExitCode, result.Reason.c_str());
      return 1;
    }
    std::printf("run %d: %.1f ms (%.1f ms CPU): %s", run, seconds * 1e3, cpu * 1e3, VerifyLine(result).c_str());
    std::fflush(stdout);
    if (seconds < best) best = seconds;
    if (cpu < bestCpu) bestCpu = cpu;
  }
  std::printf("fastest: %.1f ms, %.0f times faster than real time (%.1f ms CPU: %.0f times)\n", best * 1e3,
              gameSeconds / best, bestCpu * 1e3, bestCpu > 0 ? gameSeconds / bestCpu : 0.0);
  return 0;
}
