// Sweeps the world's geometry over random inputs of the game's kind and prints a hash of
// every result, so that runs on two systems (Linux, and the Windows build under wine)
// can be compared by eye:
//   atan      the double arctangent of the heading's quotient: std::atan and ArcTan
//   heading   Heading's float: the old formula with std::atan, and the game's (ArcTan)
//   cos/sin   the doubles StepAlong multiplies by; step: the float positions it makes
//   round     Round of a coordinate shifted by half a step, as CoordReached takes it
// and, within the run, how many old and new headings (and atan doubles) differ. Then the
// base's turret, every pixel of the field as the mouse, from the base where it starts and
// after each of the first 59 moves up (as the battle's key moves it):
//   turret    Heading's float, old and new, and how many differ
// With --write FILE a run keeps its results; with --against FILE another run (on the
// other system) counts, case by case, where its results differ from those.
// Usage: bench_heading [inputs] [--write FILE | --against FILE]
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "world/zr_arctan.h"
#include "world/zr_collision.h"
#include "world/zr_utils.h"

namespace {

// The heading as it was made before ArcTan: the system's own atan.
float OldHeading(float x1, float y1, float x2, float y2) {
  const double q = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
  const float e = static_cast<float>(std::atan(q) * 180.0 / 3.14);
  if (x2 < x1) return static_cast<float>(180.0 - e);
  return -e;
}

// Uniform in [lo, hi) from the generator's raw bits: the same on every system, which
// std::uniform_real_distribution does not promise.
float Uniform(std::mt19937& rng, double lo, double hi) {
  return static_cast<float>(lo + (hi - lo) * ((rng() >> 8) * 0x1p-24));
}

struct Input {
  float X1, Y1, X2, Y2, Angle, Distance;
};

// A tank or fireball anywhere in and around the 800 x 600 field (tanks come from off
// it), or the base, heading for a pixel (the mouse, a waypoint) or for another object.
Input Draw(std::mt19937& rng) {
  Input in{};
  if (rng() % 4 == 0) {
    in.X1 = 400;
    in.Y1 = static_cast<float>(300 - 1.1 * (rng() % 60));
  } else {
    in.X1 = Uniform(rng, -100, 900);
    in.Y1 = Uniform(rng, -100, 700);
  }
  if (rng() % 2 == 0) {
    in.X2 = static_cast<float>(rng() % 800);
    in.Y2 = static_cast<float>(rng() % 600);
  } else {
    in.X2 = Uniform(rng, -100, 900);
    in.Y2 = Uniform(rng, -100, 700);
  }
  in.Angle = Uniform(rng, -91, 271);  // Heading's range, in degrees
  in.Distance = Uniform(rng, 0, 40);  // a frame's step of a tank or fireball
  return in;
}

struct Result {
  double AtanOld, AtanNew, Cos, Sin;
  float HeadingOld, HeadingNew, StepX, StepY;
  int64_t RoundLo, RoundHi;
};

struct Hash {
  uint64_t H = 14695981039346656037ull;  // FNV-1a
  template <typename T>
  void Add(const T& v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    for (unsigned char c : b) H = (H ^ c) * 1099511628211ull;
  }
};

template <typename T>
bool Differ(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) != 0;
}

Result Compute(const Input& in) {
  Result r{};
  const double q = (static_cast<double>(in.Y2) - in.Y1) / (static_cast<double>(in.X2) - in.X1);
  r.AtanOld = std::atan(q);
  r.AtanNew = ArcTan(q);
  r.HeadingOld = OldHeading(in.X1, in.Y1, in.X2, in.Y2);
  r.HeadingNew = Heading(in.X1, in.Y1, in.X2, in.Y2);
  const double rad = DegToRad(in.Angle);
  r.Cos = std::cos(rad);
  r.Sin = std::sin(rad);
  r.StepX = in.X1;
  r.StepY = in.Y1;
  StepAlong(r.StepX, r.StepY, in.Angle, in.Distance);
  r.RoundLo = Round(in.X1 - in.Distance / 2.0);
  r.RoundHi = Round(in.Y1 + in.Distance / 2.0);
  return r;
}

double NanosecondsPerCall(const std::vector<Input>& inputs, float (*heading)(float, float, float, float)) {
  float sink = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const Input& in : inputs) sink += heading(in.X1, in.Y1, in.X2, in.Y2);
  const std::chrono::duration<double, std::nano> t = std::chrono::steady_clock::now() - start;
  volatile float keep = sink;
  (void)keep;
  return t.count() / static_cast<double>(inputs.size());
}

}  // namespace

int main(int argc, char** argv) {
  long n = 2000000;
  std::string write, against;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--write" && i + 1 < argc) write = argv[++i];
    else if (a == "--against" && i + 1 < argc) against = argv[++i];
    else n = std::atol(argv[i]);
  }
  if (n <= 0) {
    std::fprintf(stderr, "usage: bench_heading [inputs] [--write FILE | --against FILE]\n");
    return 2;
  }

  std::mt19937 rng(20261207);
  std::vector<Input> inputs(static_cast<size_t>(n));
  for (Input& in : inputs) in = Draw(rng);
  std::vector<Result> results(inputs.size());
  Hash atanOld, atanNew, headingOld, headingNew, cosSin, step, round;
  long atanDiffer = 0, headingDiffer = 0;
  for (size_t i = 0; i < inputs.size(); ++i) {
    const Result& r = results[i] = Compute(inputs[i]);
    atanOld.Add(r.AtanOld);
    atanNew.Add(r.AtanNew);
    headingOld.Add(r.HeadingOld);
    headingNew.Add(r.HeadingNew);
    cosSin.Add(r.Cos);
    cosSin.Add(r.Sin);
    step.Add(r.StepX);
    step.Add(r.StepY);
    round.Add(r.RoundLo);
    round.Add(r.RoundHi);
    atanDiffer += Differ(r.AtanOld, r.AtanNew);
    headingDiffer += Differ(r.HeadingOld, r.HeadingNew);
  }

  std::printf("%ld inputs\n", n);
  std::printf("hash atan     std::atan %016llx  ArcTan  %016llx  differ %ld\n",
              static_cast<unsigned long long>(atanOld.H), static_cast<unsigned long long>(atanNew.H), atanDiffer);
  std::printf("hash heading  old       %016llx  new     %016llx  differ %ld\n",
              static_cast<unsigned long long>(headingOld.H), static_cast<unsigned long long>(headingNew.H),
              headingDiffer);
  std::printf("hash cos/sin  %016llx  step %016llx  round %016llx\n", static_cast<unsigned long long>(cosSin.H),
              static_cast<unsigned long long>(step.H), static_cast<unsigned long long>(round.H));
  Hash turretOld, turretNew;
  long turretDiffer = 0, turretN = 0;
  float baseY = 300;
  for (int move = 0; move < 60; ++move, baseY = static_cast<float>(baseY - 1.1)) {
    for (int my = 0; my < 600; ++my) {
      for (int mx = 0; mx < 800; ++mx) {
        const float o = OldHeading(400, baseY, static_cast<float>(mx), static_cast<float>(my));
        const float h = Heading(400, baseY, static_cast<float>(mx), static_cast<float>(my));
        turretOld.Add(o);
        turretNew.Add(h);
        turretDiffer += Differ(o, h);
        ++turretN;
      }
    }
  }
  std::printf("hash turret   old       %016llx  new     %016llx  differ %ld of %ld\n",
              static_cast<unsigned long long>(turretOld.H), static_cast<unsigned long long>(turretNew.H), turretDiffer,
              turretN);
  std::printf("ns per heading  old %.1f  new %.1f\n", NanosecondsPerCall(inputs, &OldHeading),
              NanosecondsPerCall(inputs, &Heading));

  if (!write.empty()) {
    FILE* f = std::fopen(write.c_str(), "wb");
    if (!f || std::fwrite(results.data(), sizeof(Result), results.size(), f) != results.size() || std::fclose(f)) {
      std::fprintf(stderr, "cannot write %s\n", write.c_str());
      return 1;
    }
  }
  if (!against.empty()) {
    std::vector<Result> other(results.size());
    FILE* f = std::fopen(against.c_str(), "rb");
    if (!f || std::fread(other.data(), sizeof(Result), other.size(), f) != other.size()) {
      std::fprintf(stderr, "cannot read %zu results from %s\n", other.size(), against.c_str());
      return 1;
    }
    std::fclose(f);
    long d[8] = {};
    for (size_t i = 0; i < results.size(); ++i) {
      const Result &a = results[i], &b = other[i];
      d[0] += Differ(a.AtanOld, b.AtanOld);
      d[1] += Differ(a.AtanNew, b.AtanNew);
      d[2] += Differ(a.HeadingOld, b.HeadingOld);
      d[3] += Differ(a.HeadingNew, b.HeadingNew);
      d[4] += Differ(a.Cos, b.Cos) || Differ(a.Sin, b.Sin);
      d[5] += Differ(a.StepX, b.StepX) || Differ(a.StepY, b.StepY);
      d[6] += Differ(a.RoundLo, b.RoundLo) || Differ(a.RoundHi, b.RoundHi);
    }
    std::printf("against %s: cases that differ\n", against.c_str());
    std::printf("  atan double  std::atan %ld  ArcTan %ld\n", d[0], d[1]);
    std::printf("  heading      old %ld  new %ld\n", d[2], d[3]);
    std::printf("  cos or sin %ld  step %ld  round %ld\n", d[4], d[5], d[6]);
  }
  return 0;
}
