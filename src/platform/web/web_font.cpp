// The game's bitmap font in the browser, which has no font rasteriser of its own: the
// glyphs FreeType drew on the desktop at build time, from the file beside the pictures,
// compiled into the same glBitmap display lists.
#include <cstdio>
#include <string>

#include "platform/glyph_font.h"
#include "platform/platform.h"

namespace {

constexpr const char* kFontFile = "data/font.zrf";

std::string ReadAll(const std::string& path) {
  std::string bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return bytes;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  std::fclose(f);
  return bytes;
}

}  // namespace

namespace Platform {

void BuildFontLists(ZrWnd, uint32_t listBase, int count, int charHeight) {
  if (listBase == 0) return;
  int32_t height = 0;
  std::vector<GlyphBitmap> glyphs;
  if (!DecodeGlyphFont(ReadAll(NativePath(kFontFile)), height, glyphs) || height != charHeight) {
    std::fprintf(stderr, "Zr Ironfall: %s holds no font of %d pixels; the texts are not shown\n", kFontFile,
                 charHeight);
    return;
  }
  CompileGlyphLists(listBase, glyphs, count);
}

}  // namespace Platform
