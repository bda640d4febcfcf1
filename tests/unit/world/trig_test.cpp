#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>

#include "world/zr_trig.h"
#include "world/zr_collision.h"

namespace {

uint64_t Bits(double v) {
  uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

float Coordinate(std::mt19937& rng, double lo, double hi) {
  return static_cast<float>(lo + (hi - lo) * ((rng() >> 8) * 0x1p-24));
}

}  // namespace

// Headings and steps move every tank and fireball, so a demo recorded on one system
// plays the same on the other only if they come out the same everywhere: on Linux they
// are glibc's, as they have always been, and the hash of all of them is the same on
// every system.
TEST(Trig, HeadingsAndStepsAreGlibcsAndTheSameOnEverySystem) {
#ifndef _WIN32  // glibc's edge cases: zeros keep their sign, infinities and NaN
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (double q : {0.0, -0.0, 1.0, -1.0, 0x1p-31, 1e-300, 3e9, kInf, -kInf}) {
    EXPECT_EQ(Bits(ArcTan(q)), Bits(std::copysign(std::atan(std::fabs(q)), q))) << q;
  }
  for (double r : {0.0, -0.0, 1e-300, 3.141592653589793, -1.5707963267948966, 0x1p20, kInf, std::nan("")}) {
    double s, c;
    SinCos(r, s, c);
    EXPECT_TRUE(Bits(s) == Bits(std::sin(r)) && Bits(c) == Bits(std::cos(r))) << r;
  }
#endif
  // The Windows runtime's atan is one ulp above glibc's here, and that turns this float
  // heading (a tank in the field's lower right, heading up and left) one step higher.
  const float h = Heading(505.414795f, 605.79187f, 230.821335f, 159.904724f);
  EXPECT_EQ(h, 121.596664f) << std::setprecision(9) << h;
  // Its sin(pi) (x87, with a 64-bit pi) is off in the fifth digit: a tank heading straight
  // left along the top edge ends up at another tiny y.
  float x = 850, y = 0;
  StepAlong(x, y, Heading(x, y, 10, 0), 5);
  EXPECT_TRUE(x == 845 && y == -0x1.60fafcp-51f) << std::hexfloat << y;

  std::mt19937 rng(17);
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the headings, steps and trigonometry
  auto add = [&](uint64_t v) {
    for (int i = 0; i < 8; ++i) hash = (hash ^ ((v >> (8 * i)) & 0xff)) * 1099511628211ull;
  };
  for (int i = 0; i < 4000; ++i) {
    // Some from the base to a pixel, the rest between objects in and around the field.
    const bool fromBase = i % 4 == 0, toPixel = i % 2 == 0;
    const float x1 = fromBase ? 400 : Coordinate(rng, -100, 900), y1 = fromBase ? 300 : Coordinate(rng, -100, 700);
    const float x2 = toPixel ? static_cast<float>(rng() % 800) : Coordinate(rng, -100, 900);
    const float y2 = toPixel ? static_cast<float>(rng() % 600) : Coordinate(rng, -100, 700);
    const double q = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
    const float a = Heading(x1, y1, x2, y2), d = Coordinate(rng, 0, 40);
    double s, c;
    SinCos(DegToRad(a), s, c);
    float sx = x1, sy = y1;
    StepAlong(sx, sy, a, d);
    for (double v : {ArcTan(q), static_cast<double>(a), s, c, static_cast<double>(sx), static_cast<double>(sy)}) {
      add(Bits(v));
    }
#ifndef _WIN32
    const float e = static_cast<float>(std::atan(q) * 180.0 / 3.14);
    const float oldHeading = x2 < x1 ? static_cast<float>(180.0 - e) : -e;
    const double r = DegToRad(a);
    const float oldX = static_cast<float>(x1 + std::cos(r) * d), oldY = static_cast<float>(y1 - std::sin(r) * d);
    EXPECT_TRUE(Bits(a) == Bits(oldHeading) && Bits(sx) == Bits(oldX) && Bits(sy) == Bits(oldY))
        << x1 << ", " << y1 << " -> " << x2 << ", " << y2;
#endif
  }
  EXPECT_EQ(hash, 0x033e2d84f9a74c2aull);
}
