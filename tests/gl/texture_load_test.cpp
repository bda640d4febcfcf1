// The loader in a real GL context: refusals, the upload and the picture on screen.
#include <gtest/gtest.h>

#include <array>
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
#include "zr_quad.h"
#include "zr_report.h"

namespace {

std::vector<std::string> g_boxes;  // "caption|text"

struct TextureLoad : ::testing::Test {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("zr_texture_test_" + std::to_string(::getpid()));
  void SetUp() override {
    ResetTestGfx();
    g_boxes.clear();
    SetMessageSink([](const std::string& caption, const std::string& text) { g_boxes.push_back(caption + "|" + text); });
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    SetMessageSink(nullptr);
    std::filesystem::remove_all(dir);
  }
  // Writes a file and gives its name the way the game writes names: a backslash before the leaf.
  std::string Write(const std::string& leaf, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir / leaf, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return dir.string() + "\\" + leaf;
  }
};

}  // namespace

TEST_F(TextureLoad, EachRefusalShowsItsBoxAndKeepsTheVariable) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_GT(maxSide, 0);
  ASSERT_LT(maxSide, 65535);
  const std::vector<uint8_t> px(16, 9);
  std::vector<uint8_t> cut = TgaFile(2, 32, 2, 2, px);
  cut.resize(cut.size() - 3);
  const struct { const char* Leaf; std::vector<uint8_t> Bytes; int Message; } cases[] = {
      {"type1.tga", TgaFile(1, 8, 2, 2, px, 0, 1), TgaNotTrueColour},
      {"mapped.tga", TgaFile(2, 24, 2, 2, px, 0, 1), TgaColourMapped},
      {"grey16.tga", TgaFile(10, 16, 2, 2, px), TgaBadDepth},
      {"cut.tga", cut, TgaCannotRead},
      {"empty.tga", TgaFile(2, 32, 0, 4, {}), TgaNoPixels},
      {"huge.tga", TgaFile(10, 32, static_cast<uint16_t>(maxSide + 1), 1, px), TgaTooLarge},
  };
  for (const auto& c : cases) {
    g_boxes.clear();
    const std::string name = Write(c.Leaf, c.Bytes);
    ZrGLName texture = 12345;
    EXPECT_FALSE(ReadTgaImage(name, texture));
    LoadTextureFile(name, texture);
    EXPECT_EQ(texture, 12345u);
    EXPECT_EQ(g_boxes, std::vector<std::string>(2, "TGA File Error|" + TgaMessageText(c.Message, name))) << c.Leaf;
  }
}

TEST_F(TextureLoad, TopFirst24BitPictureWithUnpaddedRowsIsDrawnUprightAndMipmapped) {
  // 2 x 2 at 24 bits, 6-byte rows that an unpack alignment of 4 would misread. Stored
  // after a 5-byte image ID, top row first under the origin bit: blue, white; then red, green.
  const std::vector<uint8_t> body = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
  ZrGLName texture = 0;
  LoadTextureFile(Write("tl.tga", TgaFile(2, 24, 2, 2, body, TgaTopToBottom, 0, 5)), texture);
  ASSERT_NE(texture, 0u);
  EXPECT_TRUE(g_boxes.empty());
  GLint alignment = 0, level1Width = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);  // put back as it was
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1Width);
  EXPECT_EQ(level1Width, 1);  // the mipmap chain was built

  // Drawn as the sprites are, t = 0 at the bottom, on the square from 100 to 300.
  const ZrGLName quad = CompileSpriteQuad(100);
  glClear(GL_COLOR_BUFFER_BIT);
  TestGfx().Begin2D();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glTranslatef(200, 200, 0);
  glCallList(quad);
  glDisable(GL_TEXTURE_2D);
  TestGfx().End2D();
  glDeleteLists(quad, 1);
  // The middle of each quarter is the middle of a texel: nearly its pure colour.
  const struct { int X, Y, Rgb[3]; } quarters[] = {
      {150, 150, {255, 0, 0}}, {250, 150, {0, 255, 0}}, {150, 250, {0, 0, 255}}, {250, 250, {255, 255, 255}}};
  for (const auto& q : quarters) {
    const std::array<uint8_t, 3> got = ReadPixel(q.X, q.Y);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], q.Rgb[i], 8) << q.X << "," << q.Y;
  }
}

TEST_F(TextureLoad, EveryPictureOfTheGameLoadsUnderItsOwnNameAndSpritesHaveClearEdges) {
  // The names exactly as the game passes them, from the game's working directory.
  const struct { const char* Name; int Width, Height; bool Alpha; } pictures[] = {
      {"data/bg2.tga", 1024, 512, false},     {"data\\char.tga", 64, 64, true},       {"data\\ch_0.tga", 64, 64, true},
      {"data\\ch_1.tga", 64, 64, true},       {"data\\ch_2.tga", 64, 64, true},       {"data\\monst_0.tga", 128, 128, true},
      {"data\\monst_1.tga", 128, 128, true},  {"data\\monst_2.tga", 128, 128, true},  {"data\\monst_3.tga", 128, 128, true},
      {"data\\monst_4.tga", 128, 128, true},  {"data\\fireball.tga", 32, 32, true},   {"data\\expl.tga", 128, 128, true},
      {"data\\smoke.tga", 128, 128, true},
  };
  ZrGLName previous = 0;
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.Name);
    ZrGLName texture = 0;
    LoadTextureFile(p.Name, texture);
    ASSERT_NE(texture, 0u);
    EXPECT_NE(texture, previous);
    previous = texture;
    GLint width = 0, height = 0, alphaBits = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_EQ(width, p.Width);
    EXPECT_EQ(height, p.Height);
    EXPECT_EQ(alphaBits > 0, p.Alpha);
    if (!p.Alpha) continue;

    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int clear = 0, soft = 0, solid = 0, edge = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint8_t a = rgba[(static_cast<size_t>(y) * width + x) * 4 + 3];
        clear += a == 0;
        soft += a > 0 && a < 255;
        solid += a == 255;
        // Textures repeat: a linear filter at one edge of the quad reads the other edge.
        if (x == 0 || y == 0 || x == width - 1 || y == height - 1) edge += a != 0;
      }
    }
    EXPECT_EQ(edge, 0);
    EXPECT_GT(clear, 0);
    EXPECT_GT(soft, width / 2);  // soft rims, shadows or glow, not a cut-out
    const std::string name = p.Name;
    if (name.find("monst_") != std::string::npos || name.find("\\ch") != std::string::npos) {
      EXPECT_GT(solid, 0);  // armour is opaque
    }
  }
  EXPECT_TRUE(g_boxes.empty());
}
