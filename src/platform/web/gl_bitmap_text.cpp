// glBitmap as the browser can draw it: every bitmap the program hands over becomes a
// slot of one font texture, white where a bit is set and clear elsewhere, and each bitmap
// drawn joins the gathered drawing as a quad of that texture in window pixels,
// alpha-tested, in the colour the raster position took. Each quad covers exactly the
// pixels the bitmap would. The texture is made again from its pixels after a lost context.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

struct Glyph {
  GLsizei Width = 0, Height = 0;
  GLfloat XOrig = 0, YOrig = 0, XMove = 0, YMove = 0;
  int SlotX = 0, SlotY = 0;  // in the texture
};

constexpr int kTextureSide = 512;
constexpr int kGap = 1;  // between slots, so that no neighbour is ever sampled

std::vector<Glyph> g_glyphs;
std::vector<uint8_t> g_pixels;  // kTextureSide x kTextureSide RGBA, the slots' rows from the bottom up
int g_shelfX = 0, g_shelfY = 0, g_shelfHeight = 0;
GLuint g_texture = 0;
bool g_textureStale = true;

struct Raster {
  GLfloat X = 0, Y = 0;
  bool Valid = false;
  GLfloat Color[4] = {1, 1, 1, 1};
};
Raster g_raster;

// Room for a w x h slot; false when the texture is full.
bool Place(int w, int h, int& x, int& y) {
  if (w + kGap > kTextureSide || h + kGap > kTextureSide) return false;
  if (g_shelfX + w + kGap > kTextureSide) {
    g_shelfX = 0;
    g_shelfY += g_shelfHeight;
    g_shelfHeight = 0;
  }
  if (g_shelfY + h + kGap > kTextureSide) return false;
  x = g_shelfX;
  y = g_shelfY;
  g_shelfX += w + kGap;
  if (h + kGap > g_shelfHeight) g_shelfHeight = h + kGap;
  return true;
}

void UploadTexture() {
  if (g_texture == 0) ::glGenTextures(1, &g_texture);
  ::glBindTexture(GL_TEXTURE_2D, g_texture);
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ::glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSide, kTextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, g_pixels.data());
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  g_textureStale = false;
}

}  // namespace

int AddGlyph(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
             const GLubyte* bitmap, GLint alignment) {
  if (g_pixels.empty()) g_pixels.assign(static_cast<size_t>(kTextureSide) * kTextureSide * 4, 0);
  Glyph g{width > 0 ? width : 0, height > 0 ? height : 0, xorig, yorig, xmove, ymove, 0, 0};
  if (bitmap == nullptr || !Place(g.Width, g.Height, g.SlotX, g.SlotY)) g.Width = g.Height = 0;
  const int align = alignment == 1 || alignment == 2 || alignment == 4 || alignment == 8 ? alignment : 4;
  const int bytes = (g.Width + 7) / 8;
  const int stride = (bytes + align - 1) / align * align;
  for (int row = 0; row < g.Height; ++row) {
    for (int col = 0; col < g.Width; ++col) {
      if ((bitmap[row * stride + col / 8] & (0x80 >> (col % 8))) == 0) continue;
      uint8_t* px = &g_pixels[(static_cast<size_t>(g.SlotY + row) * kTextureSide + g.SlotX + col) * 4];
      px[0] = px[1] = px[2] = px[3] = 255;
    }
  }
  if (g.Width > 0 && g.Height > 0) g_textureStale = true;
  g_glyphs.push_back(g);
  return static_cast<int>(g_glyphs.size() - 1);
}

GLuint FontTexture() {
  if (g_textureStale && !g_pixels.empty() && !Lost()) UploadTexture();
  return g_texture;
}

void ForgetFontTexture() {
  g_texture = 0;
  g_textureStale = true;
}

void RasterPos2f(GLfloat x, GLfloat y) {
  GLfloat clip[4];
  ToClip(x, y, 0, clip);
  const GLint* vp = Server().ViewportBox;
  const GLfloat w = clip[3];
  // A position outside the view volume is invalid: the bitmaps drawn there are dropped.
  g_raster.Valid = w > 0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w;
  if (g_raster.Valid) {
    g_raster.X = static_cast<GLfloat>(vp[0]) + (clip[0] / w + 1) * 0.5f * static_cast<GLfloat>(vp[2]);
    g_raster.Y = static_cast<GLfloat>(vp[1]) + (clip[1] / w + 1) * 0.5f * static_cast<GLfloat>(vp[3]);
  }
  for (int i = 0; i < 4; ++i) g_raster.Color[i] = Server().Color[i];
}

void RasterPos2i(GLint x, GLint y) { RasterPos2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }

void DrawGlyph(int glyph) {
  if (!g_raster.Valid || glyph < 0 || glyph >= static_cast<int>(g_glyphs.size())) return;
  const Glyph& g = g_glyphs[static_cast<size_t>(glyph)];
  const GLint* vp = Server().ViewportBox;
  if (g.Width > 0 && g.Height > 0 && vp[2] > 0 && vp[3] > 0) {
    const GLfloat x0 = std::floor(g_raster.X - g.XOrig), y0 = std::floor(g_raster.Y - g.YOrig);
    const GLfloat x1 = x0 + static_cast<GLfloat>(g.Width), y1 = y0 + static_cast<GLfloat>(g.Height);
    const GLfloat side = kTextureSide;
    const GLfloat s0 = static_cast<GLfloat>(g.SlotX) / side, t0 = static_cast<GLfloat>(g.SlotY) / side;
    const GLfloat s1 = static_cast<GLfloat>(g.SlotX + g.Width) / side;
    const GLfloat t1 = static_cast<GLfloat>(g.SlotY + g.Height) / side;
    // Window pixels to clip coordinates.
    const GLfloat sx = 2 / static_cast<GLfloat>(vp[2]), sy = 2 / static_cast<GLfloat>(vp[3]);
    const GLfloat cx0 = (x0 - static_cast<GLfloat>(vp[0])) * sx - 1, cx1 = (x1 - static_cast<GLfloat>(vp[0])) * sx - 1;
    const GLfloat cy0 = (y0 - static_cast<GLfloat>(vp[1])) * sy - 1, cy1 = (y1 - static_cast<GLfloat>(vp[1])) * sy - 1;
    GLfloat mode[4];
    // A bitmap is not textured, whatever the texturing state: only its own mask counts.
    PrepareMode(FontTexture(), false, 0.5f, mode);
    const GLfloat* c = g_raster.Color;
    auto corner = [&](GLfloat x, GLfloat y, GLfloat s, GLfloat t) {
      return BatchVertex{{x, y, 0, 1}, {s, t}, {c[0], c[1], c[2], c[3]}, {mode[0], mode[1], mode[2], mode[3]}};
    };
    const BatchVertex quad[6] = {corner(cx0, cy0, s0, t0), corner(cx1, cy0, s1, t0), corner(cx1, cy1, s1, t1),
                                 corner(cx0, cy0, s0, t0), corner(cx1, cy1, s1, t1), corner(cx0, cy1, s0, t1)};
    AddTriangles(quad, 6);
  }
  g_raster.X += g.XMove;
  g_raster.Y += g.YMove;
}

void ResetText() {
  g_glyphs.clear();
  g_pixels.clear();
  g_shelfX = g_shelfY = g_shelfHeight = 0;
  g_texture = 0;  // went with the old context
  g_textureStale = true;
  g_raster = Raster{};
}

}  // namespace GlCompat
