// The battlefield: dark, scorched steppe with shell craters, the tracks of tanks that
// passed, pebbles and dry grass. It is painted in window pixels (800 x 600, y down) and
// stored 1024 x 512, the size the game stretches over the window, so nothing in it
// comes out squashed. Contrast stays low so that the menu's texts read over it.
#include <cmath>
#include <vector>

#include "art.h"
#include "noise.h"
#include "paint.h"

namespace {

constexpr int kW = 1024, kH = 512;
constexpr float kScreenW = 800, kScreenH = 600;
constexpr float kPxX = kScreenW / kW, kPxY = kScreenH / kH;  // window pixels per texel

struct Crater {
  P c;
  float r;
};

struct Field2 {
  std::vector<float> v = std::vector<float>(static_cast<size_t>(kW) * kH, 0.0f);
  float& at(int x, int y) { return v[static_cast<size_t>(y) * kW + x]; }
};

P ScreenOf(int x, int y) { return {(x + 0.5f) * kPxX, (y + 0.5f) * kPxY}; }

// Calls f(x, y, p) for every texel whose window position lies within radius of c.
template <typename F>
void ForNear(P c, float radius, F f) {
  const int x0 = std::max(0, static_cast<int>((c.x - radius) / kPxX)), x1 = std::min(kW - 1, static_cast<int>((c.x + radius) / kPxX) + 1);
  const int y0 = std::max(0, static_cast<int>((c.y - radius) / kPxY)), y1 = std::min(kH - 1, static_cast<int>((c.y + radius) / kPxY) + 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) f(x, y, ScreenOf(x, y));
  }
}

std::vector<Crater> PlaceCraters(Rng& rng) {
  std::vector<Crater> craters;
  int tries = 0;
  while (craters.size() < 13 && tries++ < 2000) {
    const float r = craters.size() < 4 ? rng.Range(30, 44) : rng.Range(11, 26);
    const P c = {rng.Range(30, kScreenW - 30), rng.Range(30, kScreenH - 30)};
    bool clear = Len(c - P{400, 300}) > 90;  // the base stands in the middle
    for (const Crater& o : craters) clear = clear && Len(c - o.c) > (r + o.r) * 1.25f;
    if (clear) craters.push_back({c, r});
  }
  return craters;
}

// Twin tread marks along a wandering path, written into a mask (1 = fresh track).
void Tracks(Field2& mask, Rng& rng, P start, float heading, float length) {
  const float gauge = 17.0f, tread = 3.6f, pitch = 4.2f;
  float turn = 0;
  P p = start;
  for (float s = 0; s < length; s += 1.0f) {
    turn += rng.Range(-0.004f, 0.004f);
    turn = std::clamp(turn, -0.012f, 0.012f);
    heading += turn;
    const P dir = {std::cos(heading), std::sin(heading)};
    const P side = {-dir.y, dir.x};
    p = p + dir;
    const float fade = 0.45f + 0.55f * Fbm(s * 0.01f, start.x * 0.01f, 3, 300);
    for (float k : {-1.0f, 1.0f}) {
      const P c = p + side * (k * gauge);
      ForNear(c, tread + 1.5f, [&](int x, int y, P q) {
        const P d = q - c;
        const float across = std::fabs(Dot(d, side));
        const float along = s + Dot(d, dir);
        const float bar = std::fmod(along + 1000.0f, pitch) < pitch * 0.45f ? 1.0f : 0.6f;
        const float m = (1.0f - SmoothStep(tread - 1.2f, tread + 0.6f, across)) * bar * fade;
        mask.at(x, y) = std::max(mask.at(x, y), m);
      });
    }
  }
}

}  // namespace

Canvas PaintBattlefield() {
  Rng rng(1944);
  Field2 height, soot, dust, track, stones, grass;

  // Ground: broad swells and fine lumps.
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const P p = ScreenOf(x, y);
      height.at(x, y) = 7.0f * Fbm(p.x / 140.0f, p.y / 140.0f, 4, 1) + 0.9f * Fbm(p.x / 7.0f, p.y / 7.0f, 3, 2);
    }
  }

  // Shell craters: a bowl, a raised rim of thrown-out earth and soot blown outwards.
  const std::vector<Crater> craters = PlaceCraters(rng);
  uint32_t seed = 400;
  for (const Crater& cr : craters) {
    ++seed;
    ForNear(cr.c, cr.r * 2.4f, [&](int x, int y, P p) {
      const P d = p - cr.c;
      const float dist = Len(d);
      const P dir = dist > 1e-3f ? d * (1.0f / dist) : P{1, 0};
      const float wobble = 1.0f + 0.14f * (Fbm(dir.x * 1.5f + 9, dir.y * 1.5f + 9, 3, seed) - 0.5f);
      const float u = dist / (cr.r * wobble);
      float h = 0;
      if (u < 1) h -= 0.55f * cr.r * std::pow(1 - u * u, 1.5f);
      h += 0.12f * cr.r * std::exp(-std::pow((u - 1) / 0.3f, 2.0f));
      h += 0.05f * cr.r * SmoothStep(0.95f, 1.2f, u) * std::exp(-std::max(0.0f, u - 1) / 0.45f) * (0.4f + Fbm(p.x / 3, p.y / 3, 2, seed));
      height.at(x, y) += h;
      // Blast streaks: noise stretched along the radius, so it fans out from the centre.
      const float streak = Fbm(dir.x * 3.2f + u * 0.35f + 40, dir.y * 3.2f + u * 0.35f + 40, 4, seed + 1000);
      const float outer = std::exp(-std::pow(std::max(0.0f, u - 0.9f) / (0.35f + 0.9f * streak), 2.0f));
      const float inside = 0.2f + 0.25f * std::max(0.0f, 1 - u) * std::max(0.0f, 1 - u);
      const float s = inside + (outer * (0.15f + 0.8f * streak) * 0.7f - inside) * SmoothStep(0.9f, 1.35f, u);
      soot.at(x, y) = std::max(soot.at(x, y), Clamp01(s));
      dust.at(x, y) = std::max(dust.at(x, y), std::exp(-std::pow((u - 1.05f) / 0.28f, 2.0f)) * (1.0f - 0.5f * streak));
    });
  }
  // Scorched patches where something burned without digging a hole.
  for (int i = 0; i < 7; ++i) {
    const P c = {rng.Range(0, kScreenW), rng.Range(0, kScreenH)};
    const float r = rng.Range(18, 55);
    const uint32_t sd = 600 + i;
    ForNear(c, r * 1.6f, [&](int x, int y, P p) {
      const float u = Len(p - c) / r + 0.6f * (Fbm(p.x / 14, p.y / 14, 4, sd) - 0.5f);
      soot.at(x, y) = std::max(soot.at(x, y), 0.6f * (1.0f - SmoothStep(0.4f, 1.0f, u)));
    });
  }

  // Tank tracks crossing the field.
  Tracks(track, rng, {-40, 120}, 0.18f, 1000);
  Tracks(track, rng, {820, 480}, 3.45f, 950);
  Tracks(track, rng, {300, 640}, -1.35f, 800);
  Tracks(track, rng, {620, -40}, 1.9f, 760);

  // Pebbles, and tufts of dry grass.
  for (int i = 0; i < 2600; ++i) {
    const P c = {rng.Range(0, kScreenW), rng.Range(0, kScreenH)};
    const float r = rng.Range(0.5f, 1.0f) * rng.Range(0.7f, 1.8f);
    if (Fbm(c.x / 60, c.y / 60, 3, 77) < 0.5f) continue;  // stones lie in patches
    ForNear(c, r + 1, [&](int x, int y, P p) {
      const float u = Len(p - c) / r;
      if (u < 1) {
        height.at(x, y) += 0.9f * r * std::sqrt(1 - u * u);
        stones.at(x, y) = std::max(stones.at(x, y), 1.0f - u * u);
      }
    });
  }
  for (int i = 0; i < 900; ++i) {
    const P c = {rng.Range(0, kScreenW), rng.Range(0, kScreenH)};
    const int blades = 4 + rng.Int(6);
    for (int b = 0; b < blades; ++b) {
      const float a = rng.Range(0, 6.2832f), len = rng.Range(2.0f, 5.0f);
      const P tip = c + P{std::cos(a), std::sin(a)} * len;
      ForNear((c + tip) * 0.5f, len, [&](int x, int y, P p) {
        const float d = SdSegment(p, c, tip, 0.0f);
        grass.at(x, y) = std::max(grass.at(x, y), 1.0f - SmoothStep(0.15f, 0.7f, d));
      });
    }
  }

  // Colour, light and a darker rim round the window.
  Canvas img(kW, kH);
  const Normal light = Normalized(-0.55f, -0.62f, 0.75f);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const P p = ScreenOf(x, y);
      const int xl = std::max(0, x - 1), xr = std::min(kW - 1, x + 1);
      const int yu = std::max(0, y - 1), yd = std::min(kH - 1, y + 1);
      const float dhx = (height.at(xr, y) - height.at(xl, y)) / ((xr - xl) * kPxX);
      const float dhy = (height.at(x, yd) - height.at(x, yu)) / ((yd - yu) * kPxY);
      const Normal n = Normalized(-dhx, -dhy, 1.0f);
      const float lambert = std::max(0.0f, n.x * light.x + n.y * light.y + n.z * light.z);
      const float shade = (0.5f + 0.7f * lambert) / (0.5f + 0.7f * light.z);

      const float broad = Fbm(p.x / 220.0f, p.y / 220.0f, 4, 10);
      const float mid = Fbm(p.x / 45.0f, p.y / 45.0f, 4, 11);
      Color c = Mix(Rgb(60, 54, 44), Rgb(50, 52, 41), SmoothStep(0.35f, 0.65f, broad));
      c = Mix(c, Rgb(74, 66, 52), 0.55f * SmoothStep(0.55f, 0.8f, mid));
      float k = 1.0f + (Hash2(x, y, 12) - 0.5f) * 0.12f + (Fbm(p.x / 2.5f, p.y / 2.5f, 2, 13) - 0.5f) * 0.16f;
      c = Scale(c, k);
      c = Mix(c, Rgb(88, 84, 74), 0.35f * stones.at(x, y));
      c = Mix(c, Rgb(78, 72, 46), 0.4f * grass.at(x, y));
      c = Mix(c, Rgb(34, 31, 27), 0.4f * track.at(x, y));
      c = Mix(c, Rgb(92, 84, 68), 0.4f * dust.at(x, y));
      c = Mix(c, Rgb(20, 18, 16), 0.6f * soot.at(x, y));
      c = Scale(c, shade);

      const float ex = (p.x - kScreenW / 2) / (kScreenW / 2), ey = (p.y - kScreenH / 2) / (kScreenH / 2);
      c = Scale(c, 1.0f - 0.3f * SmoothStep(0.5f, 1.45f, std::sqrt(ex * ex + ey * ey)));
      c.a = 1;
      img.At(x, y) = c;
    }
  }
  return img;
}
