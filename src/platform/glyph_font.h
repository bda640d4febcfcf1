// The game's bitmap font as data: one bitmap per Windows-1251 code, in the terms of
// glBitmap. The desktop rasterises it at start; the web build, which has no font
// rasteriser, reads the same glyphs from a file made on the desktop at build time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GlyphBitmap {
  int32_t Width = 0;   // pixels
  int32_t Rows = 0;
  int32_t XOrig = 0;   // glBitmap's origin: the raster position lies XOrig, YOrig into the bitmap
  int32_t YOrig = 0;
  int32_t Advance = 0;  // pixels the raster position moves on
  std::vector<uint8_t> Bits;  // rows from the bottom up, (Width + 7) / 8 bytes each, most significant bit first
};

// The file: "ZRFONT1\n", the character height and the glyph count as 32-bit little-endian
// words, then per glyph Width, Rows, XOrig, YOrig, Advance (16-bit little-endian, signed)
// and its Bits.
std::string EncodeGlyphFont(int32_t charHeight, const std::vector<GlyphBitmap>& glyphs);
// False when the bytes are no such file, or a glyph's bits run past its end.
bool DecodeGlyphFont(const std::string& bytes, int32_t& charHeight, std::vector<GlyphBitmap>& glyphs);

// Compiles list listBase + k to draw glyph k at the raster position and move it on by the
// glyph's advance, for the first count glyphs. Needs the GL context.
void CompileGlyphLists(uint32_t listBase, const std::vector<GlyphBitmap>& glyphs, int count);
