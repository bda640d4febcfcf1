// The font's display lists, made from its glyphs however they were had: rasterised at
// start on the desktop, read from the font file in a browser.
#include "platform/glyph_font.h"
#include "platform/zr_gl.h"

void CompileGlyphLists(uint32_t listBase, const std::vector<GlyphBitmap>& glyphs, int count) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int code = 0; code < count && code < static_cast<int>(glyphs.size()); ++code) {
    const GlyphBitmap& g = glyphs[static_cast<size_t>(code)];
    glNewList(listBase + static_cast<GLuint>(code), GL_COMPILE);
    glBitmap(g.Width, g.Rows, static_cast<GLfloat>(g.XOrig), static_cast<GLfloat>(g.YOrig),
             static_cast<GLfloat>(g.Advance), 0, g.Bits.data());
    glEndList();
  }
  glPopClientAttrib();
}
