#include "platform/sdl/sdl_font_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/cp1251.h"

namespace {

// The face the game asks for, then faces that look alike; each must be monospaced
// and carry the Russian alphabet.
const char* const kFacePatterns[] = {"Courier New:bold", "Liberation Mono:bold", "DejaVu Sans Mono:bold",
                                     "monospace:bold"};

std::string FindFontFile() {
  if (!FcInit()) return {};
  std::string found;
  for (const char* request : kFacePatterns) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
    if (pattern == nullptr) continue;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) continue;
    FcChar8* file = nullptr;
    int spacing = 0;
    FcCharSet* charset = nullptr;
    const bool mono = FcPatternGetInteger(match, FC_SPACING, 0, &spacing) == FcResultMatch && spacing == FC_MONO;
    const bool cyrillic = FcPatternGetCharSet(match, FC_CHARSET, 0, &charset) == FcResultMatch &&
                          FcCharSetHasChar(charset, 0x044F) && FcCharSetHasChar(charset, 0x0410);
    if (mono && cyrillic && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      found = reinterpret_cast<const char*>(file);
    }
    FcPatternDestroy(match);
    if (!found.empty()) break;
  }
  return found;
}

// Mesa drops the advance of an empty bitmap inside a display list, so glyphs without
// pixels (the space, codes without a glyph) carry one blank pixel instead.
GlyphBitmap Blank(int advance) { return GlyphBitmap{1, 1, 0, 0, advance, {0}}; }

// glBitmap wants rows from the bottom up; FreeType gives them from the top down.
std::vector<uint8_t> FlipRows(const FT_Bitmap& bm) {
  const unsigned stride = (bm.width + 7) / 8;
  std::vector<uint8_t> rows(static_cast<size_t>(stride) * bm.rows);
  for (unsigned r = 0; r < bm.rows; ++r) {
    const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(r) * bm.pitch;
    std::copy(src, src + stride, rows.begin() + static_cast<ptrdiff_t>((bm.rows - 1 - r) * stride));
  }
  return rows;
}

}  // namespace

std::vector<GlyphBitmap> RasteriseCp1251Font(int count, int charHeight) {
  std::vector<GlyphBitmap> glyphs;
  const std::string file = FindFontFile();
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  if (file.empty() || FT_Init_FreeType(&library) != 0) return glyphs;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0) {
    FT_Done_FreeType(library);
    return glyphs;
  }
  // A Windows font height of -18 asks for an 18-pixel em, which is FreeType's pixel size.
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(charHeight));
  FT_Load_Char(face, ' ', FT_LOAD_DEFAULT);
  const int cellAdvance = static_cast<int>(face->glyph->advance.x >> 6);
  for (int code = 0; code < count; ++code) {
    const uint32_t unicode = Cp1251ToUnicode(static_cast<uint8_t>(code));
    const bool printable = unicode >= 0x20 && unicode != 0x7F;
    if (printable && FT_Load_Char(face, unicode, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
      const FT_GlyphSlot g = face->glyph;
      std::vector<uint8_t> rows = FlipRows(g->bitmap);
      const int advance = static_cast<int>(g->advance.x >> 6);
      if (rows.empty()) {
        glyphs.push_back(Blank(advance));
      } else {
        glyphs.push_back(GlyphBitmap{static_cast<int32_t>(g->bitmap.width), static_cast<int32_t>(g->bitmap.rows),
                                     -g->bitmap_left, static_cast<int32_t>(g->bitmap.rows) - g->bitmap_top, advance,
                                     std::move(rows)});
      }
    } else {
      glyphs.push_back(Blank(cellAdvance));
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return glyphs;
}
