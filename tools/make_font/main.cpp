// Writes the game's font as a file for the browser build, which has no font rasteriser:
// the Windows-1251 glyphs the Linux game draws, rasterised by the same code.
//   zr_make_font data/font.zrf
#include <cstdio>
#include <string>

#include "platform/glyph_font.h"
#include "platform/sdl/sdl_font_raster.h"
#include "shell/zr_gfx.h"

namespace {

constexpr int kGlyphs = ZrGfx::FontGlyphs;
constexpr int kCharHeight = ZrGfx::FontCharHeight;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const std::vector<GlyphBitmap> glyphs = RasteriseCp1251Font(kGlyphs, kCharHeight);
  if (glyphs.size() != kGlyphs) {
    std::fprintf(stderr, "%s: no bold monospaced face with the Russian alphabet was found\n", argv[0]);
    return 1;
  }
  const std::string bytes = EncodeGlyphFont(kCharHeight, glyphs);
  std::FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
