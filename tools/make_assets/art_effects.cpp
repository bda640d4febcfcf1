// Fire and smoke. The fireball and the flame are drawn with additive blending, so their
// colour is light added to the screen and their alpha how much of it; black adds nothing.
#include <cmath>

#include "art.h"
#include "noise.h"
#include "paint.h"

namespace {

// Colour of fire by heat, from dull red embers to a white-yellow core.
Color FireRamp(float heat) {
  heat = Clamp01(heat);
  const Color stops[] = {Rgb(120, 20, 6), Rgb(214, 64, 12), Rgb(255, 138, 28), Rgb(255, 206, 80), Rgb(255, 248, 214)};
  const float f = heat * 4.0f;
  const int i = std::min(3, static_cast<int>(f));
  return Mix(stops[i], stops[i + 1], f - i);
}

float Angle(P p) { return std::atan2(p.y, p.x); }

// Noise around a circle without a seam: sampled on a ring in the noise plane.
float RingNoise(float angle, float radius, float freq, int octaves, uint32_t seed) {
  return Fbm(std::cos(angle) * freq + radius * 0.05f + 50.0f, std::sin(angle) * freq + 50.0f, octaves, seed);
}

}  // namespace

Canvas PaintFireball(int texels, float drawn) {
  // Drawn 16 x 16 and spinning: a hot core with a few flame tongues that show the spin.
  Sprite s(texels, drawn);
  Fill(s, [](P p) { return Len(p) - 7.9f; }, [](const Texel& t) {
    const float d = Len(t.p);
    const float tongues = 0.75f + 0.5f * RingNoise(Angle(t.p) + d * 0.35f, 0, 1.6f, 3, 3);
    const float reach = 4.3f * tongues + 1.6f;
    const float body = std::exp(-std::pow(d / reach, 2.2f));
    const float core = std::exp(-std::pow(d / 2.3f, 2.0f));
    const float fade = 1.0f - SmoothStep(5.8f, 7.8f, d);
    const float heat = Clamp01(0.25f + 0.55f * body + 0.6f * core);
    Color c = FireRamp(heat);
    c.a = Clamp01((0.15f + 0.95f * body + 0.3f * core) * fade);
    return c;
  });
  return s.Img;
}

Canvas PaintFlame() {
  // The quad is 64 units wide; the flame fills most of it with a ragged edge, so that
  // five of them turned at random make a billowing fireball.
  Sprite s(128, 64);
  Fill(s, [](P p) { return Len(p) - 31.0f; }, [](const Texel& t) {
    const float d = Len(t.p);
    const float a = Angle(t.p);
    const float edge = 0.62f + 0.55f * RingNoise(a, 0, 2.2f, 4, 11);
    const float u = d / (29.0f * edge);
    const float swirl = Fbm(t.p.x * 0.09f + 20.0f, t.p.y * 0.09f, 4, 12);
    float density = Clamp01(1.0f - u * u) * (0.65f + 0.7f * swirl);
    density *= 1.0f - SmoothStep(26.0f, 31.0f, d);
    const float heat = Clamp01(density * 0.8f + 0.08f + 0.3f * std::exp(-d * d / 70.0f));
    Color c = FireRamp(heat);
    c.a = Clamp01(std::pow(density, 0.85f) * 0.8f);
    return c;
  });
  return s.Img;
}

Canvas PaintSmoke() {
  // A grey puff: a soft mound of billowing noise with a ragged rim, lit from the top
  // left through the slope of its own density, transparent towards the edge.
  Sprite s(128, 64);
  auto density = [](P p) {
    const float d = Len(p);
    const float edge = 0.7f + 0.45f * RingNoise(std::atan2(p.y, p.x), 0, 1.8f, 3, 31);
    const float u = d / (27.0f * edge);
    const float mound = std::max(0.0f, 1.0f - u * u);
    const float billows = Fbm(p.x * 0.075f + 9.0f, p.y * 0.075f, 3, 32);
    return mound * (0.35f + 1.1f * billows * billows * 1.6f) * (1.0f - SmoothStep(25.0f, 31.0f, d));
  };
  Fill(s, [](P p) { return Len(p) - 31.0f; }, [&](const Texel& t) {
    const float h = density(t.p);
    const float e = 0.7f;
    const float dx = (density({t.p.x + e, t.p.y}) - density({t.p.x - e, t.p.y})) / (2 * e);
    const float dy = (density({t.p.x, t.p.y + e}) - density({t.p.x, t.p.y - e})) / (2 * e);
    const Normal n = Normalized(-dx * 6.0f, -dy * 6.0f, 1.0f);
    Color c = Lit(Scale(Rgb(104, 100, 95), 0.85f + 0.25f * h), n);
    c.a = SmoothStep(0.0f, 0.55f, h) * 0.9f;
    return c;
  });
  return s.Img;
}
