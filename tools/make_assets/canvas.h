// A floating-point RGBA picture that the art is painted into, and the colour type.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

inline Color Rgb(int r, int g, int b, float a = 1) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }
inline Color Mix(const Color& x, const Color& y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
inline Color Scale(const Color& c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
inline Color Add(const Color& c, float k) { return {c.r + k, c.g + k, c.b + k, c.a}; }
inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float SmoothStep(float e0, float e1, float x) {
  const float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// Pixels are stored premultiplied, row 0 at the top, so that layers compose with the
// usual "over" rule; the picture is only turned into straight 8-bit values on output.
class Canvas {
 public:
  Canvas(int width, int height) : W(width), H(height), Px(static_cast<size_t>(width) * height, Color{0, 0, 0, 0}) {}

  int W, H;
  std::vector<Color> Px;  // premultiplied

  Color& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
  const Color& At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }

  // Lays colour c (straight alpha) over the pixel, scaled by the coverage cov.
  void Over(int x, int y, const Color& c, float cov) {
    const float a = Clamp01(c.a * cov);
    if (a <= 0) return;
    Color& d = At(x, y);
    d.r = c.r * a + d.r * (1 - a);
    d.g = c.g * a + d.g * (1 - a);
    d.b = c.b * a + d.b * (1 - a);
    d.a = a + d.a * (1 - a);
  }
  // Adds light: colour c times its alpha and the coverage, alpha as for "over".
  void AddLight(int x, int y, const Color& c, float cov) {
    const float a = Clamp01(c.a * cov);
    Color& d = At(x, y);
    d.r += c.r * a;
    d.g += c.g * a;
    d.b += c.b * a;
    d.a = a + d.a * (1 - a);
  }

  // The straight colour of a pixel (black where nothing was painted).
  Color Straight(int x, int y) const {
    const Color& p = At(x, y);
    if (p.a <= 1e-6f) return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
  }

  // 8-bit straight RGBA, row 0 at the top. For a sprite the colour of see-through
  // pixels is pulled in from their painted neighbours, so that filtering never darkens
  // its rim, and the outermost texels are cleared: textures repeat, and a linear filter
  // at one edge of the quad would otherwise pick up the opposite edge.
  std::vector<uint8_t> ToRgba8(bool sprite) const;
};

// Bilinear sample of an 8-bit RGBA picture (row 0 at the top) at (u, v) in pixels,
// repeating at the edges as textures do; straight colour like a texture unit filters it.
Color SampleRgba8(const std::vector<uint8_t>& rgba, int w, int h, float u, float v, bool wrap);
