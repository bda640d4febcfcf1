// The enemy tank in olive and khaki camouflage, front and gun to the right. The whole
// tank spans about 64 x 46 pixels of its 128 x 128 quad, the gun reaching further.
#include "art.h"
#include "noise.h"
#include "paint.h"

namespace {

struct Palette {
  Color Olive, DarkOlive, Khaki, Track, Metal;
  bool Burnt;
};

const Palette kLive = {Rgb(88, 91, 62), Rgb(58, 62, 44), Rgb(120, 110, 82), Rgb(50, 48, 44), Rgb(88, 88, 84), false};
const Palette kBurnt = {Rgb(52, 48, 42), Rgb(34, 32, 29), Rgb(92, 62, 42), Rgb(36, 34, 32), Rgb(60, 56, 52), true};

// Camouflage in three colours with worn edges and grain.
Color Camo(P p, const Palette& pal, uint32_t seed) {
  const float n = Fbm(p.x * 0.05f + 7.0f, p.y * 0.05f, 4, seed);
  const float m = Fbm(p.x * 0.06f, p.y * 0.06f + 3.0f, 4, seed + 9);
  Color c = pal.Olive;
  c = Mix(c, pal.DarkOlive, SmoothStep(0.52f, 0.56f, n));
  c = Mix(c, pal.Khaki, SmoothStep(0.58f, 0.62f, m) * 0.85f);
  float k = 0.92f + Grain(p, 1.9f, 0.05f, seed + 3) + Grain(p, 0.5f, 0.05f, seed + 4);
  if (pal.Burnt) {
    const float soot = Fbm(p.x * 0.09f, p.y * 0.09f, 3, seed + 5);
    k *= 0.6f + 0.5f * soot;
  }
  return Scale(c, k);
}

Color Metal(P p, const Color& base, uint32_t seed) {
  return Scale(base, 0.9f + Grain(p, 2.2f, 0.06f, seed) + Grain(p, 0.4f, 0.05f, seed + 1));
}

// Track links across the band, seen from above: raised plates with dark gaps.
Color TrackLinks(const Texel& t, const Palette& pal, float centreY) {
  const float u = std::fmod(t.p.x + 100.0f, 3.2f) / 3.2f;
  const float plate = SmoothStep(0.0f, 0.18f, u) * (1.0f - SmoothStep(0.72f, 0.95f, u));
  Color c = Scale(Metal(t.p, pal.Track, 21), 0.55f + 0.55f * plate);
  // A guide horn runs down the middle of each link.
  if (std::fabs(t.p.y - centreY) < 0.7f && plate > 0.5f) c = Add(c, 0.06f);
  if (pal.Burnt && Hash2(static_cast<int>(t.p.x * 0.3f + 40), static_cast<int>(centreY), 77) < 0.25f) {
    c = Mix(c, Rgb(96, 52, 30), 0.5f);  // rust
  }
  return Lit(c, Bevel(t, 1.6f, 1.2f), pal.Burnt ? 0.05f : 0.25f);
}

void Bolt(Sprite& s, P c, float r, const Color& colour) {
  Fill(s, [=](P p) { return SdCircle(p, c, r); },
       [=](const Texel& t) { return Lit(colour, DomeNormal(t.p, c, r, 1.0f), 0.4f, 16.0f); });
}

Canvas PaintHull(const Palette& pal) {
  Sprite s(128, 128);
  const std::vector<P> deck = {{-29.5f, -13.5f}, {23.0f, -13.5f}, {30.5f, -8.5f}, {30.5f, 8.5f},
                               {23.0f, 13.5f},   {-29.5f, 13.5f}};
  auto tracks = [](P p) {
    return Union(SdBox(p, {0, -16.8f}, 32.5f, 5.6f, 3.2f), SdBox(p, {0, 16.8f}, 32.5f, 5.6f, 3.2f));
  };
  auto hull = [&](P p) { return Union(SdPolygon(p, deck), tracks(p)); };
  Shadow(s, hull, {1.0f, 1.3f}, 3.0f, 0.6f);

  for (float cy : {-16.8f, 16.8f}) {
    Fill(s, [=](P p) {
      float d = SdBox(p, {0, cy}, 32.5f, 5.6f, 3.2f);
      if (pal.Burnt && cy > 0) d = Subtract(d, SdBox(p, {-19.0f, cy}, 3.5f, 7.0f, 0.5f));  // a broken track
      return d;
    }, [=](const Texel& t) { return TrackLinks(t, pal, cy); });
  }
  // Mud guards over the tracks along the sides of the deck.
  for (float side : {-1.0f, 1.0f}) {
    Fill(s, [=](P p) { return SdBox(p, {-1.5f, side * 13.6f}, 26.0f, 1.6f, 0.6f); },
         [=](const Texel& t) { return Lit(Camo(t.p, pal, 30), Bevel(t, 0.9f, 1.3f), 0.15f); });
  }
  // The deck: camouflaged armour, bevelled all round, a sloped glacis at the front.
  Fill(s, [&](P p) { return SdPolygon(p, deck); }, [&](const Texel& t) {
    Normal n = Bevel(t, 2.6f, 1.1f);
    Color c = Camo(t.p, pal, 31);
    if (t.p.x > 17.5f) n = Combine(n, Normalized(0.35f, 0, 1));  // glacis falls away to the front
    if (std::fabs(t.p.x - 17.5f) < 0.4f) c = Scale(c, 0.7f);       // its upper edge
    // Engine deck: a grille of louvres at the back.
    if (t.p.x < -14.0f && t.p.x > -27.0f && std::fabs(t.p.y) < 9.5f) {
      const bool slot = std::fmod(t.p.x + 100.0f, 2.2f) < 1.0f;
      c = Scale(c, slot ? 0.5f : 0.95f);
      if (std::fabs(t.p.y) > 8.8f || t.p.x > -14.6f || t.p.x < -26.4f) c = Scale(c, 0.7f);
    }
    // Dust settles at the edges.
    c = Mix(c, Rgb(120, 110, 86), 0.25f * (1.0f - SmoothStep(0.0f, 4.0f, t.depth)) * (pal.Burnt ? 0.2f : 1.0f));
    return Lit(c, n, pal.Burnt ? 0.04f : 0.18f);
  });
  // Exhausts at the back corners, headlights and tow hooks at the front, the driver's hatch.
  for (float side : {-1.0f, 1.0f}) {
    const P ex = {-28.0f, side * 10.5f};
    Fill(s, [=](P p) { return SdCircle(p, ex, 1.9f); }, [=](const Texel& t) {
      Color c = t.depth > 0.9f ? Rgb(20, 18, 16) : Metal(t.p, pal.Metal, 40);
      return Lit(c, Bevel(t, 0.8f, 1.5f));
    });
    const P light = {29.0f, side * 10.0f};
    Fill(s, [=](P p) { return SdCircle(p, light, 1.5f); }, [=](const Texel& t) {
      Color glass = pal.Burnt ? Rgb(30, 30, 28) : Rgb(190, 196, 170);
      return Lit(t.depth > 0.5f ? glass : Metal(t.p, pal.Metal, 41), DomeNormal(t.p, light, 1.5f, 0.8f), 0.6f);
    });
    Fill(s, [=](P p) { return SdBox(p, {31.0f, side * 4.2f}, 1.2f, 1.1f, 0.4f); },
         [=](const Texel& t) { return Lit(Metal(t.p, pal.Metal, 42), Bevel(t, 0.5f, 1.2f), 0.3f); });
  }
  const P driver = {21.0f, -6.0f};
  Fill(s, [=](P p) { return SdBox(p, driver, 3.2f, 2.6f, 1.2f); }, [=](const Texel& t) {
    Color c = Camo(t.p, pal, 32);
    if (t.depth < 0.45f) c = Scale(c, 0.45f);
    return Lit(c, Bevel(t, 0.9f, 1.4f), 0.2f);
  });
  Fill(s, [](P p) { return SdBox(p, {26.0f, -6.0f}, 0.8f, 2.0f, 0.3f); },
       [&](const Texel& t) { return Lit(pal.Burnt ? Rgb(30, 30, 28) : Rgb(80, 110, 120), Bevel(t, 0.4f, 1.0f), 0.7f); });
  // Stowage: a tool box on the right guard, spare track links on the left one.
  Fill(s, [](P p) { return SdBox(p, {-6.0f, 13.8f}, 6.0f, 1.8f, 0.5f); },
       [&](const Texel& t) { return Lit(Camo(t.p, pal, 33), Bevel(t, 0.7f, 1.5f), 0.1f); });
  for (int k = 0; k < 3; ++k) {
    const P c = {4.0f + 3.4f * k, -13.7f};
    Fill(s, [=](P p) { return SdBox(p, c, 1.4f, 1.7f, 0.3f); },
         [&](const Texel& t) { return Lit(Metal(t.p, pal.Track, 43), Bevel(t, 0.6f, 1.5f), 0.2f); });
  }
  for (int k = 0; k < 4; ++k) Bolt(s, {-10.0f + 8.0f * k, (k % 2 ? 10.5f : -10.5f)}, 0.6f, pal.Metal);
  if (pal.Burnt) {
    // Scorch around a penetration on the deck and soot over everything.
    Fill(s, [](P p) { return SdCircle(p, {4.0f, 3.0f}, 9.0f); }, [](const Texel& t) {
      const float d = Len(t.p - P{4.0f, 3.0f});
      Color c = Rgb(14, 12, 10, 0.85f * (1.0f - SmoothStep(1.5f, 9.0f, d)) + 0.1f);
      return c;
    });
    Fill(s, [](P p) { return SdCircle(p, {4.0f, 3.0f}, 2.0f); },
         [](const Texel& t) { return Lit(Rgb(8, 6, 5), Bevel(t, 1.0f, -1.5f)); });
  }
  return s.Img;
}

// The turret's armour outline, centred a little behind the rotation centre.
float SdTurret(P p) {
  static const std::vector<P> outline = {{-15.0f, -8.5f}, {-10.0f, -13.0f}, {7.0f, -12.5f}, {13.5f, -6.5f},
                                         {13.5f, 6.5f},   {7.0f, 12.5f},    {-10.0f, 13.0f}, {-15.0f, 8.5f}};
  return Union(SdPolygon(p, outline) - 0.8f, SdBox(p, {-16.5f, 0}, 4.0f, 7.5f, 1.5f));
}

float SdGun(P p) {
  float d = SdBox(p, {32.0f, 0}, 18.5f, 2.0f, 0.8f);
  d = Union(d, SdBox(p, {15.5f, 0}, 3.0f, 5.5f, 1.2f));   // mantlet
  d = Union(d, SdBox(p, {31.0f, 0}, 2.6f, 2.9f, 1.2f));   // fume extractor
  d = Union(d, SdBox(p, {49.0f, 0}, 2.0f, 2.6f, 0.6f));   // muzzle
  return d;
}

}  // namespace

Canvas PaintEnemyHull() { return PaintHull(kLive); }
Canvas PaintEnemyWreck() { return PaintHull(kBurnt); }

Canvas PaintEnemyTurret() {
  Sprite s(128, 128);
  const Palette& pal = kLive;
  // A deep shadow on the hull below sets the turret apart from the deck.
  Shadow(s, [](P p) { return Union(SdTurret(p), SdGun(p)); }, {1.8f, 2.3f}, 2.6f, 0.75f);
  Fill(s, SdGun, [&](const Texel& t) {
    float r = 2.0f;
    if (t.p.x < 18.5f) r = 5.5f;
    else if (std::fabs(t.p.x - 31.0f) < 2.6f) r = 2.9f;
    else if (t.p.x > 47.0f) r = 2.6f;
    Color c = t.p.x < 18.5f ? Camo(t.p, pal, 50) : Metal(t.p, Mix(pal.Olive, pal.Metal, 0.35f), 51);
    if (t.p.x > 50.4f) c = Scale(c, 0.4f);  // the muzzle's face
    const Normal n = t.p.x < 18.5f ? Bevel(t, 1.5f, 1.3f) : Combine(CylinderNormal(t.p, 0, r), Bevel(t, 0.5f, 1.0f));
    return Lit(c, n, 0.3f, 18.0f);
  });
  Fill(s, SdTurret, [&](const Texel& t) {
    Normal n = Combine(DomeNormal(t.p, {-1.5f, 0}, 22.0f, 0.5f), Bevel(t, 2.4f, 1.5f));
    Color c = Scale(Camo(t.p * 1.3f, pal, 52), 1.08f);
    c = Scale(c, 0.5f + 0.5f * SmoothStep(0.1f, 1.1f, t.depth));  // a dark seam round the armour
    if (t.p.x < -12.5f && std::fabs(t.p.y) < 7.0f && std::fmod(t.p.y + 100.0f, 2.0f) < 0.8f) c = Scale(c, 0.7f);
    return Lit(c, n, 0.2f, 16.0f);
  });
  // Smoke-grenade launchers on the front corners and the loader's hatch.
  for (float side : {-1.0f, 1.0f}) {
    for (int k = 0; k < 3; ++k) {
      const P c = {7.5f + 1.7f * k, side * (11.0f - 0.9f * k)};
      Fill(s, [=](P p) { return SdCircle(p, c, 0.95f); }, [=](const Texel& t) {
        return Lit(t.depth > 0.45f ? Rgb(24, 24, 20) : Metal(t.p, pal.Metal, 53), Bevel(t, 0.4f, 1.5f), 0.3f);
      });
    }
  }
  const P loader = {-6.0f, 7.0f};
  Fill(s, [=](P p) { return SdCircle(p, loader, 3.2f); }, [&](const Texel& t) {
    Color c = Camo(t.p, pal, 54);
    if (t.depth < 0.45f) c = Scale(c, 0.5f);
    return Lit(c, Combine(DomeNormal(t.p, loader, 5.0f, 0.5f), Bevel(t, 0.8f, 1.3f)), 0.2f);
  });
  Bolt(s, {-12.0f, -8.5f}, 1.1f, pal.Metal);  // antenna base
  return s.Img;
}

Canvas PaintEnemyCupola() {
  // Never turned: a ring of vision blocks, the same from every direction.
  Sprite s(128, 128);
  const Palette& pal = kLive;
  const float inner = 5.2f, outer = 8.6f, mid = (inner + outer) / 2, half = (outer - inner) / 2;
  auto ring = [=](P p) { const float r = Len(p); return std::max(r - outer, inner - r); };
  Shadow(s, [=](P p) { return Len(p) - outer; }, {0.9f, 1.2f}, 1.5f, 0.55f);
  Fill(s, ring, [&](const Texel& t) {
    const float r = Len(t.p);
    const float q = std::clamp((r - mid) / half, -1.0f, 1.0f);
    const P radial = r > 1e-4f ? t.p * (1.0f / r) : P{1, 0};
    const Normal n = Normalized(radial.x * q * 0.8f, radial.y * q * 0.8f, std::sqrt(1.0f - q * q) + 0.25f);
    return Lit(Camo(t.p, pal, 60), n, 0.25f, 16.0f);
  });
  for (int k = 0; k < 8; ++k) {
    const float angle = 22.5f + 45.0f * k;
    Fill(s, [=](P p) { const P q = Rot(p, -angle); return SdBox(q, {mid + 0.6f, 0}, 1.2f, 1.1f, 0.3f); },
         [=](const Texel& t) {
           const P q = Rot(t.p, -angle);
           const float glint = SmoothStep(0.3f, -0.6f, q.y) * 0.35f;
           return Lit(Add(Rgb(30, 44, 48), glint * 0.6f), Bevel(t, 0.4f, 1.0f), 0.35f, 30.0f);
         });
  }
  return s.Img;
}

Canvas PaintEnemyHatch() {
  Sprite s(128, 128);
  const Palette& pal = kLive;
  // The commander's machine gun on its mount, pointing where the turret points.
  auto gun = [](P p) { return Union(SdBox(p, {9.5f, 0.0f}, 6.0f, 0.65f, 0.3f), SdBox(p, {3.8f, 0.0f}, 2.4f, 1.4f, 0.4f)); };
  Shadow(s, gun, {0.8f, 1.1f}, 0.9f, 0.6f);
  Shadow(s, [](P p) { return SdCircle(p, {-0.5f, 0}, 4.9f); }, {0.6f, 0.8f}, 1.0f, 0.5f);
  Fill(s, [](P p) { return SdCircle(p, {-0.5f, 0}, 4.9f); }, [&](const Texel& t) {
    Color c = Camo(t.p, pal, 70);
    if (std::fabs(t.p.x + 4.2f) < 0.5f && std::fabs(t.p.y) < 3.0f) c = Metal(t.p, pal.Metal, 71);  // hinge
    if (std::fabs(Len(t.p - P{-0.5f, 0}) - 2.6f) < 0.35f) c = Scale(c, 0.75f);                      // stiffening ring
    return Lit(c, Combine(DomeNormal(t.p, {-0.5f, 0}, 7.0f, 0.5f), Bevel(t, 1.0f, 1.2f)), 0.25f);
  });
  Fill(s, gun, [&](const Texel& t) {
    const bool receiver = t.p.x < 6.3f;
    Color c = Metal(t.p, Rgb(54, 54, 52), 72);
    const Normal n = receiver ? Bevel(t, 0.6f, 1.4f) : CylinderNormal(t.p, 0.0f, 0.65f);
    return Lit(c, n, 0.6f, 24.0f);
  });
  return s.Img;
}
