// The player's base: a concrete emplacement with a steel turret in gunmetal blue and
// yellow markings, so that it never reads as one of the olive enemy tanks.
#include "art.h"
#include "noise.h"
#include "paint.h"

namespace {

const Color kSteel = Rgb(86, 104, 122);
const Color kDarkSteel = Rgb(58, 70, 84);
const Color kMarking = Rgb(214, 172, 46);

float SdOctagon(P p, float apothem) {
  const float ax = std::fabs(p.x), ay = std::fabs(p.y);
  return std::max(std::max(ax, ay), (ax + ay) * 0.70710678f) - apothem;
}

Color Concrete(P p) {
  const float stains = Fbm(p.x * 0.11f + 3.0f, p.y * 0.11f, 4, 11);
  const float ridge = 1.0f - std::fabs(Fbm(p.x * 0.07f, p.y * 0.07f + 9.0f, 3, 17) - 0.5f) * 2.0f;
  const float crack = SmoothStep(0.93f, 0.985f, ridge);
  // Expansion joints on the two axes, outside the pit.
  const float joint = (1.0f - SmoothStep(0.25f, 0.75f, std::min(std::fabs(p.x), std::fabs(p.y)))) *
                      SmoothStep(18.5f, 20.0f, Len(p));
  float k = 0.8f + 0.34f * stains + Grain(p, 1.7f, 0.05f, 5) + Grain(p, 0.6f, 0.03f, 6);
  k *= 1.0f - 0.35f * crack - 0.3f * joint;
  return Scale(Rgb(126, 123, 114), k);
}

Color Steel(P p, const Color& base, uint32_t seed) {
  const float wear = Fbm(p.x * 0.25f, p.y * 0.25f, 3, seed);
  return Scale(base, 0.88f + 0.22f * wear + Grain(p, 2.1f, 0.025f, seed + 1));
}

// A small bolt head.
void Bolt(Sprite& s, P c, float r, const Color& colour) {
  Fill(s, [=](P p) { return SdCircle(p, c, r); },
       [=](const Texel& t) { return Lit(colour, DomeNormal(t.p, c, r, 1.0f), 0.5f, 18.0f); });
}

// Diagonal yellow and black stripes, worn away in places.
Color Hazard(P p, P along) {
  const float u = Dot(p, along) + Dot(p, {-along.y, along.x});
  const bool yellow = std::fmod(u + 100.0f, 4.0f) < 2.0f;
  Color c = yellow ? kMarking : Rgb(28, 26, 22);
  const float wear = Fbm(p.x * 0.5f, p.y * 0.5f, 3, 41);
  c.a = SmoothStep(0.28f, 0.42f, wear) * 0.92f;
  return c;
}

}  // namespace

Canvas PaintBaseBody(int texels, float drawn) {
  Sprite s(texels, drawn);
  const float apothem = 27.0f;
  Shadow(s, [=](P p) { return SdOctagon(p, apothem); }, {2.2f, 2.8f}, 2.5f, 0.65f);
  // The pad, its edges bevelled towards the light.
  Fill(s, [=](P p) { return SdOctagon(p, apothem); },
       [](const Texel& t) { return Lit(Concrete(t.p), Bevel(t, 3.0f, 1.1f)); });
  // Warning stripes on the four sides.
  for (int side = 0; side < 4; ++side) {
    const P dir = Rot({1, 0}, 90.0f * side);
    const P c = dir * 23.2f;
    const P along = {dir.y, -dir.x};
    Fill(s, [=](P p) { const P q = p - c; return SdBox({Dot(q, along), Dot(q, dir)}, {}, 7.0f, 1.6f, 0.3f); },
         [=](const Texel& t) { return Hazard(t.p, along); });
  }
  // Ventilation boxes on the four diagonal faces.
  for (int k = 0; k < 4; ++k) {
    const P dir = Rot({1, 0}, 45.0f + 90.0f * k);
    const P c = dir * 23.0f;
    const P along = {-dir.y, dir.x};
    auto box = [=](P p) { const P q = p - c; return SdBox({Dot(q, along), Dot(q, dir)}, {}, 4.2f, 2.3f, 0.7f); };
    Shadow(s, box, {0.8f, 1.0f}, 0.9f, 0.55f);
    Fill(s, box, [=](const Texel& t) {
      const P q = t.p - c;
      const float across = Dot(q, along);
      const bool slot = std::fabs(Dot(q, dir)) < 1.3f && std::fmod(across + 10.0f, 1.6f) < 0.7f;
      Color col = Steel(t.p, kDarkSteel, 70 + k);
      if (slot && t.depth > 0.6f) col = Scale(col, 0.45f);
      return Lit(col, Bevel(t, 0.9f, 1.4f), 0.3f);
    });
  }
  // The pit the turret turns in: a recess whose walls catch the light on the far side.
  const float pit = 18.0f;
  Fill(s, [=](P p) { return SdCircle(p, {}, pit); }, [](const Texel& t) {
    const float occlusion = 0.45f + 0.55f * SmoothStep(0.0f, 6.0f, t.depth);
    Color floor = Scale(Steel(t.p, Rgb(62, 64, 66), 80), occlusion);
    return Lit(floor, Bevel(t, 2.2f, -1.3f));
  });
  // Anchor bolts around the pit.
  for (int k = 0; k < 12; ++k) Bolt(s, Rot({20.3f, 0}, 15.0f + 30.0f * k), 0.95f, Rgb(120, 122, 120));
  return s.Img;
}

Canvas PaintBasePlatform(int texels, float drawn) {
  Sprite s(texels, drawn);
  auto plate = [](P p) {
    float d = SdCircle(p, {}, 18.6f);
    d = Union(d, SdBox(p, {-15.5f, 0}, 5.0f, 9.5f, 2.0f));
    d = Union(d, SdBox(p, {16.0f, 0}, 4.5f, 5.0f, 1.2f));
    return d;
  };
  Shadow(s, plate, {0.8f, 1.1f}, 1.4f, 0.6f);
  Fill(s, plate, [](const Texel& t) { return Lit(Steel(t.p, kDarkSteel, 90), Bevel(t, 1.6f, 1.3f), 0.25f); });
  // Ammunition box at the back, with a hinge line and a yellow mark.
  auto box = [](P p) { return SdBox(p, {-16.0f, 0}, 3.8f, 8.0f, 1.0f); };
  Fill(s, box, [](const Texel& t) {
    Color c = Steel(t.p, kSteel, 91);
    if (std::fabs(t.p.x + 14.2f) < 0.35f) c = Scale(c, 0.55f);
    if (t.p.x < -18.3f && std::fabs(t.p.y) < 5.5f && std::fmod(t.p.y + 20.0f, 2.2f) < 1.1f) c = Scale(c, 0.6f);
    return Lit(c, Bevel(t, 1.1f, 1.4f), 0.35f);
  });
  Fill(s, [](P p) { return SdBox(p, {-17.0f, -6.0f}, 1.2f, 1.2f, 0.3f); },
       [](const Texel& t) { return Lit(kMarking, Bevel(t, 0.5f, 1.0f)); });
  // The gun cradle that carries the barrel's trunnions.
  Fill(s, [](P p) { return SdBox(p, {16.5f, 0}, 3.6f, 3.8f, 0.8f); },
       [](const Texel& t) { return Lit(Steel(t.p, kSteel, 92), Bevel(t, 1.0f, 1.5f), 0.35f); });
  return s.Img;
}

Canvas PaintBaseRing(int texels, float drawn) {
  Sprite s(texels, drawn);
  const float inner = 11.4f, outer = 16.3f, mid = (inner + outer) / 2, half = (outer - inner) / 2;
  auto ring = [=](P p) { const float r = Len(p); return std::max(r - outer, inner - r); };
  Shadow(s, ring, {0.0f, 0.0f}, 1.2f, 0.5f);
  Fill(s, ring, [=](const Texel& t) {
    const float r = Len(t.p);
    const float q = std::clamp((r - mid) / half, -1.0f, 1.0f);
    const P radial = r > 1e-4f ? t.p * (1.0f / r) : P{1, 0};
    const Normal n = Normalized(radial.x * q * 0.9f, radial.y * q * 0.9f, std::sqrt(1.0f - q * q) + 0.2f);
    return Lit(Steel(t.p, Rgb(74, 88, 102), 95), n, 0.45f, 20.0f);
  });
  for (int k = 0; k < 12; ++k) Bolt(s, Rot({mid, 0}, 30.0f * k), 0.9f, Rgb(150, 158, 164));
  return s.Img;
}

Canvas PaintBaseTurret(int texels, float drawn) {
  Sprite s(texels, drawn);
  const P head = {-1.5f, 0};
  auto headShape = [=](P p) { return Union(SdCircle(p, head, 10.6f), SdBox(p, {6.5f, 0}, 4.0f, 6.2f, 2.2f)); };
  auto barrel = [](P p) {
    float d = SdBox(p, {19.0f, 0}, 10.0f, 2.2f, 1.0f);
    d = Union(d, SdBox(p, {12.5f, 0}, 3.5f, 3.1f, 1.0f));     // recoil sleeve
    d = Union(d, SdBox(p, {27.9f, 0}, 2.3f, 3.2f, 0.8f));     // muzzle brake
    return d;
  };
  Shadow(s, [&](P p) { return Union(headShape(p), barrel(p)); }, {1.2f, 1.6f}, 1.6f, 0.55f);

  Fill(s, barrel, [](const Texel& t) {
    const bool brake = t.p.x > 25.5f;
    const bool sleeve = t.p.x > 9.0f && t.p.x < 16.0f;
    const float r = brake ? 3.2f : sleeve ? 3.1f : 2.2f;
    Color c = Steel(t.p, brake ? kDarkSteel : kSteel, 97);
    if (brake && (std::fabs(t.p.x - 27.1f) < 0.45f || std::fabs(t.p.x - 28.8f) < 0.45f) && std::fabs(t.p.y) > 1.0f) {
      c = Scale(c, 0.35f);  // the brake's side ports
    }
    if (t.p.x > 16.0f && t.p.x < 17.6f) c = kMarking;  // a yellow band marks the player's gun
    return Lit(c, Combine(CylinderNormal(t.p, 0, r), Bevel(t, 0.6f, 1.0f)), 0.55f, 22.0f);
  });
  Fill(s, headShape, [=](const Texel& t) {
    const Normal n = Combine(DomeNormal(t.p, head, 14.0f, 0.55f), Bevel(t, 2.4f, 1.2f));
    return Lit(Steel(t.p, kSteel, 98), n, 0.45f, 20.0f);
  });
  // Commander's hatch, periscope and a vent on the turret roof.
  const P hatch = {-4.8f, -3.4f};
  Fill(s, [=](P p) { return SdCircle(p, hatch, 3.7f); },
       [=](const Texel& t) { return Lit(Steel(t.p, Rgb(96, 114, 130), 99), Bevel(t, 1.0f, 1.6f), 0.4f); });
  Fill(s, [=](P p) { return SdCircle(p, hatch, 3.7f) + 0.0f; },
       [=](const Texel& t) {
         Color c = Rgb(30, 34, 40, t.depth < 0.5f ? 0.8f : 0.0f);
         return c;
       });
  Bolt(s, hatch + P{-2.0f, 0.3f}, 0.7f, Rgb(140, 150, 160));
  Fill(s, [](P p) { return SdBox(p, {1.5f, 4.6f}, 2.1f, 1.4f, 0.4f); }, [](const Texel& t) {
    Color c = Steel(t.p, kDarkSteel, 100);
    if (t.p.x > 2.7f) c = Rgb(120, 170, 200);  // the periscope's glass
    return Lit(c, Bevel(t, 0.6f, 1.5f), 0.6f);
  });
  Fill(s, [](P p) { return SdBox(p, {-8.6f, 3.2f}, 1.6f, 2.6f, 0.4f); }, [](const Texel& t) {
    Color c = Steel(t.p, kDarkSteel, 101);
    if (std::fmod(t.p.y + 20.0f, 1.3f) < 0.55f) c = Scale(c, 0.55f);
    return Lit(c, Bevel(t, 0.5f, 1.2f), 0.2f);
  });
  return s.Img;
}
