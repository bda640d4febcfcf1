#include "world/zr_utils.h"

#include <cmath>
#include <limits>

int64_t Round(double v) {
  // Outside this range (NaN included, which fails both tests) the processor's own
  // conversion gives its "integer indefinite", the most negative value; C++ leaves the
  // conversion undefined, so the answer is given here instead.
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(v >= -kLimit && v < kLimit)) return std::numeric_limits<int64_t>::min();
  // nearbyint rounds in the current mode, which the game never leaves: ties to even.
  return static_cast<int64_t>(std::nearbyint(v));
}

int32_t RoundToInt32(double v) {
  // Keep the low 32 bits, as a 64-bit result passed on to a 32-bit parameter does.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(Round(v))));
}

std::string IntToText(int64_t n) { return std::to_string(n); }
