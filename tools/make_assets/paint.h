// Painting tools for the sprites: shapes as signed distance fields in the units the
// sprite is drawn in (pixels on screen), centred on the sprite, y pointing down, lit
// from the top left.
#pragma once

#include <cmath>
#include <functional>

#include "canvas.h"

struct P {
  float x = 0, y = 0;
};
inline P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
inline P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
inline P operator*(P a, float k) { return {a.x * k, a.y * k}; }
inline float Dot(P a, P b) { return a.x * b.x + a.y * b.y; }
inline float Len(P a) { return std::sqrt(Dot(a, a)); }
inline P Rot(P a, float deg) {
  const float r = deg * 3.14159265f / 180.0f, c = std::cos(r), s = std::sin(r);
  return {a.x * c - a.y * s, a.x * s + a.y * c};
}

// Signed distance, negative inside.
using Field = std::function<float(P)>;

float SdCircle(P p, P c, float r);
float SdBox(P p, P c, float halfW, float halfH, float round);
float SdSegment(P p, P a, P b, float r);
float SdPolygon(P p, const std::vector<P>& pts);
inline float Union(float a, float b) { return std::min(a, b); }
inline float Subtract(float a, float b) { return std::max(a, -b); }
inline float Intersect(float a, float b) { return std::max(a, b); }

// A surface normal (x right, y down, z towards the viewer).
struct Normal {
  float x = 0, y = 0, z = 1;
};
Normal Normalized(float x, float y, float z);

// What a shader sees of one pixel: its place, how deep inside the shape it lies and
// the outward direction of the nearest edge.
struct Texel {
  P p;
  float depth = 0;
  P out;
};
using Shader = std::function<Color(const Texel&)>;

// A sprite canvas: size in texels and the texels per drawn pixel.
struct Sprite {
  Sprite(int size, float drawnSize) : Img(size, size), Scale(size / drawnSize) {}
  Canvas Img;
  float Scale;
  P Centre() const { return {Img.W / 2.0f, Img.H / 2.0f}; }
};

// Paints a shape: every texel it covers (edges anti-aliased) gets the shader's colour.
void Fill(Sprite& s, const Field& sdf, const Shader& shade);
// Adds light instead of covering (for glows).
void Glow(Sprite& s, const std::function<Color(P)>& light);
// A soft shadow of a shape on what lies under it, offset and blurred, in pixels.
void Shadow(Sprite& s, const Field& sdf, P offset, float blur, float strength);

// Lighting: albedo under the fixed light, for a normal; flat faces keep their albedo.
Color Lit(const Color& albedo, const Normal& n, float specular = 0.0f, float shininess = 24.0f);
// The normal of a bevelled edge: flat deep inside, tilted outward within width of the rim.
Normal Bevel(const Texel& t, float width, float slope);
// Noise grain for surfaces, about 0 on average, spread amp.
float Grain(P p, float scale, float amp, uint32_t seed);

// The normal of a dome of radius r around c; flatten below 1 makes it lower.
Normal DomeNormal(P p, P c, float r, float flatten);
// The normal of a cylinder lying along x, centred on y = cy, radius r.
Normal CylinderNormal(P p, float cy, float r);
// Sums two normals' tilts, so that a bevel can ride on a dome.
Normal Combine(const Normal& a, const Normal& b);
