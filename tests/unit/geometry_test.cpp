#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "zr_collision.h"
#include "zr_utils.h"

TEST(Geometry, HeadingQuadrantsVerticalsAndTheSamePoint) {
  EXPECT_EQ(Heading(0, 0, 10, 0), 0.0f);
  EXPECT_TRUE(std::signbit(Heading(0, 0, 10, 0)));  // -0.0: the right half negates atan
  EXPECT_EQ(Heading(0, 0, -10, 0), 180.0f);
  EXPECT_FLOAT_EQ(Heading(0, 0, 10, 10), -45.02282f);
  EXPECT_FLOAT_EQ(Heading(0, 0, 10, -10), 45.02282f);
  EXPECT_FLOAT_EQ(Heading(0, 0, -10, 10), 225.02283f);
  EXPECT_FLOAT_EQ(Heading(0, 0, -10, -10), 134.97717f);
  // Division by zero, not an error; the right angle is wide because of the 3.14.
  EXPECT_EQ(Heading(0, 0, 0, -10), 90.04564666748047f);
  EXPECT_EQ(Heading(0, 0, 0, 10), -90.04564666748047f);
  EXPECT_TRUE(std::isnan(Heading(5, 5, 5, 5)));
}

TEST(Geometry, StepAlong) {
  float x = 10, y = 20;
  StepAlong(x, y, 0, 5);
  EXPECT_TRUE(x == 15.0f && y == 20.0f);
  StepAlong(x, y, Heading(0, 0, 0, -10), 5);
  EXPECT_NEAR(y, 15.0f, 1e-5);
  EXPECT_NEAR(x, 15.0f - 0.004f, 0.0005);
}

TEST(Geometry, CoordReachedWindowAndTies) {
  EXPECT_FALSE(CoordReached(99.24f, 100, 0.5f));
  EXPECT_TRUE(CoordReached(99.25f, 100, 0.5f));
  EXPECT_TRUE(CoordReached(100.75f, 100, 0.5f));
  EXPECT_FALSE(CoordReached(100.76f, 100, 0.5f));
  EXPECT_TRUE(CoordReached(100, 100, 1));
  EXPECT_FALSE(CoordReached(101, 101, 1));  // 101.5 -> 102 but 100.5 -> 100
  EXPECT_FALSE(CoordReached(std::nanf(""), 100, 1));
}

TEST(Geometry, FastDistance) {
  EXPECT_EQ(FastDistance(3, 4), 6);
  EXPECT_EQ(FastDistance(-30, 40), 49);
  EXPECT_EQ(FastDistance(100, 100), 131);
  EXPECT_EQ(FastDistance(100, 0), 100);
  EXPECT_EQ(FastDistance(45, 45), 59);
  EXPECT_EQ(FastDistance(0, 0), 0);
  // The ends of the range stay far away instead of wrapping into a contact.
  EXPECT_GT(FastDistance(INT32_MIN, 0), 1000000);
  EXPECT_EQ(FastDistance(INT32_MIN, INT32_MAX), INT32_MAX);
}

TEST(Geometry, RoundTiesToEvenAndOutOfRange) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-1.5), -2);
  constexpr int64_t kIndefinite = std::numeric_limits<int64_t>::min();
  for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9223372036854775808.0, 1e30, -1e30}) {
    EXPECT_EQ(Round(v), kIndefinite) << v;
  }
  EXPECT_EQ(RoundToInt32(-3.0), -3);
  EXPECT_EQ(RoundToInt32(4294967297.0), 1);  // the low 32 bits
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-12), "-12");
}
