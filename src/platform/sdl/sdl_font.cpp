// The game's bitmap font on Linux: one glBitmap display list per Windows-1251 code, from
// the glyphs FreeType draws.
#include "platform/platform.h"
#include "platform/sdl/sdl_font_raster.h"
#include "platform/zr_gl.h"

namespace Platform {

void BuildFontLists(ZrWnd, uint32_t listBase, int count, int charHeight) {
  if (listBase == 0) return;
  const std::vector<GlyphBitmap> glyphs = RasteriseCp1251Font(count, charHeight);
  if (glyphs.empty()) return;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  for (int code = 0; code < count; ++code) {
    const GlyphBitmap& g = glyphs[static_cast<size_t>(code)];
    glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
    glBitmap(g.Width, g.Rows, static_cast<GLfloat>(g.XOrig), static_cast<GLfloat>(g.YOrig),
             static_cast<GLfloat>(g.Advance), 0, g.Bits.data());
    glEndList();
  }
  glPopClientAttrib();
}

}  // namespace Platform
