// The browser build's GL layer, run over desktop GL: what it draws from the game's calls
// must be what desktop GL draws from the same calls, in a handful of draw calls whatever
// the number of sprites, and again after a lost context.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gl/gl_fixture.h"
#include "platform/cp1251.h"
#include "platform/sdl/sdl_font_raster.h"
#include "platform/web/gl_compat.h"
#include "platform/zr_gl.h"
#include "shell/zr_gfx.h"

namespace {

// The calls a scene makes, from desktop GL or from the layer.
struct GlCalls {
  void (*Begin)(GLenum);
  void (*End)();
  void (*Vertex2f)(GLfloat, GLfloat);
  void (*TexCoord2f)(GLfloat, GLfloat);
  void (*Color4f)(GLfloat, GLfloat, GLfloat, GLfloat);
  void (*Enable)(GLenum);
  void (*Disable)(GLenum);
  void (*BlendFunc)(GLenum, GLenum);
  void (*BindTexture)(GLenum, GLuint);
  void (*PushMatrix)();
  void (*PopMatrix)();
  void (*Translatef)(GLfloat, GLfloat, GLfloat);
  void (*Rotatef)(GLfloat, GLfloat, GLfloat, GLfloat);
  void (*Scaled)(GLdouble, GLdouble, GLdouble);
  GLuint (*GenLists)(GLsizei);
  void (*NewList)(GLuint, GLenum);
  void (*EndList)();
  void (*CallList)(GLuint);
  void (*MatrixMode)(GLenum);
  void (*LoadIdentity)();
  void (*Ortho)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
  void (*GenTextures)(GLsizei, GLuint*);
  void (*TexParameteri)(GLenum, GLenum, GLint);
  GLint (*Build2DMipmaps)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
  void (*PointSize)(GLfloat);
  void (*LineWidth)(GLfloat);
  void (*Clear)(GLbitfield);
  void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
};

const GlCalls kDesktop{glBegin, glEnd, glVertex2f, glTexCoord2f, glColor4f, glEnable, glDisable, glBlendFunc,
                       glBindTexture, glPushMatrix, glPopMatrix, glTranslatef, glRotatef, glScaled, glGenLists,
                       glNewList, glEndList, glCallList, glMatrixMode, glLoadIdentity, glOrtho, glGenTextures,
                       glTexParameteri, gluBuild2DMipmaps, glPointSize, glLineWidth, glClear, glViewport};
const GlCalls kLayer{GlCompat::Begin, GlCompat::End, GlCompat::Vertex2f, GlCompat::TexCoord2f, GlCompat::Color4f,
                     GlCompat::Enable, GlCompat::Disable, GlCompat::BlendFunc, GlCompat::BindTexture,
                     GlCompat::PushMatrix, GlCompat::PopMatrix, GlCompat::Translatef, GlCompat::Rotatef,
                     GlCompat::Scaled, GlCompat::GenLists, GlCompat::NewList, GlCompat::EndList, GlCompat::CallList,
                     GlCompat::MatrixMode, GlCompat::LoadIdentity, GlCompat::Ortho, GlCompat::GenTextures,
                     GlCompat::TexParameteri, GlCompat::Build2DMipmaps, GlCompat::PointSize, GlCompat::LineWidth,
                     GlCompat::Clear, GlCompat::Viewport};

// A battle's way of drawing: a background, tanks of four turning layers, glowing
// fireballs, fading and scaled explosions, a health bar, a target point and a cross-hair.
struct Scene {
  GLuint Textures[6] = {};
  GLuint Quad = 0, Background = 0;

  void Load(const GlCalls& gl) {
    gl.GenTextures(6, Textures);
    for (int t = 0; t < 6; ++t) {
      const int side = t == 0 ? 100 : 32;  // the background no power of two, as the game's
      std::vector<uint8_t> pixels(static_cast<size_t>(side) * side * 4);
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          uint8_t* p = &pixels[(static_cast<size_t>(y) * side + x) * 4];
          p[0] = static_cast<uint8_t>((x * 37 + t * 60) & 255);
          p[1] = static_cast<uint8_t>((y * 23 + t * 90) & 255);
          p[2] = static_cast<uint8_t>(((x ^ y) * 11) & 255);
          const int dx = x - side / 2, dy = y - side / 2;
          p[3] = t == 0 ? 255 : static_cast<uint8_t>(dx * dx + dy * dy < side * side / 5 ? 255 - (x + y) : 0);
        }
      }
      gl.BindTexture(GL_TEXTURE_2D, Textures[t]);
      gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      gl.Build2DMipmaps(GL_TEXTURE_2D, 4, side, side, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    Quad = gl.GenLists(2);
    Background = Quad + 1;
    auto quad = [&gl](GLuint list, float x0, float y0, float x1, float y1) {
      gl.NewList(list, GL_COMPILE);
      gl.Begin(GL_QUADS);
      gl.TexCoord2f(0, 0);
      gl.Vertex2f(x0, y0);
      gl.TexCoord2f(1, 0);
      gl.Vertex2f(x1, y0);
      gl.TexCoord2f(1, 1);
      gl.Vertex2f(x1, y1);
      gl.TexCoord2f(0, 1);
      gl.Vertex2f(x0, y1);
      gl.End();
      gl.EndList();
    };
    quad(Quad, -16, -16, 16, 16);
    quad(Background, 0, 0, 800, 600);
  }

  void Draw(const GlCalls& gl, int tanks) const {
    gl.Viewport(0, 0, 800, 600);
    gl.Disable(GL_DEPTH_TEST);
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.Ortho(0, 800, 0, 600, 0, 100);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.Translatef(0, 0, -1);
    gl.Color4f(1, 1, 1, 1);
    gl.BindTexture(GL_TEXTURE_2D, Textures[0]);
    gl.Enable(GL_TEXTURE_2D);
    gl.CallList(Background);
    for (int i = 0; i < tanks; ++i) {
      gl.PushMatrix();
      gl.Enable(GL_BLEND);
      gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      gl.Translatef(static_cast<float>(60 + (i * 97) % 680), static_cast<float>(60 + (i * 53) % 480), 0);
      for (int layer = 1; layer <= 3; ++layer) {
        gl.Rotatef(static_cast<float>(i * 29 + layer * 41), 0, 0, 1);
        gl.BindTexture(GL_TEXTURE_2D, Textures[layer]);
        gl.CallList(Quad);
      }
      gl.Disable(GL_BLEND);
      gl.PopMatrix();
    }
    gl.Enable(GL_BLEND);
    gl.BlendFunc(GL_SRC_ALPHA, GL_ONE);  // fireballs and fire glow
    for (int i = 0; i < 5; ++i) {
      gl.PushMatrix();
      gl.Translatef(static_cast<float>(100 + i * 140), 520, 0);
      gl.Color4f(1, 1, 1, 0.2f * static_cast<float>(i + 1));
      gl.Scaled(1 + 0.3 * i, 1 + 0.3 * i, 0);
      gl.BindTexture(GL_TEXTURE_2D, Textures[4 + i % 2]);
      gl.CallList(Quad);
      gl.PopMatrix();
    }
    gl.Disable(GL_BLEND);
    gl.Disable(GL_TEXTURE_2D);
    gl.Color4f(1, 1, 0, 1);
    gl.Begin(GL_QUADS);  // a health bar
    gl.Vertex2f(8, 8);
    gl.Vertex2f(32, 8);
    gl.Vertex2f(32, 102);
    gl.Vertex2f(8, 102);
    gl.End();
    gl.PointSize(5);
    gl.Begin(GL_POINTS);
    gl.Vertex2f(300.5f, 200.5f);
    gl.End();
    gl.LineWidth(2.5f);
    gl.Color4f(1, 1, 1, 1);
    gl.Begin(GL_LINES);  // a cross-hair
    gl.Vertex2f(380, 300);
    gl.Vertex2f(400, 280);
    gl.Vertex2f(400, 280);
    gl.Vertex2f(420, 300);
    gl.End();
    gl.LineWidth(1);
  }
};

// Pixels whose channels differ by more than `by`.
int Unlike(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int by) {
  int n = 0;
  for (size_t i = 0; i < a.size(); i += 3) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(a[i + c] - b[i + c]) > by) {
        ++n;
        break;
      }
    }
  }
  return n;
}

std::vector<uint8_t> LayerPicture(const Scene& scene, int tanks) {
  scene.Draw(kLayer, tanks);
  GlCompat::Flush();
  return ReadRect(0, 0, 800, 600);
}

}  // namespace

TEST(GlCompat, TextFromRecordedBitmapListsIsTheDesktopsGlBitmapTextPixelForPixel) {
  ResetTestGfx();
  ZrGfx& g = TestGfx();
  const std::string text = Utf8ToCp1251("Играть | Рекорды: 1234, \"Беркут-9\" {}");
  glClear(GL_COLOR_BUFFER_BIT);
  g.Begin2D();
  glColor3f(1, 0, 0);
  g.PrintAt(20, 40, text.c_str());
  g.End2D();
  const std::vector<uint8_t> desktop = ReadRect(0, 0, 800, 600);

  GlCompat::Reset();
  GlCompat::Viewport(0, 0, 800, 600);
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
  GlCompat::Clear(GL_COLOR_BUFFER_BIT);
  GlCompat::Flush();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);  // recording draws nothing

  GlCompat::MatrixMode(GL_PROJECTION);
  GlCompat::Ortho(0, 800, 0, 600, 0, 100);
  GlCompat::MatrixMode(GL_MODELVIEW);
  GlCompat::Translatef(0, 0, -1);
  GlCompat::Color3f(1, 0, 0);
  GlCompat::RasterPos2i(20, 600 - 40);
  GlCompat::PushAttrib(GL_LIST_BIT);
  GlCompat::ListBase(base);
  GlCompat::CallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  GlCompat::PopAttrib();
  const unsigned long calls = GlCompat::DrawCalls();
  GlCompat::Flush();
  EXPECT_EQ(GlCompat::DrawCalls(), calls + 1);  // the whole text in one draw
  EXPECT_GT(CountColour(0, 540, 800, 30, 255, 0, 0), 300);
  EXPECT_TRUE(ReadRect(0, 0, 800, 600) == desktop);
  GlCompat::Reset();
}

TEST(GlCompat, ABattlesDrawingIsTheDesktopsInAFewDrawCallsAndComesBackAfterALostContext) {
  ResetTestGfx();
  Scene desktop, layer;
  desktop.Load(kDesktop);
  desktop.Draw(kDesktop, 30);
  const std::vector<uint8_t> expected = ReadRect(0, 0, 800, 600);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);

  GlCompat::Reset();
  layer.Load(kLayer);
  const unsigned long before = GlCompat::DrawCalls();
  const std::vector<uint8_t> drawn = LayerPicture(layer, 30);
  const unsigned long thirty = GlCompat::DrawCalls() - before;
  // The blending is the same sum, taken in another order: a unit of rounding apart at most,
  // but where a rotated sprite's edge falls on a pixel's centre.
  EXPECT_LT(Unlike(drawn, expected, 2), 800 * 600 / 500) << Unlike(drawn, expected, 2) << " pixels unlike";
  EXPECT_LT(Unlike(drawn, expected, 40), 200) << Unlike(drawn, expected, 40) << " pixels far unlike";
  // The pictures share the atlas: a draw for the background, one for the blended sprites,
  // one for the opaque bar, point and lines, whatever the number of tanks.
  EXPECT_LE(thirty, 3u);
  const unsigned long mark = GlCompat::DrawCalls();
  LayerPicture(layer, 90);
  EXPECT_EQ(GlCompat::DrawCalls() - mark, thirty);

  // The context goes, and with it what the GPU held; nothing is drawn until it is back,
  // and then the same picture, from the layer's own copies.
  GLint real[4] = {};
  for (int unit = 0; unit < 4; ++unit) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &real[unit]);
  }
  glActiveTexture(GL_TEXTURE0);
  GlCompat::LoseContext();
  for (GLint name : real) {
    const GLuint n = static_cast<GLuint>(name);
    glDeleteTextures(1, &n);
  }
  glClear(GL_COLOR_BUFFER_BIT);
  const unsigned long lost = GlCompat::DrawCalls();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  LayerPicture(layer, 30);
  EXPECT_EQ(GlCompat::DrawCalls(), lost);
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  GlCompat::RestoreContext();
  EXPECT_TRUE(LayerPicture(layer, 30) == drawn);
  GlCompat::Reset();
}
