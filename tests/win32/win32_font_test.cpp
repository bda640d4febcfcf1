#include <gtest/gtest.h>

#include <vector>

#include "win32_test_window.h"
#include "zr_gl.h"

namespace {

// Set pixels of the monochrome glyph GDI makes for one character of the selected font.
int GdiGlyphPixels(HDC dc, wchar_t ch, int* advance) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS gm{};
  const DWORD size = GetGlyphOutlineW(dc, ch, GGO_BITMAP, &gm, 0, nullptr, &identity);
  if (advance != nullptr) *advance = gm.gmCellIncX;
  if (size == GDI_ERROR || size == 0) return 0;
  std::vector<unsigned char> bits(size);
  GetGlyphOutlineW(dc, ch, GGO_BITMAP, &gm, size, bits.data(), &identity);
  const unsigned stride = (gm.gmBlackBoxX + 31) / 32 * 4;  // rows are DWORD-aligned
  int count = 0;
  for (unsigned y = 0; y < gm.gmBlackBoxY; ++y)
    for (unsigned x = 0; x < gm.gmBlackBoxX; ++x) count += (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
  return count;
}

int LitPixels(int x, int y, int w, int h) {
  std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int lit = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0;
  return lit;
}

// Draws one glyph list white on black and counts what it lit.
int DrawnGlyphPixels(ZrGfx& gfx, unsigned char code) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  gfx.PrintAt(100, 300, std::string(1, static_cast<char>(code)).c_str());
  return LitPixels(60, 240, 100, 100);
}

}  // namespace

TEST(Win32Font, Windows1251CodesDrawCyrillicOnAnySystemLocale) {
  GameWindow window;
  ZrGfx& gfx = *window.Gfx;
  window.Drain();
  gfx.BuildFont();
  HDC dc = GetDC(window.Wnd());  // CS_OWNDC: the DC the font was selected into
  EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);

  gfx.Begin2D();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  // 0xC6 is Ж in Windows-1251 and Æ in Latin-1; 0xFF is я and ÿ.
  const int zhe = GdiGlyphPixels(dc, 0x0416, nullptr), ae = GdiGlyphPixels(dc, 0x00C6, nullptr);
  ASSERT_GT(zhe, 0);
  ASSERT_NE(zhe, ae) << "the face's Ж and Æ cannot be told apart by their pixels";
  EXPECT_EQ(DrawnGlyphPixels(gfx, 0xC6), zhe);
  EXPECT_EQ(DrawnGlyphPixels(gfx, 0xFF), GdiGlyphPixels(dc, 0x044F, nullptr));
  EXPECT_EQ(DrawnGlyphPixels(gfx, 'A'), GdiGlyphPixels(dc, L'A', nullptr));

  // An empty glyph still moves the pen: a space must leave a gap between words.
  int spaceAdvance = 0;
  GdiGlyphPixels(dc, L' ', &spaceAdvance);
  ASSERT_GT(spaceAdvance, 0);
  glRasterPos2i(100, 100);
  glCallList(gfx.FontBase + ' ');
  GLfloat pos[4] = {};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
  EXPECT_EQ(pos[0], 100.0f + spaceAdvance);
  gfx.End2D();
  gfx.KillFont();
}
