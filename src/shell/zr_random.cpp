#include "shell/zr_random.h"

#include "shell/zr_input_source.h"

namespace {

// PCG32: small, fast, uniform, and the same sequence on every platform and compiler.
uint64_t g_state = 0x853C49E6748FEA9Bull;
constexpr uint64_t kIncrement = 0xDA3E39CB94B95BDBull;

uint32_t Next() {
  const uint64_t old = g_state;
  g_state = old * 6364136223846793005ull + kIncrement;
  const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const auto rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

}  // namespace

void RandSeed(uint64_t seed) {
  g_state = 0;
  Next();
  g_state += seed;
  Next();
}

void Randomize() {
  RandSeed(Input().Seed());
}

uint32_t Random(uint32_t n) {
  // The high half of a 64-bit product maps 32 random bits onto [0, n) evenly enough
  // for a game and without a division.
  return static_cast<uint32_t>((static_cast<uint64_t>(Next()) * n) >> 32);
}

double RandomReal() { return Next() * (1.0 / 4294967296.0); }

uint64_t RandomState() { return g_state; }

void SetRandomState(uint64_t state) { g_state = state; }
