// The browser build's font file: what is written reads back, and a spoilt file is refused
// rather than read past its end.
#include <gtest/gtest.h>

#include "platform/glyph_font.h"

TEST(GlyphFont, ReadsBackWhatWasWrittenAndRefusesASpoiltFile) {
  const std::vector<GlyphBitmap> glyphs = {{9, 2, -1, 3, 11, {0xFF, 0x80, 0x01, 0x00}}, {1, 1, 0, 0, 11, {0}}};
  const std::string file = EncodeGlyphFont(18, glyphs);
  int32_t height = 0;
  std::vector<GlyphBitmap> back;
  ASSERT_TRUE(DecodeGlyphFont(file, height, back));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_TRUE(height == 18 && back[0].XOrig == -1 && back[0].YOrig == 3 && back[0].Advance == 11);
  EXPECT_EQ(back[0].Bits, glyphs[0].Bits);
  for (size_t cut = 0; cut < file.size(); ++cut) EXPECT_FALSE(DecodeGlyphFont(file.substr(0, cut), height, back)) << cut;
  EXPECT_FALSE(DecodeGlyphFont(file + "x", height, back));
  std::string wrongMagic = file;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(DecodeGlyphFont(wrongMagic, height, back));
}
