#include <gtest/gtest.h>

#include "platform/null/null_platform.h"
#include "shell/zr_random.h"

TEST(Random, RepeatableFromASeedOrTheClockSeamAndInRange) {
  RandSeed(42);
  const uint32_t a = Random(800), b = Random(800);
  RandSeed(42);
  EXPECT_TRUE(Random(800) == a && Random(800) == b);

  NullPlatform::SetClockNs(7);
  Randomize();
  const uint32_t c = Random(1000000);
  Randomize();
  EXPECT_EQ(Random(1000000), c);

  for (int i = 0; i < 10000; ++i) {  // how evenly: the tanks' spawn test counts their sides
    const double r = RandomReal();
    ASSERT_TRUE(Random(4) < 4u && r >= 0.0 && r < 1.0);
  }
  EXPECT_EQ(Random(0), 0u);
}
