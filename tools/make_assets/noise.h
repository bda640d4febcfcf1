// Deterministic randomness for the art: a small generator and hashed value noise.
// Nothing here reads a clock, so every run paints the same pixels.
#pragma once

#include <cstdint>

// xorshift64* generator.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {
    if (state_ == 0) state_ = 1;
  }
  uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // Uniform in [0, 1).
  float Real() { return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24); }
  float Range(float lo, float hi) { return lo + (hi - lo) * Real(); }
  int Int(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

// A hash of integer coordinates to [0, 1).
float Hash2(int32_t x, int32_t y, uint32_t seed);
// Smooth value noise in [0, 1) with one feature per unit; period (if not 0) makes it tile.
float ValueNoise(float x, float y, uint32_t seed, int period = 0);
// Fractal sum of octaves of value noise, in [0, 1).
float Fbm(float x, float y, int octaves, uint32_t seed, int period = 0);
