#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "world/zr_collision.h"
#include "world/zr_utils.h"

TEST(Geometry, DivisionsByZeroTiesAndFastDistance) {
  // The seeded arrival tests hold every heading, step and arrival to the design's own
  // formulas; here what needs a division by zero to go on, and a tie to round to even.
  EXPECT_TRUE(Heading(0, 0, 0, -10) == 90.04564666748047f && Heading(0, 0, 0, 10) == -90.04564666748047f);  // 3.14
  EXPECT_TRUE(std::isnan(Heading(5, 5, 5, 5)));
  EXPECT_FALSE(CoordReached(101, 101, 1));  // 101.5 -> 102 but 100.5 -> 100
  for (auto [dx, dy, d] : {std::tuple{3, 4, 6}, {-30, 40, 49}, {100, 100, 131}, {100, 0, 100}, {45, 45, 59}, {0, 0, 0}}) {
    EXPECT_EQ(FastDistance(dx, dy), d) << dx << ", " << dy;
  }
  // The ends of the range stay far away instead of wrapping into a contact.
  EXPECT_GT(FastDistance(INT32_MIN, 0), 1000000);
  EXPECT_EQ(FastDistance(INT32_MIN, INT32_MAX), INT32_MAX);
}

TEST(Geometry, RoundTiesToEvenAndOutOfRange) {
  for (auto [v, r] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}}) EXPECT_EQ(Round(v), r) << v;
  for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9223372036854775808.0, 1e30, -1e30}) {
    EXPECT_EQ(Round(v), std::numeric_limits<int64_t>::min()) << v;
  }
  EXPECT_TRUE(RoundToInt32(-3.0) == -3 && RoundToInt32(std::nan("")) == 0);
  EXPECT_EQ(RoundToInt32(4294967297.0), 1);  // the low 32 bits
}
