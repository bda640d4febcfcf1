// The hall's one reading of the wall clock, for the times it stores.
#pragma once

#include <chrono>
#include <cstdint>

inline int64_t HallUnixMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}
