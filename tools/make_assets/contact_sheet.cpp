#include "contact_sheet.h"

#include <cmath>
#include <filesystem>

#include "canvas.h"
#include "image_files.h"
#include "noise.h"

namespace {

// A window onto the 800 x 600 playfield (y down): target pixel = (game - origin) * zoom.
struct View {
  float Zoom = 1;
  float X0 = 0, Y0 = 0;
};

class Target {
 public:
  Target(int w, int h) : W(w), H(h), Px(static_cast<size_t>(w) * h) {}
  int W, H;
  std::vector<Color> Px;
  Color& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
};

// One textured quad as the game draws it: centre and size in game pixels, turned
// counter-clockwise on screen, texture t = 0 at the bottom, modulated by tint.
void DrawQuad(Target& t, const View& v, const Texture& tex, float cx, float cy, float size, float angle,
              const Color& tint, bool additive) {
  const float rad = angle * 3.14159265f / 180.0f, c = std::cos(rad), s = std::sin(rad);
  const float reach = size * 0.7072f;
  const int x0 = std::max(0, static_cast<int>(std::floor((cx - reach - v.X0) * v.Zoom)));
  const int x1 = std::min(t.W - 1, static_cast<int>(std::ceil((cx + reach - v.X0) * v.Zoom)));
  const int y0 = std::max(0, static_cast<int>(std::floor((cy - reach - v.Y0) * v.Zoom)));
  const int y1 = std::min(t.H - 1, static_cast<int>(std::ceil((cy + reach - v.Y0) * v.Zoom)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float gx = (x + 0.5f) / v.Zoom + v.X0 - cx, gy = -((y + 0.5f) / v.Zoom + v.Y0 - cy);  // y up
      const float lx = gx * c + gy * s, ly = -gx * s + gy * c;  // undo the turn
      const float sTex = lx / size + 0.5f, tTex = ly / size + 0.5f;
      if (sTex < 0 || sTex > 1 || tTex < 0 || tTex > 1) continue;
      Color k = SampleRgba8(tex.Rgba, tex.W, tex.H, sTex * tex.W, (1 - tTex) * tex.H, true);
      const float a = k.a * tint.a;
      Color& d = t.At(x, y);
      const float r = k.r * tint.r, g = k.g * tint.g, b = k.b * tint.b;
      if (additive) {
        d = {std::min(1.0f, d.r + r * a), std::min(1.0f, d.g + g * a), std::min(1.0f, d.b + b * a), 1};
      } else {
        d = {r * a + d.r * (1 - a), g * a + d.g * (1 - a), b * a + d.b * (1 - a), 1};
      }
    }
  }
}

void DrawGround(Target& t, const View& v, const Texture& bg) {
  for (int y = 0; y < t.H; ++y) {
    for (int x = 0; x < t.W; ++x) {
      const float gx = (x + 0.5f) / v.Zoom + v.X0, gy = (y + 0.5f) / v.Zoom + v.Y0;
      t.At(x, y) = SampleRgba8(bg.Rgba, bg.W, bg.H, gx / 800.0f * bg.W, gy / 600.0f * bg.H, true);
    }
  }
}

void DrawRect(Target& t, const View& v, float x0, float y0, float x1, float y1, const Color& c) {
  for (int y = std::max(0, int((y0 - v.Y0) * v.Zoom)); y < std::min(t.H, int((y1 - v.Y0) * v.Zoom)); ++y) {
    for (int x = std::max(0, int((x0 - v.X0) * v.Zoom)); x < std::min(t.W, int((x1 - v.X0) * v.Zoom)); ++x) {
      t.At(x, y) = c;
    }
  }
}

float HeadingTo(float x0, float y0, float x1, float y1) {
  return std::atan2(-(y1 - y0), x1 - x0) * 180.0f / 3.14159265f;
}

struct Scene {
  const std::map<std::string, Texture>& Tex;
  const Texture& Get(const char* name) const { return Tex.at(name); }

  void Base(Target& t, const View& v, float x, float y, float turret) const {
    const Color white{1, 1, 1, 1};
    DrawQuad(t, v, Get("char.tga"), x, y, 64, 0, white, false);
    DrawQuad(t, v, Get("ch_0.tga"), x, y, 44, turret, white, false);
    DrawQuad(t, v, Get("ch_1.tga"), x, y, 44, 0, white, false);
    DrawQuad(t, v, Get("ch_2.tga"), x, y, 64, turret, white, false);
  }
  void Tank(Target& t, const View& v, float x, float y, float hull, float baseX, float baseY) const {
    const Color white{1, 1, 1, 1};
    const float turret = HeadingTo(x, y, baseX, baseY);
    DrawQuad(t, v, Get("monst_0.tga"), x, y, 128, hull, white, false);
    DrawQuad(t, v, Get("monst_2.tga"), x, y, 128, turret, white, false);
    DrawQuad(t, v, Get("monst_3.tga"), x, y, 128, 0, white, false);
    DrawQuad(t, v, Get("monst_4.tga"), x, y, 128, turret, white, false);
  }
  // An explosion as its particles look after (100 - life) frames, started at x, y.
  // At 60 frames per second smoke fades by 0.42 a frame and drifts 0.18 pixels.
  void Explosion(Target& t, const View& v, float x, float y, float life, uint64_t seed) const {
    const float frames = 100 - life, smokeLife = 100 - 0.42f * frames;
    Rng rng(seed);
    for (int i = 0; i < 10; ++i) {
      const float ox = static_cast<float>(rng.Int(10) - 5), oy = static_cast<float>(rng.Int(10) - 5);
      const float drift = 0.18f * frames;
      const float px = x + ox + (ox < 0 ? -drift : drift), py = y + oy + (oy < 0 ? -drift : drift);
      const float s = (130 - smokeLife) / 60;
      DrawQuad(t, v, Get("smoke.tga"), px, py, 64 * s, static_cast<float>(rng.Int(360)), {1, 1, 1, smokeLife / 200},
               false);
    }
    Rng fire(seed + 1);
    for (int i = 0; i < 5; ++i) {
      const float px = x + fire.Int(60) - 30, py = y + fire.Int(60) - 30;
      const float s = (150 - life) / 70;
      DrawQuad(t, v, Get("expl.tga"), px, py, 64 * s, static_cast<float>(fire.Int(360)), {1, 1, 1, life / 100}, true);
    }
  }
  void Battle(Target& t, const View& v) const {
    DrawGround(t, v, Get("bg2.tga"));
    const float bx = 400, by = 300, mx = 590, my = 170;
    Base(t, v, bx, by, HeadingTo(bx, by, mx, my));
    const float tanks[][3] = {{150, 140, 20}, {650, 430, 200}, {250, 470, 300}, {560, 110, 135}, {90, 330, 270}};
    for (const auto& k : tanks) {
      Tank(t, v, k[0], k[1], k[2], bx, by);
      DrawRect(t, v, k[0] + 40 - 2.5f, k[1] - 60 - 2.5f, k[0] + 40 + 2.5f, k[1] - 60 + 2.5f, {1, 1, 1, 1});
    }
    DrawQuad(t, v, Get("fireball.tga"), 470, 250, 16, 30, {1, 1, 1, 1}, true);
    DrawQuad(t, v, Get("fireball.tga"), 530, 205, 16, 75, {1, 1, 1, 1}, true);
    Explosion(t, v, 610, 160, 88, 7);
    Explosion(t, v, 300, 400, 40, 8);
    Explosion(t, v, 700, 300, 12, 9);
    // The health bar in the bottom-left corner.
    DrawRect(t, v, 8, 600 - 102, 32, 600 - 8, {1, 1, 0, 1});
    DrawRect(t, v, 10, 600 - 70, 30, 600 - 10, {1, 0, 0, 1});
  }
};

std::vector<uint8_t> ToBytes(const Target& t) {
  std::vector<uint8_t> out(static_cast<size_t>(t.W) * t.H * 4);
  for (size_t i = 0; i < t.Px.size(); ++i) {
    const Color& c = t.Px[i];
    out[i * 4 + 0] = static_cast<uint8_t>(std::lround(Clamp01(c.r) * 255));
    out[i * 4 + 1] = static_cast<uint8_t>(std::lround(Clamp01(c.g) * 255));
    out[i * 4 + 2] = static_cast<uint8_t>(std::lround(Clamp01(c.b) * 255));
    out[i * 4 + 3] = 255;
  }
  return out;
}

}  // namespace

bool WriteContactSheets(const std::map<std::string, Texture>& textures, const std::string& dir) {
  namespace fs = std::filesystem;
  const Scene scene{textures};

  Target battle(800, 600);
  scene.Battle(battle, View{});
  bool ok = WritePng((fs::path(dir) / "sheet_battle.png").string(), ToBytes(battle), 800, 600);

  // Close-ups: the battle around the base at 3x, and each sprite alone at 3x.
  Target zoom(960, 720);
  scene.Battle(zoom, View{3, 400 - 160, 300 - 120});
  ok = ok && WritePng((fs::path(dir) / "sheet_base_zoom.png").string(), ToBytes(zoom), 960, 720);

  // Each sprite alone, then the base and tanks put together, turned every which way.
  struct Cell {
    const char* File;
    float Size;     // drawn size of the quad
    float Content;  // how much of it the cell must show
    bool Additive;
  };
  const Cell cells[] = {{"char.tga", 64, 64, false},      {"ch_0.tga", 44, 44, false},     {"ch_1.tga", 44, 44, false},
                        {"ch_2.tga", 64, 64, false},      {"monst_0.tga", 128, 100, false}, {"monst_1.tga", 128, 100, false},
                        {"monst_2.tga", 128, 110, false}, {"monst_3.tga", 128, 40, false},  {"monst_4.tga", 128, 40, false},
                        {"fireball.tga", 16, 16, true},   {"expl.tga", 137, 137, true},      {"smoke.tga", 139, 139, false}};
  const int cols = 4, cell = 300, count = 16;
  Target sheet(cols * cell, count / cols * cell);
  for (int i = 0; i < count; ++i) {
    const float content = i < 12 ? cells[i].Content : i == 12 ? 70 : 110;
    const float zoom = std::min(8.0f, cell * 0.95f / content);
    const float cx = 400, cy = 300;
    View v{zoom, cx - cell / 2.0f / zoom, cy - cell / 2.0f / zoom};
    Target one(cell, cell);
    DrawGround(one, v, textures.at("bg2.tga"));
    if (i < 12) {
      DrawQuad(one, v, textures.at(cells[i].File), cx, cy, cells[i].Size, 0, {1, 1, 1, 1}, cells[i].Additive);
    } else if (i == 12) {
      scene.Base(one, v, cx, cy, 30);
    } else {
      const float hull[] = {0, 35, 200}, aim[][2] = {{500, 300}, {350, 200}, {300, 380}};
      scene.Tank(one, v, cx, cy, hull[i - 13], aim[i - 13][0], aim[i - 13][1]);
    }
    for (int y = 0; y < cell; ++y) {
      for (int x = 0; x < cell; ++x) sheet.At((i % cols) * cell + x, (i / cols) * cell + y) = one.At(x, y);
    }
  }
  ok = ok && WritePng((fs::path(dir) / "sheet_sprites.png").string(), ToBytes(sheet), sheet.W, sheet.H);
  return ok;
}
