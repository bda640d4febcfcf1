// The bitmap font, read back from the offscreen frame.
#include <gtest/gtest.h>

#include <vector>

#include "gl/gl_fixture.h"
#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"

namespace {

struct Drawing : ::testing::Test {
  void SetUp() override {
    ResetTestGfx();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
};

}  // namespace

TEST_F(Drawing, PrintAtPutsTheBaselineBelowTheTop) {
  ZrGfx& g = TestGfx();
  g.Begin2D();
  glColor3f(1, 1, 1);
  g.PrintAt(10, 20, "H H");
  g.End2D();
  // H stands on the baseline, 20 below the top, a capital of an 18-pixel face high.
  EXPECT_EQ(CountLitPixels(0, 0, 800, 580), 0);
  EXPECT_GT(CountLitPixels(0, 580, 800, 1), 0);
  EXPECT_GT(CountLitPixels(0, 589, 800, 1), 0);
  EXPECT_EQ(CountLitPixels(0, 595, 800, 5) + CountLitPixels(0, 0, 10, 600), 0);
  EXPECT_GT(CountLitPixels(10, 580, 4, 10), 0);
  EXPECT_GT(CountLitPixels(35, 580, 20, 10), 0);  // the space advances by a whole cell
}

TEST_F(Drawing, EveryRussianLetterDrawsAndAnEmptyTextDrawsNothing) {
  ZrGfx& g = TestGfx();
  std::vector<int> codes = {0xA8, 0xB8};  // Ё ё
  for (int c = 0xC0; c <= 0xFF; ++c) codes.push_back(c);  // А..я, я (255) included
  for (int code : codes) {
    glClear(GL_COLOR_BUFFER_BIT);
    g.Begin2D();
    glColor3f(1, 1, 1);
    const char text[2] = {static_cast<char>(code), 0};
    g.PrintAt(100, 100, text);
    g.End2D();
    EXPECT_GT(CountLitPixels(95, 480, 30, 40), 10) << "code " << code;
  }

  glClear(GL_COLOR_BUFFER_BIT);
  g.Begin2D();
  g.PrintAt(30, 40, "");
  GLint raster[4];
  glGetIntegerv(GL_CURRENT_RASTER_POSITION, raster);
  g.End2D();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  EXPECT_TRUE(raster[0] == 30 && raster[1] == 600 - 40);
}
