#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "world/zr_collision.h"
#include "world/zr_utils.h"

TEST(Geometry, HeadingAndStepAlong) {
  EXPECT_TRUE(Heading(0, 0, 10, 0) == 0.0f && std::signbit(Heading(0, 0, 10, 0)));  // -0.0: the right half negates atan
  EXPECT_EQ(Heading(0, 0, -10, 0), 180.0f);
  for (auto [dx, dy, h] : {std::tuple{10.0f, 10.0f, -45.02282f}, {10.0f, -10.0f, 45.02282f},
                           {-10.0f, 10.0f, 225.02283f}, {-10.0f, -10.0f, 134.97717f}}) {
    EXPECT_FLOAT_EQ(Heading(0, 0, dx, dy), h);
  }
  // Division by zero, not an error; the right angle is wide because of the 3.14.
  EXPECT_EQ(Heading(0, 0, 0, -10), 90.04564666748047f);
  EXPECT_EQ(Heading(0, 0, 0, 10), -90.04564666748047f);
  EXPECT_TRUE(std::isnan(Heading(5, 5, 5, 5)));

  float x = 10, y = 20;
  StepAlong(x, y, 0, 5);
  EXPECT_TRUE(x == 15.0f && y == 20.0f);
  StepAlong(x, y, Heading(0, 0, 0, -10), 5);
  EXPECT_NEAR(y, 15.0f, 1e-5);
  EXPECT_NEAR(x, 15.0f - 0.004f, 0.0005);
}

TEST(Geometry, CoordReachedWindowAndFastDistance) {
  EXPECT_TRUE(CoordReached(99.25f, 100, 0.5f) && CoordReached(100.75f, 100, 0.5f) && CoordReached(100, 100, 1));
  EXPECT_FALSE(CoordReached(99.24f, 100, 0.5f) || CoordReached(100.76f, 100, 0.5f));
  EXPECT_FALSE(CoordReached(101, 101, 1));  // 101.5 -> 102 but 100.5 -> 100
  EXPECT_FALSE(CoordReached(std::nanf(""), 100, 1));
  for (auto [dx, dy, d] : {std::tuple{3, 4, 6}, {-30, 40, 49}, {100, 100, 131}, {100, 0, 100}, {45, 45, 59}, {0, 0, 0}}) {
    EXPECT_EQ(FastDistance(dx, dy), d) << dx << ", " << dy;
  }
  // The ends of the range stay far away instead of wrapping into a contact.
  EXPECT_GT(FastDistance(INT32_MIN, 0), 1000000);
  EXPECT_EQ(FastDistance(INT32_MIN, INT32_MAX), INT32_MAX);
}

TEST(Geometry, RoundTiesToEvenOutOfRangeAndIntToText) {
  for (auto [v, r] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}}) EXPECT_EQ(Round(v), r) << v;
  for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9223372036854775808.0, 1e30, -1e30}) {
    EXPECT_EQ(Round(v), std::numeric_limits<int64_t>::min()) << v;
  }
  EXPECT_TRUE(RoundToInt32(-3.0) == -3 && RoundToInt32(std::nan("")) == 0);
  EXPECT_EQ(RoundToInt32(4294967297.0), 1);  // the low 32 bits
  EXPECT_TRUE(IntToText(0) == "0" && IntToText(-12) == "-12");
}
