// glBitmap as the browser can draw it: every bitmap the program hands over becomes a
// slot of one font texture, white where a bit is set and clear elsewhere, and the bitmaps
// of a text are drawn as quads of that texture in window pixels, alpha-tested, in the
// colour the raster position took. Each quad covers exactly the pixels the bitmap would.
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

struct Quad {
  GLfloat X0, Y0, X1, Y1;  // window pixels
  GLfloat S0, T0, S1, T1;
  GLfloat Color[4];
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
std::vector<Quad> g_batch;

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
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  ::glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSide, kTextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, g_pixels.data());
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, Client().UnpackAlignment);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  g_textureStale = false;
}

// p = m * v for a column-major 4 x 4 matrix.
void Transform(const GLfloat m[16], const GLfloat v[4], GLfloat p[4]) {
  for (int r = 0; r < 4; ++r) p[r] = m[r] * v[0] + m[4 + r] * v[1] + m[8 + r] * v[2] + m[12 + r] * v[3];
}

bool SameColour(const GLfloat a[4], const GLfloat b[4]) {
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

void DrawQuads(size_t begin, size_t end) {
  ::glBegin(GL_QUADS);
  for (size_t i = begin; i < end; ++i) {
    const Quad& q = g_batch[i];
    ::glTexCoord2f(q.S0, q.T0);
    ::glVertex2f(q.X0, q.Y0);
    ::glTexCoord2f(q.S1, q.T0);
    ::glVertex2f(q.X1, q.Y0);
    ::glTexCoord2f(q.S1, q.T1);
    ::glVertex2f(q.X1, q.Y1);
    ::glTexCoord2f(q.S0, q.T1);
    ::glVertex2f(q.X0, q.Y1);
  }
  ::glEnd();
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

void RasterPos2f(GLfloat x, GLfloat y) {
  GLfloat modelview[16], projection[16];
  ::glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  ::glGetFloatv(GL_PROJECTION_MATRIX, projection);
  const GLfloat object[4] = {x, y, 0, 1};
  GLfloat eye[4], clip[4];
  Transform(modelview, object, eye);
  Transform(projection, eye, clip);
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
  if (g.Width > 0 && g.Height > 0) {
    const GLfloat x0 = std::floor(g_raster.X - g.XOrig), y0 = std::floor(g_raster.Y - g.YOrig);
    const GLfloat side = kTextureSide;
    Quad q{x0, y0, x0 + static_cast<GLfloat>(g.Width), y0 + static_cast<GLfloat>(g.Height),
           static_cast<GLfloat>(g.SlotX) / side, static_cast<GLfloat>(g.SlotY) / side,
           static_cast<GLfloat>(g.SlotX + g.Width) / side, static_cast<GLfloat>(g.SlotY + g.Height) / side,
           {g_raster.Color[0], g_raster.Color[1], g_raster.Color[2], g_raster.Color[3]}};
    g_batch.push_back(q);
  }
  g_raster.X += g.XMove;
  g_raster.Y += g.YMove;
}

void FlushText() {
  if (g_batch.empty()) return;
  ServerState& s = Server();
  const ServerState saved = s;
  if (g_textureStale) UploadTexture();

  const GLint* vp = s.ViewportBox;
  ::glMatrixMode(GL_PROJECTION);
  ::glPushMatrix();
  ::glLoadIdentity();
  ::glOrtho(vp[0], vp[0] + vp[2], vp[1], vp[1] + vp[3], -1, 1);
  ::glMatrixMode(GL_MODELVIEW);
  ::glPushMatrix();
  ::glLoadIdentity();

  ::glBindTexture(GL_TEXTURE_2D, g_texture);
  ::glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  ::glEnable(GL_TEXTURE_2D);
  ::glAlphaFunc(GL_GREATER, 0.5f);
  ::glEnable(GL_ALPHA_TEST);
  // One primitive per run of one colour: the emulation of immediate mode takes a colour
  // between glBegin and glEnd only for every vertex or none.
  for (size_t i = 0; i < g_batch.size();) {
    const GLfloat* colour = g_batch[i].Color;
    size_t end = i + 1;
    while (end < g_batch.size() && SameColour(g_batch[end].Color, colour)) ++end;
    ::glColor4f(colour[0], colour[1], colour[2], colour[3]);
    DrawQuads(i, end);
    i = end;
  }
  g_batch.clear();

  // Everything as the program left it.
  ::glPopMatrix();
  ::glMatrixMode(GL_PROJECTION);
  ::glPopMatrix();
  ::glMatrixMode(saved.MatrixModeName);
  SetEnabled(GL_ALPHA_TEST, saved.AlphaTest);
  ::glAlphaFunc(saved.AlphaFuncName, saved.AlphaRef);
  SetEnabled(GL_TEXTURE_2D, saved.Texture2D);
  ::glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, saved.TexEnvMode);
  ::glBindTexture(GL_TEXTURE_2D, saved.Texture);
  ::glColor4f(saved.Color[0], saved.Color[1], saved.Color[2], saved.Color[3]);
}

void ResetText() {
  g_glyphs.clear();
  g_pixels.clear();
  g_shelfX = g_shelfY = g_shelfHeight = 0;
  g_texture = 0;  // went with the old context
  g_textureStale = true;
  g_raster = Raster{};
  g_batch.clear();
}

}  // namespace GlCompat
