// Runs one replay in a child process: this program again, in its hidden replay mode,
// with the demo on its standard input and the result on its standard output. A hostile
// file can then crash or hang only the child, which is killed at the time limit, may
// not write files and has bounded memory and processor time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hall/hall_replay.h"

struct HallChildLimits {
  int Seconds = 60;             // wall-clock time for one replay
  uint64_t MemoryBytes = 1ull << 30;  // address space; 0 for none (sanitizer builds)
};

// The option that starts the hidden mode, and that mode itself (returns the exit code).
inline constexpr const char* HallReplayOption = "--replay-stdin";
int RunReplayChildMode(const HallChildLimits& limits);

HallReplay ReplayInChild(const std::string& executable, const std::vector<uint8_t>& demo,
                         const HallChildLimits& limits);
