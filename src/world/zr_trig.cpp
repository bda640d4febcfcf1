#include "world/zr_trig.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

// Double-double arithmetic: a value is the unevaluated sum hi + lo, with |lo| at most
// half an ulp of hi, about 106 bits in all. Every step is an exactly rounded IEEE double
// operation (SSE2, no fused multiply-add: the build says -ffp-contract=off), so
// the result is the same wherever it runs.
static_assert(FLT_EVAL_METHOD == 0, "the trigonometry needs doubles evaluated as doubles, not in x87 registers");

namespace {

struct Dd {
  double Hi, Lo;
};

// a + b when |a| >= |b|, and its rounding error.
Dd FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

Dd TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a * b and its rounding error, by Dekker's splitting into 26-bit halves.
Dd TwoProduct(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double ta = kSplitter * a, tb = kSplitter * b;
  const double ah = ta - (ta - a), al = a - ah;
  const double bh = tb - (tb - b), bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

Dd Add(Dd a, Dd b) {
  Dd s = TwoSum(a.Hi, b.Hi);
  const Dd t = TwoSum(a.Lo, b.Lo);
  s = FastTwoSum(s.Hi, s.Lo + t.Hi);
  return FastTwoSum(s.Hi, s.Lo + t.Lo);
}

Dd Neg(Dd a) { return {-a.Hi, -a.Lo}; }

Dd Mul(Dd a, Dd b) {
  const Dd p = TwoProduct(a.Hi, b.Hi);
  return FastTwoSum(p.Hi, p.Lo + (a.Hi * b.Lo + a.Lo * b.Hi));
}

Dd MulD(Dd a, double b) {
  const Dd p = TwoProduct(a.Hi, b);
  return FastTwoSum(p.Hi, p.Lo + a.Lo * b);
}

// Long division: three quotient digits, each taken from the remainder of the last.
Dd Div(Dd a, Dd b) {
  const double q1 = a.Hi / b.Hi;
  Dd r = Add(a, Neg(MulD(b, q1)));
  const double q2 = r.Hi / b.Hi;
  r = Add(r, Neg(MulD(b, q2)));
  const double q3 = r.Hi / b.Hi;
  return Add(FastTwoSum(q1, q2), {q3, 0});
}

constexpr Dd kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};

// atan(k/16) for k = 0 ... 16.
constexpr Dd kAtanOfSixteenths[17] = {
    {0x0.0p+0, 0x0.0p+0},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

// atan(c + u) for c = k/16, given u = num / den: atan(c) + atan(t), t = num / den. The
// callers pick k so that |t| <= 1/32, where the series t - t^3/3 + t^5/5 - ... up to
// t^23/23 leaves an error below 2^-120 of t. Past its third term the series is under
// 2^-32 of t, so that tail is summed in plain doubles, still exact to about 2^-86 of t.
Dd ArcTanNear(int k, Dd num, Dd den) {
  const Dd t = Div(num, den);
  const Dd z = Mul(t, t);
  constexpr double kOdd[] = {1.0 / 7, 1.0 / 9, 1.0 / 11, 1.0 / 13, 1.0 / 15, 1.0 / 17, 1.0 / 19, 1.0 / 21, 1.0 / 23};
  double tail = kOdd[8];
  for (int i = 7; i >= 0; --i) tail = kOdd[i] - z.Hi * tail;  // 1/7 - z/9 + z^2/11 - ...
  constexpr Dd kThird = {0x1.5555555555555p-2, 0x1.5555555555555p-56};
  constexpr Dd kFifth = {0x1.999999999999ap-3, -0x1.999999999999ap-57};
  Dd s = Add(kFifth, {-z.Hi * tail, 0});  // 1/5 - z/7 + z^2/9 - ...
  s = Add(kThird, Neg(Mul(z, s)));
  s = Add({1.0, 0}, Neg(Mul(z, s)));
  return Add(kAtanOfSixteenths[k], Mul(t, s));
}

// 1/n! for n = 0 ... 28.
constexpr Dd kInverseFactorials[29] = {
    {0x1.0000000000000p+0, 0x0.0p+0},
    {0x1.0000000000000p+0, 0x0.0p+0},
    {0x1.0000000000000p-1, 0x0.0p+0},
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {0x1.6c16c16c16c17p-10, -0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-13, 0x1.a01a01a01a01ap-73},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73},
    {0x1.27e4fb7789f5cp-22, 0x1.cbbc05b4fa99ap-76},
    {0x1.ae64567f544e4p-26, -0x1.c062e06d1f209p-80},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {0x1.93974a8c07c9dp-37, 0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-41, 0x1.1d8656b0ee8cbp-97},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {0x1.6827863b97d97p-53, 0x1.eec01221a8b0bp-107},
    {0x1.2f49b46814157p-57, 0x1.2650f61dbdcb4p-112},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {0x1.0ce396db7f853p-70, -0x1.aebcdbd20331cp-124},
    {0x1.761b41316381ap-75, -0x1.3423c7d91404fp-130},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {0x1.88e85fc6a4e5ap-89, -0x1.71c37ebd16540p-143},
    {0x1.d1ab1c2dccea3p-94, 0x1.054d0c78aea14p-149},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
};

// sin(u) and cos(u) for |u| <= pi/4 (and a little more): their Taylor series up to u^27
// and u^28, whose next terms are below 2^-100 of the sums. From u^15 and u^14 on, the
// terms are below 2^-40 of the sums, so those tails are summed in plain doubles, still
// exact to about 2^-93.
void SinCosNear(Dd u, Dd& s, Dd& c) {
  const Dd z = Neg(Mul(u, u));
  const auto& f = kInverseFactorials;
  double sinTail = f[27].Hi, cosTail = f[28].Hi;
  for (int n = 25; n >= 15; n -= 2) sinTail = f[n].Hi + z.Hi * sinTail;
  for (int n = 26; n >= 14; n -= 2) cosTail = f[n].Hi + z.Hi * cosTail;
  s = {sinTail, 0};
  for (int n = 13; n >= 1; n -= 2) s = Add(f[n], Mul(z, s));
  s = Mul(u, s);
  c = {cosTail, 0};
  for (int n = 12; n >= 0; n -= 2) c = Add(f[n], Mul(z, c));
}

}  // namespace

double ArcTan(double x) {
  if (std::isnan(x)) return x;
  const double a = std::fabs(x);
  // Below 2^-30 the series' next term is under a quarter of an ulp: x itself is nearest
  // (and ±0 keeps its sign). Above 2^60, 1/x is far below half an ulp of pi/2.
  if (a < 0x1p-30) return x;
  if (a > 0x1p60) return std::copysign(kHalfPi.Hi, x);
  Dd r;
  if (a <= 1.0) {
    // c the nearest sixteenth: a - c is exact (c/2 <= a <= 2c, or c = 0).
    const int k = static_cast<int>(a * 16.0 + 0.5);
    const double c = k / 16.0;
    r = ArcTanNear(k, {a - c, 0}, Add(TwoProduct(a, c), {1.0, 0}));
  } else {
    // pi/2 - atan(1/a), with 1/a - c over 1 + c/a written as (1 - c a) / (a + c): one
    // division instead of two.
    const int k = static_cast<int>(16.0 / a + 0.5);
    const double c = k / 16.0;
    r = Add(kHalfPi, Neg(ArcTanNear(k, Add({1.0, 0}, Neg(TwoProduct(c, a))), TwoSum(a, c))));
  }
  // r is normalised, so r.Hi is r rounded to the nearest double.
  return std::copysign(r.Hi, x);
}

void SinCos(double r, double& s, double& c) {
  if (!(std::fabs(r) <= 0x1p20)) {
    if (std::isnan(r) || std::isinf(r)) {
      s = c = r - r;
    } else {  // no angle of the game comes here: 60 million degrees
      s = std::sin(r);
      c = std::cos(r);
    }
    return;
  }
  // Below 2^-27 the series' next terms are under a quarter of an ulp: r and 1 are
  // nearest (and ±0 keeps its sign).
  if (std::fabs(r) < 0x1p-27) {
    s = r;
    c = 1.0;
    return;
  }
  // r = k pi/2 + u, |u| <= pi/4 (a hair more where k rounds off), with pi/2 in four
  // parts, the first three of 33 bits, so that k times each is exact for |k| <= 2^20
  // and u keeps its full precision even where r lies next to a multiple of pi/2.
  const int64_t k = static_cast<int64_t>(r * 0x1.45f306dc9c883p-1 + (r < 0 ? -0.5 : 0.5));
  const double kd = static_cast<double>(k);
  constexpr double kPart1 = 0x1.921fb544p+0, kPart2 = 0x1.0b4611a6p-34, kPart3 = 0x1.3198a2ep-69,
                   kPart4 = 0x1.b839a252049c1p-104;
  Dd u = TwoSum(r, -kd * kPart1);
  u = Add(u, {-kd * kPart2, 0});
  u = Add(u, {-kd * kPart3, 0});
  u = Add(u, TwoProduct(-kd, kPart4));
  Dd sn, cs;
  SinCosNear(u, sn, cs);
  switch (k & 3) {
    case 0: s = sn.Hi; c = cs.Hi; break;
    case 1: s = cs.Hi; c = -sn.Hi; break;
    case 2: s = -sn.Hi; c = -cs.Hi; break;
    default: s = -cs.Hi; c = sn.Hi; break;
  }
}
