// The game's one shared uniform random generator.
#pragma once

#include <cstdint>

// Seeds the generator from the input source's clock (a test's own source makes every
// reseed repeatable).
void Randomize();
// Seeds it with a fixed value, for repeatable runs.
void RandSeed(uint64_t seed);
// A uniform integer in [0, n); 0 when n is 0.
uint32_t Random(uint32_t n);
// A uniform real in [0, 1).
double RandomReal();
// The generator's whole state: two runs that agree on it draw the same numbers from here on.
uint64_t RandomState();
// Puts the generator back to a state RandomState gave: a kept game starts from it.
void SetRandomState(uint64_t state);
