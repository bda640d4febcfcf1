// An input source whose clock and seed the test sets: nothing moves by itself. The rest
// (the queue, the window procedure) is the platform's.
#pragma once

#include <cstdint>

#include "shell/zr_input_source.h"

struct FixedInput : ZrInputSource {
  uint32_t Tick = 0;
  uint64_t SeedValue = 0;
  uint32_t Ticks() override { return Tick; }
  uint64_t Seed() override { return SeedValue; }
};
