#include "canvas.h"

#include <cmath>

namespace {

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

}  // namespace

std::vector<uint8_t> Canvas::ToRgba8(bool sprite) const {
  const bool bleedEdges = sprite;
  std::vector<uint8_t> out(static_cast<size_t>(W) * H * 4, 0);
  std::vector<Color> colour(Px.size());
  std::vector<bool> known(Px.size());
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const size_t i = static_cast<size_t>(y) * W + x;
      colour[i] = Straight(x, y);
      known[i] = At(x, y).a >= 1.0f / 255;
    }
  }
  // A few rings of bleeding cover every texel a bilinear sample can reach from a
  // painted one; further out the colour stays black and packs well.
  for (int pass = 0; bleedEdges && pass < 3; ++pass) {
    std::vector<Color> next = colour;
    std::vector<bool> nextKnown = known;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        const size_t i = static_cast<size_t>(y) * W + x;
        if (known[i]) continue;
        Color sum{0, 0, 0, 0};
        int n = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= W || ny >= H) continue;
            const size_t j = static_cast<size_t>(ny) * W + nx;
            if (!known[j]) continue;
            sum.r += colour[j].r;
            sum.g += colour[j].g;
            sum.b += colour[j].b;
            ++n;
          }
        }
        if (n == 0) continue;
        next[i] = {sum.r / n, sum.g / n, sum.b / n, colour[i].a};
        nextKnown[i] = true;
      }
    }
    colour.swap(next);
    known.swap(nextKnown);
  }
  for (size_t i = 0; i < Px.size(); ++i) {
    const bool painted = known[i] || !bleedEdges;
    out[i * 4 + 0] = painted ? ToByte(colour[i].r) : 0;
    out[i * 4 + 1] = painted ? ToByte(colour[i].g) : 0;
    out[i * 4 + 2] = painted ? ToByte(colour[i].b) : 0;
    out[i * 4 + 3] = ToByte(Px[i].a);
  }
  if (sprite) {
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        if (x == 0 || y == 0 || x == W - 1 || y == H - 1) out[(static_cast<size_t>(y) * W + x) * 4 + 3] = 0;
      }
    }
  }
  return out;
}

Color SampleRgba8(const std::vector<uint8_t>& rgba, int w, int h, float u, float v, bool wrap) {
  const float fx = u - 0.5f, fy = v - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0, ty = fy - y0;
  auto texel = [&](int x, int y) {
    if (wrap) {
      x = ((x % w) + w) % w;
      y = ((y % h) + h) % h;
    } else {
      x = std::clamp(x, 0, w - 1);
      y = std::clamp(y, 0, h - 1);
    }
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
    return Color{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
  };
  const Color a = Mix(texel(x0, y0), texel(x0 + 1, y0), tx);
  const Color b = Mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), tx);
  return Mix(a, b, ty);
}
