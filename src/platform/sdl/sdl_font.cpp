// The game's bitmap font on Linux: one glBitmap display list per Windows-1251 code, from
// the glyphs FreeType draws.
#include "platform/platform.h"
#include "platform/sdl/sdl_font_raster.h"
#include "platform/glyph_font.h"

namespace Platform {

void BuildFontLists(ZrWnd, uint32_t listBase, int count, int charHeight) {
  if (listBase == 0) return;
  const std::vector<GlyphBitmap> glyphs = RasteriseCp1251Font(count, charHeight);
  if (glyphs.empty()) return;
  CompileGlyphLists(listBase, glyphs, count);
}

}  // namespace Platform
