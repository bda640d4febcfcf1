// The game's one shared uniform random generator.
#pragma once

#include <cstdint>

// Seeds the generator from the clock source (the game's fine clock by default).
void Randomize();
// Seeds it with a fixed value, for repeatable runs.
void RandSeed(uint64_t seed);
// A uniform integer in [0, n); 0 when n is 0.
uint32_t Random(uint32_t n);
// A uniform real in [0, 1).
double RandomReal();

// The clock that Randomize reads. Tests replace it to make every reseed repeatable.
using ZrClockSource = uint64_t (*)();
void SetRandomClock(ZrClockSource clock);
