// The design's own arrival tests (a driving tank's rounding test, a fireball's
// CoordReached on both axes) as a small loop apart from the game's code: on which frame, and where, a fireball bursts
// and a driving tank takes its next waypoint, and on which frame the way to the target
// turns round for the second time (the object passed its target, and passes it again).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace design {

// Nearest integer, ties to even; NaN gives the most negative value.
inline int64_t Round(double v) {
  if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(std::nearbyint(v));
}

inline float Heading(float x1, float y1, float x2, float y2) {
  const double q = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
  const float e = static_cast<float>(std::atan(q) * 180.0 / 3.14);
  return x2 < x1 ? static_cast<float>(180.0 - e) : -e;
}

inline void StepAlong(float& x, float& y, float angle, float distance) {
  const double r = angle * std::numbers::pi / 180.0;
  x = static_cast<float>(x + std::cos(r) * distance);
  y = static_cast<float>(y - std::sin(r) * distance);
}

inline bool CoordReached(float a, float b, float s) {
  const double h = s / 2.0;
  return a > b ? Round(a - h) == Round(b + h) : Round(a + h) == Round(b - h);
}

// One flight or leg under the design, frames counted from 0.
struct Arrival {
  int Frame = -1;        // the frame whose arrival test fires; -1: none within the limit
  float X = 0, Y = 0;    // where the object stands on that frame, before its step
  int SecondCrossing = -1;  // the frame whose step crosses the target the second time
  float CrossX = 0, CrossY = 0;  // where that step left it
  bool NoHeading = false;   // it stood on its target, untaken: the design's step gives NaN
};

// Moves (x, y) by step towards (tx, ty) and says whether that step passed the target:
// the way to it before and after the step points no longer the same way.
inline bool StepAndCross(float& x, float& y, float tx, float ty, float step) {
  const double bx = static_cast<double>(tx) - x, by = static_cast<double>(ty) - y;
  StepAlong(x, y, Heading(x, y, tx, ty), step);
  const double ax = static_cast<double>(tx) - x, ay = static_cast<double>(ty) - y;
  return bx * ax + by * ay <= 0;
}

template <class Reached>
Arrival Follow(float x, float y, float tx, float ty, float step, int limit, Reached reached) {
  Arrival a;
  int crossings = 0;
  for (int frame = 0; frame < limit; ++frame) {
    if (reached(x, y)) {
      a.Frame = frame;
      a.X = x;
      a.Y = y;
      return a;
    }
    if (x == tx && y == ty) {
      a.NoHeading = true;
      a.Frame = frame;
      a.X = x;
      a.Y = y;
      return a;
    }
    if (StepAndCross(x, y, tx, ty, step) && ++crossings == 2) {
      a.SecondCrossing = frame;
      a.CrossX = x;
      a.CrossY = y;
    }
  }
  return a;
}

inline float StepOf(uint32_t fps, float speed) { return static_cast<float>(fps * static_cast<double>(speed) / 1000.0); }

// A fireball launched from (x, y) at (tx, ty): Fly step 2 on both axes with step / 2.
inline Arrival Fireball(float x, float y, float tx, float ty, uint32_t fps, int limit) {
  const float step = StepOf(fps, 20.0f);
  return Follow(x, y, tx, ty, step, limit, [=](float px, float py) {
    return CoordReached(px, tx, step / 2) && CoordReached(py, ty, step / 2);
  });
}

// A tank driving from (x, y) to its waypoint (tx, ty): AnimateOne step 2, both
// coordinates round to the waypoint's.
inline Arrival TankLeg(float x, float y, float tx, float ty, float speed, uint32_t fps, int limit) {
  return Follow(x, y, tx, ty, StepOf(fps, speed), limit,
                [=](float px, float py) { return Round(px) == Round(tx) && Round(py) == Round(ty); });
}

}  // namespace design
