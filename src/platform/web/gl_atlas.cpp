// One large texture that holds the game's small smooth textures side by side, so that
// sprites of different pictures are drawn by one program sampling one texture: a software
// renderer pays for every texture unit a program looks through, on every pixel. Each
// picture lies in its slot with a border of one texel that repeats what its wrap mode
// would sample beyond its edge, so that linear filtering over the slot samples what it
// sampled over the picture's own texture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/web/gl_compat.h"
#include "platform/web/gl_compat_state.h"

namespace GlCompat {

namespace {

GLuint g_texture = 0;
int g_side = 0;
int g_shelfX = 0, g_shelfY = 0, g_shelfHeight = 0;

int Side() {
  if (g_side == 0) {
    GLint most = 0;
    GetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
    g_side = most >= 2048 ? 2048 : 1024;
  }
  return g_side;
}

}  // namespace

bool PlaceInAtlas(int width, int height, AtlasSlot& slot) {
  const int side = Side();
  const int w = width + 2, h = height + 2;  // with the border
  if (w > side || h > side) return false;
  if (g_shelfX + w > side) {
    g_shelfX = 0;
    g_shelfY += g_shelfHeight;
    g_shelfHeight = 0;
  }
  if (g_shelfY + h > side) return false;
  slot.X = g_shelfX;
  slot.Y = g_shelfY;
  slot.Width = width;
  slot.Height = height;
  g_shelfX += w;
  if (h > g_shelfHeight) g_shelfHeight = h;
  return true;
}

void FillAtlasSlot(const AtlasSlot& slot, const uint8_t* rgba, bool repeatS, bool repeatT) {
  if (Lost()) return;
  const int w = slot.Width, h = slot.Height, bw = w + 2, bh = h + 2;
  // Texel (i, j) of the bordered picture is texel (i - 1, j - 1) of the picture, wrapped.
  auto wrap = [](int i, int n, bool repeat) { return i < 0 ? (repeat ? n - 1 : 0) : (i >= n ? (repeat ? 0 : n - 1) : i); };
  std::vector<uint8_t> bordered(static_cast<size_t>(bw) * bh * 4);
  for (int j = 0; j < bh; ++j) {
    const int y = wrap(j - 1, h, repeatT);
    for (int i = 0; i < bw; ++i) {
      const int x = wrap(i - 1, w, repeatS);
      const uint8_t* from = rgba + (static_cast<size_t>(y) * w + x) * 4;
      uint8_t* to = &bordered[(static_cast<size_t>(j) * bw + i) * 4];
      for (int c = 0; c < 4; ++c) to[c] = from[c];
    }
  }
  if (g_texture == 0) {
    ::glGenTextures(1, &g_texture);
    ::glBindTexture(GL_TEXTURE_2D, g_texture);
    ::glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, Side(), Side(), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    ::glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  ::glBindTexture(GL_TEXTURE_2D, g_texture);
  ::glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ::glTexSubImage2D(GL_TEXTURE_2D, 0, slot.X, slot.Y, bw, bh, GL_RGBA, GL_UNSIGNED_BYTE, bordered.data());
}

GLuint AtlasTexture() { return g_texture; }

GLfloat AtlasSide() { return static_cast<GLfloat>(Side()); }

void ResetAtlas() {
  g_texture = 0;
  g_shelfX = g_shelfY = g_shelfHeight = 0;
}

}  // namespace GlCompat
