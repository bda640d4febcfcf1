// The game's font rasterised on Linux: a bold monospaced face found through fontconfig,
// drawn in monochrome by FreeType, one bitmap per Windows-1251 code.
#pragma once

#include <vector>

#include "platform/glyph_font.h"

// count glyphs of the given character height, code k at index k; empty when no face
// with the Russian alphabet is found or FreeType fails.
std::vector<GlyphBitmap> RasteriseCp1251Font(int count, int charHeight);
