// The browser build's GL compatibility layer, run over desktop GL: its lists, text and
// attribute stack must do what desktop GL does with the same calls.
#include <gtest/gtest.h>

#include <string>

#include "gl/gl_fixture.h"
#include "platform/cp1251.h"
#include "platform/sdl/sdl_font_raster.h"
#include "platform/web/gl_compat.h"
#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"

namespace {

// The layer follows the state it is told of; the tests start it from the fixture's.
void StartCompat() {
  GlCompat::Reset();
  GlCompat::Viewport(0, 0, 800, 600);
  GlCompat::Disable(GL_TEXTURE_2D);
  GlCompat::Disable(GL_BLEND);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

TEST(GlCompat, TextFromRecordedBitmapListsIsTheDesktopsGlBitmapTextPixelForPixel) {
  ResetTestGfx();
  ZrGfx& g = TestGfx();
  const std::string text = Utf8ToCp1251("Играть | Рекорды: 1234, \"Беркут-9\" {}");
  auto draw = [&g, &text](bool compat, uint32_t base) {
    glClear(GL_COLOR_BUFFER_BIT);
    g.Begin2D();
    if (!compat) {
      glColor3f(1, 0, 0);
      g.PrintAt(20, 40, text.c_str());
    } else {
      GlCompat::Color3f(1, 0, 0);
      GlCompat::RasterPos2i(20, 600 - 40);
      GlCompat::PushAttrib(GL_LIST_BIT);
      GlCompat::ListBase(base);
      GlCompat::CallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
      GlCompat::PopAttrib();
    }
    g.End2D();
    return ReadRect(0, 0, 800, 600);
  };
  const std::vector<uint8_t> desktop = draw(false, 0);

  StartCompat();
  const std::vector<GlyphBitmap> glyphs = RasteriseCp1251Font(ZrGfx::FontGlyphs, ZrGfx::FontCharHeight);
  ASSERT_EQ(glyphs.size(), static_cast<size_t>(ZrGfx::FontGlyphs));
  const GLuint base = GlCompat::GenLists(ZrGfx::FontGlyphs);
  GlCompat::PushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  GlCompat::PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int code = 0; code < ZrGfx::FontGlyphs; ++code) {
    const GlyphBitmap& b = glyphs[static_cast<size_t>(code)];
    GlCompat::NewList(base + static_cast<GLuint>(code), GL_COMPILE);
    GlCompat::Bitmap(b.Width, b.Rows, static_cast<GLfloat>(b.XOrig), static_cast<GLfloat>(b.YOrig),
                     static_cast<GLfloat>(b.Advance), 0, b.Bits.data());
    GlCompat::EndList();
  }
  GlCompat::PopClientAttrib();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);  // recording draws nothing

  const std::vector<uint8_t> browser = draw(true, base);
  EXPECT_GT(CountColour(0, 540, 800, 30, 255, 0, 0), 300);
  EXPECT_TRUE(browser == desktop);
  // What the text set is given back: no texture, no alpha test, the colour it found.
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_ALPHA_TEST));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_TRUE(colour[0] == 1 && colour[1] == 0 && colour[2] == 0);
  GlCompat::Reset();
}

TEST(GlCompat, ListsReplayTheirCallsAndTheAttributeStackPutsBackWhatItSaved) {
  ResetTestGfx();
  ZrGfx& g = TestGfx();
  StartCompat();
  const GLuint list = GlCompat::GenLists(2);
  auto square = [](float x) {
    GlCompat::Begin(GL_QUADS);
    GlCompat::Vertex2f(x, 10);
    GlCompat::Vertex2f(x + 20, 10);
    GlCompat::Vertex2f(x + 20, 30);
    GlCompat::Vertex2f(x, 30);
    GlCompat::End();
  };
  GlCompat::NewList(list + 1, GL_COMPILE);
  square(100);
  GlCompat::EndList();
  GlCompat::NewList(list, GL_COMPILE);
  GlCompat::Color3f(0, 1, 0);
  square(10);
  GlCompat::CallList(list + 1);  // a list calling a list
  GlCompat::EndList();
  g.Begin2D();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  GlCompat::CallList(list);
  EXPECT_EQ(CountColour(10, 10, 20, 20, 0, 255, 0), 400);
  EXPECT_EQ(CountColour(100, 10, 20, 20, 0, 255, 0), 400);
  glClear(GL_COLOR_BUFFER_BIT);
  GlCompat::DeleteLists(list, 2);
  GlCompat::CallList(list);
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  g.End2D();

  GLuint texture = 0;
  glGenTextures(1, &texture);
  GlCompat::Enable(GL_BLEND);
  GlCompat::BlendFunc(GL_SRC_ALPHA, GL_ONE);
  GlCompat::PushAttrib(GL_ALL_ATTRIB_BITS);
  GlCompat::Disable(GL_BLEND);
  GlCompat::BlendFunc(GL_ONE, GL_ZERO);
  GlCompat::Viewport(1, 2, 3, 4);
  GlCompat::Enable(GL_TEXTURE_2D);
  GlCompat::BindTexture(GL_TEXTURE_2D, texture);
  GlCompat::TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  // A picture of 3 x 3 becomes the nearest power of two, 4 x 4; GL_CLAMP clamps to the edge.
  const uint8_t pixels[27] = {};
  GlCompat::PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  GlCompat::Build2DMipmaps(GL_TEXTURE_2D, 3, 3, 3, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  GlCompat::TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  GLint side = 0, wrap = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_TRUE(side == 4 && wrap == GL_CLAMP_TO_EDGE);
  GlCompat::PopAttrib();

  GLint viewport[4], dst = 0, bound = -1, env = 0;
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_BLEND_DST, &dst);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && !glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(dst == GL_ONE && bound == 0 && env == GL_MODULATE);
  EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 800 && viewport[3] == 600);

  // Only the groups pushed come back.
  GlCompat::PushAttrib(GL_LIST_BIT);
  GlCompat::Disable(GL_BLEND);
  GlCompat::PopAttrib();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GlCompat::PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glDeleteTextures(1, &texture);
  GlCompat::Reset();
}
