// Projections and the bitmap font, read back from the offscreen frame.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "gl_fixture.h"
#include "zr_gfx.h"
#include "zr_gl.h"

namespace {

struct Drawing : ::testing::Test {
  void SetUp() override {
    ResetTestGfx();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
};

// The bounding box of the lit pixels of the frame (y from the bottom).
struct Box {
  int left = INT_MAX, right = -1, bottom = INT_MAX, top = -1;
};
Box LitBox() {
  std::vector<uint8_t> rgb(800 * 600 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  Box b;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * 800 + x) * 3];
      if ((p[0] | p[1] | p[2]) == 0) continue;
      b.left = std::min(b.left, x);
      b.right = std::max(b.right, x);
      b.bottom = std::min(b.bottom, y);
      b.top = std::max(b.top, y);
    }
  return b;
}

}  // namespace

TEST_F(Drawing, ProjectionsAlternateAndASecondBegin2DChangesNothing) {
  ZrGfx& g = TestGfx();
  EXPECT_EQ(g.Projection, 1);
  g.Begin2D();
  EXPECT_EQ(g.Projection, 0);
  EXPECT_EQ(g.PrevProjection, 1);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_FLOAT_EQ(m[0], 2.0f / 800);  // one unit per pixel, origin bottom left
  EXPECT_FLOAT_EQ(m[5], 2.0f / 600);
  EXPECT_FLOAT_EQ(m[12], -1.0f);
  EXPECT_FLOAT_EQ(m[13], -1.0f);

  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  g.Begin2D();  // no End2D between: the projection stays, the matrix is pushed again
  GLint depth2 = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth2);
  EXPECT_EQ(depth2, depth + 1);
  EXPECT_EQ(g.Projection, 0);
  EXPECT_EQ(g.PrevProjection, 1);
  glPopMatrix();

  g.End2D();
  EXPECT_EQ(g.Projection, 1);
  EXPECT_EQ(g.PrevProjection, 1);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_FLOAT_EQ(m[11], -1.0f);  // perspective again
}

TEST_F(Drawing, PrintAtPutsTheBaselineBelowTheTop) {
  ZrGfx& g = TestGfx();
  g.Begin2D();
  glColor3f(1, 1, 1);
  g.PrintAt(10, 20, "H H");
  g.End2D();
  const Box b = LitBox();
  EXPECT_EQ(b.bottom, 600 - 20);  // H stands on the baseline
  EXPECT_GE(b.left, 10);
  EXPECT_LE(b.left, 13);
  EXPECT_GE(b.top - b.bottom, 9);  // a capital of an 18-pixel face
  EXPECT_LE(b.top - b.bottom, 14);
  EXPECT_GE(b.right - b.left, 25);  // the space advances by a whole cell
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
  EXPECT_EQ(raster[0], 30);
  EXPECT_EQ(raster[1], 600 - 40);
}
