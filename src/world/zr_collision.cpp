#include "world/zr_collision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "world/zr_trig.h"
#include "world/zr_utils.h"

double DegToRad(double a) { return a * std::numbers::pi / 180.0; }

float Heading(float x1, float y1, float x2, float y2) {
  // A vertical heading divides by zero and gets an infinite quotient, which atan turns
  // into a right angle; two equal points give NaN.
  const double q = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
  // 3.14 rather than pi: the game's angles have always been this little bit wide.
  // ArcTan, not std::atan: the C libraries of Linux and Windows differ in the last bits,
  // and a demo must steer every tank the same way on both.
  const float e = static_cast<float>(ArcTan(q) * 180.0 / 3.14);
  if (x2 < x1) return static_cast<float>(180.0 - e);
  return -e;
}

void StepAlong(float& x, float& y, float angle, float distance) {
  // SinCos, not std::sin and std::cos, for the same reason as ArcTan above.
  double s, c;
  SinCos(DegToRad(angle), s, c);
  x = static_cast<float>(x + c * distance);
  y = static_cast<float>(y - s * distance);  // y grows down the screen
}

bool StepAlongPast(float& x, float& y, float angle, float distance, float targetX, float targetY) {
  const double beforeX = static_cast<double>(targetX) - x, beforeY = static_cast<double>(targetY) - y;
  StepAlong(x, y, angle, distance);
  const double afterX = static_cast<double>(targetX) - x, afterY = static_cast<double>(targetY) - y;
  return beforeX * afterX + beforeY * afterY <= 0;
}

bool CoordReached(float a, float b, float s) {
  const double h = s / 2.0;
  if (a > b) return Round(a - h) == Round(b + h);
  return Round(a + h) == Round(b - h);
}

int32_t FastDistance(int32_t dx, int32_t dy) {
  // Magnitudes in 64 bits, so that the most negative input has one too.
  const int64_t a = std::abs(static_cast<int64_t>(dx));
  const int64_t b = std::abs(static_cast<int64_t>(dy));
  const int64_t m = std::min(a, b);
  const int64_t d = a + b - (m >> 1) - (m >> 2) + (m >> 4);
  // Only inputs near the ends of the 32-bit range get here; a far point stays far.
  return static_cast<int32_t>(std::min<int64_t>(d, INT32_MAX));
}
