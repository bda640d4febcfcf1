#include "paint.h"

#include "noise.h"

namespace {

// The light comes from the top left and above: x right, y down, z towards the viewer.
const Normal kLight = Normalized(-0.55f, -0.62f, 0.75f);

P TexelCentre(const Sprite& s, int x, int y) {
  const P c = s.Centre();
  return {(x + 0.5f - c.x) / s.Scale, (y + 0.5f - c.y) / s.Scale};
}

}  // namespace

float SdCircle(P p, P c, float r) { return Len(p - c) - r; }

float SdBox(P p, P c, float halfW, float halfH, float round) {
  const float dx = std::fabs(p.x - c.x) - (halfW - round), dy = std::fabs(p.y - c.y) - (halfH - round);
  const float outside = std::sqrt(std::max(dx, 0.0f) * std::max(dx, 0.0f) + std::max(dy, 0.0f) * std::max(dy, 0.0f));
  return outside + std::min(std::max(dx, dy), 0.0f) - round;
}

float SdSegment(P p, P a, P b, float r) {
  const P pa = p - a, ba = b - a;
  const float h = Clamp01(Dot(pa, ba) / Dot(ba, ba));
  return Len(pa - ba * h) - r;
}

float SdPolygon(P p, const std::vector<P>& v) {
  float d = Dot(p - v[0], p - v[0]);
  float sign = 1;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
    const P e = v[j] - v[i], w = p - v[i];
    const P b = w - e * Clamp01(Dot(w, e) / Dot(e, e));
    d = std::min(d, Dot(b, b));
    const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
  }
  return sign * std::sqrt(d);
}

Normal Normalized(float x, float y, float z) {
  const float l = std::sqrt(x * x + y * y + z * z);
  return {x / l, y / l, z / l};
}

void Fill(Sprite& s, const Field& sdf, const Shader& shade) {
  const float px = 1.0f / s.Scale;
  for (int y = 0; y < s.Img.H; ++y) {
    for (int x = 0; x < s.Img.W; ++x) {
      const P p = TexelCentre(s, x, y);
      const float d = sdf(p);
      const float cov = Clamp01(0.5f - d / px);
      if (cov <= 0) continue;
      const float e = 0.35f * px;
      P g = {sdf({p.x + e, p.y}) - sdf({p.x - e, p.y}), sdf({p.x, p.y + e}) - sdf({p.x, p.y - e})};
      const float gl = Len(g);
      g = gl > 1e-6f ? g * (1.0f / gl) : P{0, 0};
      s.Img.Over(x, y, shade({p, -d, g}), cov);
    }
  }
}

void Glow(Sprite& s, const std::function<Color(P)>& light) {
  for (int y = 0; y < s.Img.H; ++y) {
    for (int x = 0; x < s.Img.W; ++x) s.Img.AddLight(x, y, light(TexelCentre(s, x, y)), 1.0f);
  }
}

void Shadow(Sprite& s, const Field& sdf, P offset, float blur, float strength) {
  for (int y = 0; y < s.Img.H; ++y) {
    for (int x = 0; x < s.Img.W; ++x) {
      const float d = sdf(TexelCentre(s, x, y) - offset);
      const float a = strength * (1.0f - SmoothStep(-blur, blur, d));
      if (a > 0) s.Img.Over(x, y, {0.02f, 0.02f, 0.015f, a}, 1.0f);
    }
  }
}

Color Lit(const Color& albedo, const Normal& n, float specular, float shininess) {
  const float ambient = 0.42f, direct = 0.78f;
  const float diffuse = std::max(0.0f, n.x * kLight.x + n.y * kLight.y + n.z * kLight.z);
  const float flat = ambient + direct * kLight.z;
  const float k = (ambient + direct * diffuse) / flat;
  Color c = Scale(albedo, k);
  if (specular > 0) {
    const Normal h = Normalized(kLight.x, kLight.y, kLight.z + 1.0f);
    const float s = std::pow(std::max(0.0f, n.x * h.x + n.y * h.y + n.z * h.z), shininess) * specular;
    c = Add(c, s);
  }
  c.a = albedo.a;
  return c;
}

Normal Bevel(const Texel& t, float width, float slope) {
  if (t.depth >= width || width <= 0) return {};
  const float f = 1.0f - std::max(t.depth, 0.0f) / width;
  return Normalized(t.out.x * slope * f, t.out.y * slope * f, 1.0f);
}

float Grain(P p, float scale, float amp, uint32_t seed) {
  return (ValueNoise(p.x * scale, p.y * scale, seed) - 0.5f) * 2.0f * amp;
}

Normal DomeNormal(P p, P c, float r, float flatten) {
  const P q = (p - c) * (1.0f / r);
  const float z = std::sqrt(std::max(0.0f, 1.0f - Dot(q, q)));
  return Normalized(q.x * flatten, q.y * flatten, z + 0.15f);
}

Normal CylinderNormal(P p, float cy, float r) {
  const float q = std::clamp((p.y - cy) / r, -1.0f, 1.0f);
  return Normalized(0, q, std::sqrt(1.0f - q * q) + 0.1f);
}

Normal Combine(const Normal& a, const Normal& b) {
  return Normalized(a.x / a.z + b.x / b.z, a.y / a.z + b.y / b.z, 1.0f);
}
