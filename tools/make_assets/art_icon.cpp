// The game's icon: the player's base put together from its four layers as a battle
// draws it, the turret and its platform turned to the top right and a little larger
// than in the game, a fireball leaving the gun. The layers are painted once, large,
// and every size is an area average of that one picture, so that all sizes agree; the
// small ones get their edges sharpened back.
#include <cmath>
#include <map>

#include "art.h"

namespace {

constexpr int kMaster = 768;       // divisible by every icon size
constexpr float kFrame = 70.0f;    // game pixels across the icon
constexpr float kTurn = 45.0f;     // the gun's heading, counter-clockwise from the right

// What the icon exaggerates: the turret's size against the game's, the fireball's
// distance from the base and its drawn size, and how far the base sits left and down
// to make room for the fireball (game pixels). The small sizes keep the game's turret,
// so that the yellow-striped emplacement shows round it, and a bigger fireball.
struct Look {
  float Turret, Muzzle, Fireball, Shift;
};
constexpr Look kLarge = {1.2f, 38.0f, 17.0f, 2.5f};
constexpr Look kSmall = {1.0f, 39.0f, 18.0f, 3.5f};
constexpr int kSmallMaster = 192;  // divisible by the small sizes

// Bilinear sample of a premultiplied canvas, transparent outside it.
Color Sample(const Canvas& c, float u, float v) {
  const float fx = u - 0.5f, fy = v - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0, ty = fy - y0;
  auto texel = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= c.W || y >= c.H) return Color{0, 0, 0, 0};
    return c.At(x, y);
  };
  return Mix(Mix(texel(x0, y0), texel(x0 + 1, y0), tx), Mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), tx), ty);
}

// Lays a layer of the same size over the picture, turned counter-clockwise on screen
// by deg about the centre, then moved by (ox, oy) game pixels (y down).
void Lay(Canvas& dst, const Canvas& layer, float deg, float ox = 0, float oy = 0) {
  const float r = deg * 3.14159265f / 180.0f, c = std::cos(r), s = std::sin(r);
  const float mid = dst.W / 2.0f, scale = dst.W / kFrame;
  for (int y = 0; y < dst.H; ++y) {
    for (int x = 0; x < dst.W; ++x) {
      const float dx = x + 0.5f - mid - ox * scale, dy = y + 0.5f - mid - oy * scale;
      const Color src = Sample(layer, mid + dx * c - dy * s, mid + dx * s + dy * c);
      if (src.a <= 0) continue;
      Color& d = dst.At(x, y);
      d = {src.r + d.r * (1 - src.a), src.g + d.g * (1 - src.a), src.b + d.b * (1 - src.a),
           src.a + d.a * (1 - src.a)};
    }
  }
}

Canvas Master(int m, const Look& look) {
  Canvas icon(m, m);
  const float x = -look.Shift, y = look.Shift;
  Lay(icon, PaintBaseBody(m, kFrame), 0, x, y);
  Lay(icon, PaintBasePlatform(m, kFrame / look.Turret), kTurn, x, y);
  Lay(icon, PaintBaseRing(m, kFrame / look.Turret), 0, x, y);
  Lay(icon, PaintBaseTurret(m, kFrame / look.Turret), kTurn, x, y);
  const float rad = kTurn * 3.14159265f / 180.0f;
  Lay(icon, PaintFireball(m, kFrame * 16.0f / look.Fireball), 0, x + look.Muzzle * std::cos(rad),
      y - look.Muzzle * std::sin(rad));
  return icon;
}

// Area average down to n x n (premultiplied, so edges stay clean).
Canvas Shrink(const Canvas& big, int n) {
  const int k = big.W / n;
  Canvas out(n, n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      Color sum{0, 0, 0, 0};
      for (int j = 0; j < k; ++j) {
        for (int i = 0; i < k; ++i) {
          const Color& p = big.At(x * k + i, y * k + j);
          sum.r += p.r;
          sum.g += p.g;
          sum.b += p.b;
          sum.a += p.a;
        }
      }
      const float w = 1.0f / (k * k);
      out.At(x, y) = {sum.r * w, sum.g * w, sum.b * w, sum.a * w};
    }
  }
  return out;
}

// Unsharp mask on the colour of painted pixels: small sizes lose their edges to the
// averaging, and an icon of 16 pixels must still read as a gun on a bunker.
Canvas Sharpen(const Canvas& in, float amount) {
  Canvas out = in;
  for (int y = 0; y < in.H; ++y) {
    for (int x = 0; x < in.W; ++x) {
      const Color& p = in.At(x, y);
      if (p.a <= 1e-4f) continue;
      Color blur{0, 0, 0, 0};
      float wsum = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= in.W || ny >= in.H) continue;
          const float w = (dx == 0 ? 2.0f : 1.0f) * (dy == 0 ? 2.0f : 1.0f);
          const Color q = in.Straight(nx, ny);
          const float a = in.At(nx, ny).a * w;
          blur.r += q.r * a;
          blur.g += q.g * a;
          blur.b += q.b * a;
          wsum += a;
        }
      }
      const Color s = in.Straight(x, y);
      const Color b = {blur.r / wsum, blur.g / wsum, blur.b / wsum, 1};
      const Color sharp = {Clamp01(s.r + (s.r - b.r) * amount), Clamp01(s.g + (s.g - b.g) * amount),
                           Clamp01(s.b + (s.b - b.b) * amount), 1};
      out.At(x, y) = {sharp.r * p.a, sharp.g * p.a, sharp.b * p.a, p.a};
    }
  }
  return out;
}

}  // namespace

std::vector<uint8_t> PaintIcon(int n) {
  static const Canvas large = Master(kMaster, kLarge);
  static const Canvas small = Master(kSmallMaster, kSmall);
  Canvas icon = Shrink(n <= 32 ? small : large, n);
  if (n <= 32) icon = Sharpen(icon, n <= 16 ? 0.9f : 0.5f);
  return icon.ToRgba8(false);
}
