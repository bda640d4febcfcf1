// The loader in a real GL context: refusals, the upload and the picture on screen.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Textures.h"
#include "gl_fixture.h"
#include "tga_builder.h"
#include "tga_image.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_report.h"

namespace {

namespace fs = std::filesystem;
using tga_builder::File;
using tga_builder::Options;

std::vector<std::pair<std::string, std::string>> g_boxes;
void CaptureBox(const std::string& caption, const std::string& text) { g_boxes.emplace_back(caption, text); }

struct TextureLoad : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    ResetTestGfx();
    g_boxes.clear();
    SetMessageSink(&CaptureBox);
    dir = fs::temp_directory_path() / ("zr_texture_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    SetMessageSink(nullptr);
    fs::remove_all(dir);
  }
  // Writes a file and gives the name the way the game writes its names: a backslash
  // before the file's own name.
  std::string Write(const std::string& leaf, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir / leaf, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return dir.string() + "\\" + leaf;
  }
};

Options Opt(uint8_t type, uint8_t depth, uint8_t descriptor = 0) {
  Options o;
  o.ImageType = type;
  o.Depth = depth;
  o.Descriptor = descriptor;
  return o;
}

// A 2 x 2 picture: red bottom left, green bottom right, blue top left, white top right,
// stored bottom row first (or top row first with the top-left origin bit).
std::vector<uint8_t> Quadrants(bool topFirst) {
  const std::vector<uint8_t> bottom = {0, 0, 255, 255, 0, 255, 0, 255};
  const std::vector<uint8_t> top = {255, 0, 0, 255, 255, 255, 255, 255};
  std::vector<uint8_t> body = topFirst ? top : bottom;
  const auto& second = topFirst ? bottom : top;
  body.insert(body.end(), second.begin(), second.end());
  return body;
}

::testing::AssertionResult Near(std::array<uint8_t, 3> got, std::array<int, 3> want) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(got[i] - want[i]) > 8) {
      return ::testing::AssertionFailure() << "got " << int(got[0]) << "," << int(got[1]) << "," << int(got[2]);
    }
  }
  return ::testing::AssertionSuccess();
}

void DrawTexturedQuad(ZrGLName texture, float x0, float y0, float x1, float y1) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(x0, y0);
  glTexCoord2f(1, 0);
  glVertex2f(x1, y0);
  glTexCoord2f(1, 1);
  glVertex2f(x1, y1);
  glTexCoord2f(0, 1);
  glVertex2f(x0, y1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

TEST_F(TextureLoad, EachRefusalShowsOneBoxAndKeepsTheVariable) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_GT(maxSide, 0);
  ASSERT_LT(maxSide, 65535);
  Options colourMapped = Opt(1, 8);
  colourMapped.ColourMapType = 1;
  Options mappedTrueColour = Opt(2, 24);
  mappedTrueColour.ColourMapType = 1;
  const std::vector<uint8_t> px(16, 9);
  struct Case {
    std::string leaf;
    std::vector<uint8_t> bytes;
    int message;
  };
  std::vector<uint8_t> cut = File(Opt(2, 32), 2, 2, px);
  cut.resize(cut.size() - 3);
  const std::vector<Case> cases = {
      {"type1.tga", File(colourMapped, 2, 2, px), TgaNotTrueColour},
      {"mapped.tga", File(mappedTrueColour, 2, 2, px), TgaColourMapped},
      {"grey16.tga", File(Opt(10, 16), 2, 2, px), TgaBadDepth},
      {"cut.tga", cut, TgaCannotRead},
      {"empty.tga", File(Opt(2, 32), 0, 4, {}), TgaNoPixels},
      {"huge.tga", File(Opt(10, 32), static_cast<uint16_t>(maxSide + 1), 1, px), TgaTooLarge},
  };
  for (const Case& c : cases) {
    g_boxes.clear();
    const std::string name = Write(c.leaf, c.bytes);
    ZrGLName texture = 12345;
    EXPECT_FALSE(ReadTgaImage(name, texture));
    EXPECT_EQ(texture, 12345u);
    LoadTextureFile(name, texture);
    EXPECT_EQ(texture, 12345u);
    ASSERT_EQ(g_boxes.size(), 2u) << c.leaf;
    EXPECT_EQ(g_boxes[0].first, "TGA File Error");
    EXPECT_EQ(g_boxes[0].second, TgaMessageText(c.message, name)) << c.leaf;
  }
  // The name in the text is exactly as passed, backslash included.
  const std::string name = Write("cut.tga", cut);
  g_boxes.clear();
  ZrGLName texture = 0;
  LoadTextureFile(name, texture);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].second, "Couldn't read file \"" + name + "\".");
  EXPECT_EQ(texture, 0u);
}

TEST_F(TextureLoad, UploadTakesUnpaddedRowsAndBuildsTheMipmaps) {
  // 2 x 4 at 24 bits: 6-byte rows, which an unpack alignment of 4 would misread. Both
  // sides are powers of two, so GLU does not rescale and level 0 must come back whole.
  std::vector<uint8_t> stream = {0x07};  // one raw packet of the 8 pixels
  for (int i = 0; i < 8; ++i) tga_builder::Append(stream, {uint8_t(10 * i), uint8_t(100 + i), uint8_t(200 + i)});
  ZrGLName texture = 0;
  LoadTextureFile(Write("narrow.tga", File(Opt(10, 24), 2, 4, stream)), texture);
  ASSERT_NE(texture, 0u);
  EXPECT_TRUE(g_boxes.empty());

  std::vector<uint8_t> back(24);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(back[i * 3 + 0], 200 + i) << i;
    EXPECT_EQ(back[i * 3 + 1], 100 + i) << i;
    EXPECT_EQ(back[i * 3 + 2], 10 * i) << i;
  }

  GLint bound = 0, alignment = 0, envMode = 0, minFilter = 0, magFilter = 0, level1Width = 0, alphaBits = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<ZrGLName>(bound), texture);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);  // put back as it was
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
  EXPECT_EQ(envMode, GL_MODULATE);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
  EXPECT_EQ(alphaBits, 0);  // 24 bits: an opaque RGB texture
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1Width);
  EXPECT_EQ(level1Width, 1);  // the mipmap chain was built
}

TEST_F(TextureLoad, DrawnQuadShowsThePictureUprightWhateverTheStoredOrder) {
  ZrGfx& g = TestGfx();
  ZrGLName bottomFirst = 0, topFirst = 0;
  LoadTextureFile(Write("bl.tga", File(Opt(2, 32), 2, 2, Quadrants(false))), bottomFirst);
  LoadTextureFile(Write("tl.tga", File(Opt(2, 32, TgaTopToBottom), 2, 2, Quadrants(true))), topFirst);
  ASSERT_NE(bottomFirst, 0u);
  ASSERT_NE(topFirst, 0u);
  for (ZrGLName texture : {bottomFirst, topFirst}) {
    glClear(GL_COLOR_BUFFER_BIT);
    g.Begin2D();
    DrawTexturedQuad(texture, 100, 100, 300, 300);  // t = 0 at the bottom
    g.End2D();
    // The middle of each quarter is the middle of a texel: nearly its pure colour.
    EXPECT_TRUE(Near(ReadPixel(150, 150), {255, 0, 0}));  // bottom left
    EXPECT_TRUE(Near(ReadPixel(250, 150), {0, 255, 0}));  // bottom right
    EXPECT_TRUE(Near(ReadPixel(150, 250), {0, 0, 255}));  // top left
    EXPECT_TRUE(Near(ReadPixel(250, 250), {255, 255, 255}));
  }
}

TEST_F(TextureLoad, EveryPictureOfTheGameLoadsUnderItsOwnName) {
  // The names exactly as the game passes them, from the game's working directory.
  const struct {
    const char* Name;
    int Width, Height;
    GLint Alpha;
  } pictures[] = {
      {"data/bg2.tga", 1024, 512, 0},       {"data\\char.tga", 64, 64, 8},      {"data\\ch_0.tga", 64, 64, 8},
      {"data\\ch_1.tga", 64, 64, 8},        {"data\\ch_2.tga", 64, 64, 8},      {"data\\monst_0.tga", 128, 128, 8},
      {"data\\monst_1.tga", 128, 128, 8},   {"data\\monst_2.tga", 128, 128, 8}, {"data\\monst_3.tga", 128, 128, 8},
      {"data\\monst_4.tga", 128, 128, 8},   {"data\\fireball.tga", 32, 32, 8},  {"data\\expl.tga", 128, 128, 8},
      {"data\\smoke.tga", 128, 128, 8},
  };
  ZrGLName previous = 0;
  for (const auto& p : pictures) {
    ZrGLName texture = 0;
    LoadTextureFile(p.Name, texture);
    ASSERT_NE(texture, 0u) << p.Name;
    EXPECT_NE(texture, previous);
    previous = texture;
    GLint width = 0, height = 0, alphaBits = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_EQ(width, p.Width) << p.Name;
    EXPECT_EQ(height, p.Height) << p.Name;
    EXPECT_EQ(alphaBits > 0, p.Alpha > 0) << p.Name;
  }
  EXPECT_TRUE(g_boxes.empty());
}
