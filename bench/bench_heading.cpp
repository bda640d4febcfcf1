// Sweeps the world's geometry over random inputs of the game's kind and prints a hash of
// every result, so that runs on two systems (Linux, and the Windows build under wine)
// can be compared by eye:
//   atan      the double arctangent of the heading's quotient: std::atan and ArcTan
//   heading   Heading's float: the old formula with std::atan, and the game's (ArcTan)
//   cos/sin   the doubles a step multiplies by: std::cos and std::sin, and SinCos
//   step      the float position a step makes: the old formula, and StepAlong (SinCos)
//   round     Round of a coordinate shifted by half a step, as CoordReached takes it
// and, within the run, how many old and new results differ. Then two sweeps of every
// case of a kind:
//   turret    the base's turret, every pixel of the field as the mouse, from the base
//             where it starts and after each of its first 59 moves up
//   edge      tanks heading straight left or right along y = 0, the top edge, from every
//             pixel column in and around the field to every column of the field
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

#include "world/zr_trig.h"
#include "world/zr_collision.h"
#include "world/zr_utils.h"

namespace {

// The heading and the step as they were made before ArcTan and SinCos: with the
// system's own atan, cos and sin.
float OldHeading(float x1, float y1, float x2, float y2) {
  const double q = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
  const float e = static_cast<float>(std::atan(q) * 180.0 / 3.14);
  if (x2 < x1) return static_cast<float>(180.0 - e);
  return -e;
}

void OldStepAlong(float& x, float& y, float angle, float distance) {
  const double r = DegToRad(angle);
  x = static_cast<float>(x + std::cos(r) * distance);
  y = static_cast<float>(y - std::sin(r) * distance);
}

// Uniform in [lo, hi) from the generator's raw bits: the same on every system, which
// std::uniform_real_distribution does not promise.
float Uniform(std::mt19937& rng, double lo, double hi) {
  return static_cast<float>(lo + (hi - lo) * ((rng() >> 8) * 0x1p-24));
}

struct Input {
  float X1, Y1, X2, Y2, Angle, Distance;
};

// A fireball from the base to a pixel (the mouse), a tank from a pixel where tanks
// come in (in and around the field) to a pixel of the field (its waypoint), both stepping
// along the heading; or any two points in and around the 800 x 600 field and any angle.
Input Draw(std::mt19937& rng) {
  Input in{};
  switch (rng() % 4) {
    case 0:
      in.X1 = 400;
      in.Y1 = static_cast<float>(300 - 1.1 * (rng() % 60));
      in.X2 = static_cast<float>(rng() % 800);
      in.Y2 = static_cast<float>(rng() % 600);
      in.Angle = Heading(in.X1, in.Y1, in.X2, in.Y2);
      break;
    case 1:
      in.X1 = static_cast<float>(static_cast<int>(rng() % 1000) - 100);
      in.Y1 = static_cast<float>(static_cast<int>(rng() % 800) - 100);
      in.X2 = static_cast<float>(rng() % 800);
      in.Y2 = static_cast<float>(rng() % 600);
      in.Angle = Heading(in.X1, in.Y1, in.X2, in.Y2);
      break;
    default:
      in.X1 = Uniform(rng, -100, 900);
      in.Y1 = Uniform(rng, -100, 700);
      in.X2 = Uniform(rng, -100, 900);
      in.Y2 = Uniform(rng, -100, 700);
      in.Angle = Uniform(rng, -91, 271);  // Heading's range, in degrees
  }
  in.Distance = Uniform(rng, 0, 40);  // a frame's step of a tank or fireball
  return in;
}

struct Result {
  double AtanOld, AtanNew, CosOld, SinOld, CosNew, SinNew;
  float HeadingOld, HeadingNew, StepOldX, StepOldY, StepNewX, StepNewY;
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
  r.CosOld = std::cos(rad);
  r.SinOld = std::sin(rad);
  SinCos(rad, r.SinNew, r.CosNew);
  r.StepOldX = r.StepNewX = in.X1;
  r.StepOldY = r.StepNewY = in.Y1;
  OldStepAlong(r.StepOldX, r.StepOldY, in.Angle, in.Distance);
  StepAlong(r.StepNewX, r.StepNewY, in.Angle, in.Distance);
  r.RoundLo = Round(in.X1 - in.Distance / 2.0);
  r.RoundHi = Round(in.Y1 + in.Distance / 2.0);
  return r;
}

template <typename F>
double NanosecondsPerCall(const std::vector<Input>& inputs, F f) {
  float sink = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const Input& in : inputs) sink += f(in);
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
  Hash atanOld, atanNew, headingOld, headingNew, cosSinOld, cosSinNew, stepOld, stepNew, round;
  long atanDiffer = 0, headingDiffer = 0, cosSinDiffer = 0, stepDiffer = 0;
  for (size_t i = 0; i < inputs.size(); ++i) {
    const Result& r = results[i] = Compute(inputs[i]);
    atanOld.Add(r.AtanOld);
    atanNew.Add(r.AtanNew);
    headingOld.Add(r.HeadingOld);
    headingNew.Add(r.HeadingNew);
    cosSinOld.Add(r.CosOld);
    cosSinOld.Add(r.SinOld);
    cosSinNew.Add(r.CosNew);
    cosSinNew.Add(r.SinNew);
    stepOld.Add(r.StepOldX);
    stepOld.Add(r.StepOldY);
    stepNew.Add(r.StepNewX);
    stepNew.Add(r.StepNewY);
    round.Add(r.RoundLo);
    round.Add(r.RoundHi);
    atanDiffer += Differ(r.AtanOld, r.AtanNew);
    headingDiffer += Differ(r.HeadingOld, r.HeadingNew);
    cosSinDiffer += Differ(r.CosOld, r.CosNew) || Differ(r.SinOld, r.SinNew);
    stepDiffer += Differ(r.StepOldX, r.StepNewX) || Differ(r.StepOldY, r.StepNewY);
  }

  std::printf("%ld inputs\n", n);
  std::printf("hash atan     std::atan %016llx  ArcTan  %016llx  differ %ld\n",
              static_cast<unsigned long long>(atanOld.H), static_cast<unsigned long long>(atanNew.H), atanDiffer);
  std::printf("hash heading  old       %016llx  new     %016llx  differ %ld\n",
              static_cast<unsigned long long>(headingOld.H), static_cast<unsigned long long>(headingNew.H),
              headingDiffer);
  std::printf("hash cos/sin  std       %016llx  SinCos  %016llx  differ %ld\n",
              static_cast<unsigned long long>(cosSinOld.H), static_cast<unsigned long long>(cosSinNew.H), cosSinDiffer);
  std::printf("hash step     old       %016llx  new     %016llx  differ %ld\n",
              static_cast<unsigned long long>(stepOld.H), static_cast<unsigned long long>(stepNew.H), stepDiffer);
  std::printf("hash round    %016llx\n", static_cast<unsigned long long>(round.H));
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
  Hash edgeOld, edgeNew;
  long edgeDiffer = 0, edgeN = 0;
  for (int x1 = -100; x1 < 900; ++x1) {
    for (int x2 = 0; x2 < 800; ++x2) {
      if (x1 == x2) continue;
      const float a = Heading(static_cast<float>(x1), 0, static_cast<float>(x2), 0);  // 180 or -0
      const float d = static_cast<float>(0.37 * (1 + (x1 + 100 + x2) % 100));
      float ox = static_cast<float>(x1), oy = 0, nx = ox, ny = 0;
      OldStepAlong(ox, oy, a, d);
      StepAlong(nx, ny, a, d);
      edgeOld.Add(ox);
      edgeOld.Add(oy);
      edgeNew.Add(nx);
      edgeNew.Add(ny);
      edgeDiffer += Differ(ox, nx) || Differ(oy, ny);
      ++edgeN;
    }
  }
  std::printf("hash edge     old       %016llx  new     %016llx  differ %ld of %ld\n",
              static_cast<unsigned long long>(edgeOld.H), static_cast<unsigned long long>(edgeNew.H), edgeDiffer, edgeN);

  std::printf("ns per heading  old %.1f  new %.1f\n",
              NanosecondsPerCall(inputs, [](const Input& in) { return OldHeading(in.X1, in.Y1, in.X2, in.Y2); }),
              NanosecondsPerCall(inputs, [](const Input& in) { return Heading(in.X1, in.Y1, in.X2, in.Y2); }));
  std::printf("ns per step     old %.1f  new %.1f\n", NanosecondsPerCall(inputs, [](const Input& in) {
                float x = in.X1, y = in.Y1;
                OldStepAlong(x, y, in.Angle, in.Distance);
                return x + y;
              }),
              NanosecondsPerCall(inputs, [](const Input& in) {
                float x = in.X1, y = in.Y1;
                StepAlong(x, y, in.Angle, in.Distance);
                return x + y;
              }));

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
      d[4] += Differ(a.CosOld, b.CosOld) || Differ(a.SinOld, b.SinOld);
      d[5] += Differ(a.CosNew, b.CosNew) || Differ(a.SinNew, b.SinNew);
      d[6] += Differ(a.StepOldX, b.StepOldX) || Differ(a.StepOldY, b.StepOldY);
      d[7] += Differ(a.StepNewX, b.StepNewX) || Differ(a.StepNewY, b.StepNewY);
    }
    long rounds = 0;
    for (size_t i = 0; i < results.size(); ++i) {
      rounds += Differ(results[i].RoundLo, other[i].RoundLo) || Differ(results[i].RoundHi, other[i].RoundHi);
    }
    std::printf("against %s: cases that differ\n", against.c_str());
    std::printf("  atan double    std::atan %ld  ArcTan %ld\n", d[0], d[1]);
    std::printf("  heading        old %ld  new %ld\n", d[2], d[3]);
    std::printf("  cos or sin     std %ld  SinCos %ld\n", d[4], d[5]);
    std::printf("  step           old %ld  new %ld\n", d[6], d[7]);
    std::printf("  round          %ld\n", rounds);
  }
  return 0;
}
