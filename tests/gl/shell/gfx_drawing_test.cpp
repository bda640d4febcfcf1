// The bitmap font, read back from the offscreen frame.
#include "gl/screens_fixture.h"

TEST(Drawing, TextStandsOnItsBaselineBelowTheTopEveryRussianLetterDrawsAndAnEmptyTextNothing) {
  ResetTestGfx();
  ZrGfx& g = TestGfx();
  auto print = [&g](int x, int y, const char* text) {
    glClear(GL_COLOR_BUFFER_BIT);
    g.Begin2D();
    glColor3f(1, 1, 1);
    g.PrintAt(x, y, text);
    g.End2D();
  };
  print(10, 20, "H H");
  // H stands on the baseline, 20 below the top, a capital of an 18-pixel face high.
  EXPECT_EQ(CountLitPixels(0, 0, 800, 580) + CountLitPixels(0, 595, 800, 5) + CountLitPixels(0, 0, 10, 600), 0);
  EXPECT_TRUE(CountLitPixels(0, 580, 800, 1) > 0 && CountLitPixels(0, 589, 800, 1) > 0);
  EXPECT_GT(CountLitPixels(10, 580, 4, 10), 0);
  EXPECT_GT(CountLitPixels(35, 580, 20, 10), 0);  // the space advances by a whole cell

  std::vector<int> codes = {0xA8, 0xB8};  // Ё ё
  for (int c = 0xC0; c <= 0xFF; ++c) codes.push_back(c);  // А..я, я (255) included
  for (int code : codes) {
    const char text[2] = {static_cast<char>(code), 0};
    print(100, 100, text);
    EXPECT_GT(CountLitPixels(95, 480, 30, 40), 10) << "code " << code;
  }

  print(30, 40, "");
  GLint raster[4];
  glGetIntegerv(GL_CURRENT_RASTER_POSITION, raster);
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  EXPECT_TRUE(raster[0] == 30 && raster[1] == 600 - 40);
}
