#include <gtest/gtest.h>

#include "zr_random.h"

TEST(Random, SameSeedSameSequenceAndRanges) {
  RandSeed(42);
  uint32_t first[16];
  for (auto& v : first) v = Random(800);
  RandSeed(42);
  for (uint32_t v : first) EXPECT_EQ(Random(800), v);
  bool seenLow = false, seenHigh = false;
  for (int i = 0; i < 10000; ++i) {
    const uint32_t v = Random(4);
    ASSERT_LT(v, 4u);
    seenLow |= v == 0;
    seenHigh |= v == 3;
    const double r = RandomReal();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
  EXPECT_TRUE(seenLow && seenHigh);
  EXPECT_EQ(Random(0), 0u);
}

TEST(Random, RandomizeReadsTheClockSeam) {
  SetRandomClock([]() -> uint64_t { return 7; });
  Randomize();
  const uint32_t a = Random(1000000);
  Randomize();
  EXPECT_EQ(Random(1000000), a);
  SetRandomClock(nullptr);
}
