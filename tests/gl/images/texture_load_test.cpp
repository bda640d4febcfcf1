// The loader in a real GL context: refusals, the upload and the picture on screen.
#include <algorithm>
#include <string>
#include <vector>

#include "gl/screens_fixture.h"
#include "images/Textures.h"
#include "images/tga_image.h"
#include "world/zr_quad.h"

namespace {

std::vector<std::string> g_boxes;  // "caption|text"

struct TextureLoad : ScreenTest {
  void SetUp() override {
    ScreenTest::SetUp();
    g_boxes.clear();
    PlatformHooks::MessageSink = [](const std::string& caption, const std::string& text) { g_boxes.push_back(caption + "|" + text); };
  }
  // Writes a picture and gives its name the way the game writes names: a backslash before the leaf.
  static std::string Write(const std::string& leaf, const std::vector<uint8_t>& bytes) {
    std::ofstream("data/" + leaf, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return "data\\" + leaf;
  }
};

// Level 0 of the bound texture as RGBA bytes, and its size.
std::vector<uint8_t> BoundTexture(GLint& width, GLint& height) {
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

}  // namespace

TEST_F(TextureLoad, ARefusalShowsItsBoxAndKeepsTheVariable) {
  std::vector<uint8_t> cut = TgaFile(2, 32, 2, 2, std::vector<uint8_t>(16, 9));
  cut.resize(cut.size() - 3);
  ZrGLName texture = 12345;
  LoadTextureFile(Write("cut.tga", cut), texture);
  EXPECT_EQ(texture, 12345u);
  // The decoder's tests go through every refusal and its text.
  EXPECT_EQ(g_boxes, std::vector<std::string>{"TGA File Error|" + TgaMessageText(TgaCannotRead, "data\\cut.tga")});
}

TEST_F(TextureLoad, APictureWiderThanTheLargestTextureIsScaledDownToFit) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_TRUE(maxSide > 0 && maxSide < 65535);
  // Three rows one pixel wider than the driver takes, all red, as run-length packets.
  // (Three: GLU's scaling leaves the last row black when only the width changes.)
  const int width = maxSide + 1;
  std::vector<uint8_t> packets;
  for (int left = 3 * width; left > 0; left -= 128) {
    packets.insert(packets.end(), {static_cast<uint8_t>(0x80 + std::min(left, 128) - 1), 0, 0, 255, 255});
  }
  ZrGLName texture = 0;
  LoadTextureFile(Write("wide.tga", TgaFile(10, 32, static_cast<uint16_t>(width), 3, packets)), texture);
  ASSERT_TRUE(texture != 0 && g_boxes.empty());
  GLint level0Width = 0, level0Height = 0;
  const std::vector<uint8_t> rgba = BoundTexture(level0Width, level0Height);
  ASSERT_TRUE(level0Width > 0 && level0Width <= maxSide && level0Height > 0) << level0Width << " x " << level0Height;
  EXPECT_EQ(std::vector<uint8_t>(rgba.begin(), rgba.begin() + 4), (std::vector<uint8_t>{255, 0, 0, 255}));
  EXPECT_EQ(std::vector<uint8_t>(rgba.end() - 4, rgba.end()), (std::vector<uint8_t>{255, 0, 0, 255}));
}

TEST_F(TextureLoad, TopFirst24BitPictureWithUnpaddedRowsIsDrawnUprightAndMipmapped) {
  // 2 x 2 at 24 bits, 6-byte rows that an unpack alignment of 4 would misread. Stored
  // after a 5-byte image ID, top row first under the origin bit: blue, white; then red, green.
  const std::vector<uint8_t> body = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
  ZrGLName texture = 0;
  LoadTextureFile(Write("tl.tga", TgaFile(2, 24, 2, 2, body, TgaTopToBottom, 0, 5)), texture);
  ASSERT_TRUE(texture != 0 && g_boxes.empty());
  GLint alignment = 0, level1Width = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1Width);
  EXPECT_TRUE(alignment == 4 && level1Width == 1);  // the alignment put back as it was; a mipmap chain

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
  EXPECT_TRUE(PixelIs(150, 150, 255, 0, 0) && PixelIs(250, 150, 0, 255, 0));
  EXPECT_TRUE(PixelIs(150, 250, 0, 0, 255) && PixelIs(250, 250, 255, 255, 255));
}

TEST_F(TextureLoad, EveryPictureOfTheGameLoadsUnderItsOwnNameAndSpritesHaveClearEdges) {
  // The names exactly as the game passes them, from the game's working directory.
  std::filesystem::current_path(ZR_SOURCE_DIR);
  for (const std::string name : {"data/bg2.tga", "data\\char.tga", "data\\ch_0.tga", "data\\ch_1.tga", "data\\ch_2.tga",
                                 "data\\monst_0.tga", "data\\monst_1.tga", "data\\monst_2.tga", "data\\monst_3.tga",
                                 "data\\monst_4.tga", "data\\fireball.tga", "data\\expl.tga", "data\\smoke.tga"}) {
    SCOPED_TRACE(name);
    ZrGLName texture = 0;
    LoadTextureFile(name, texture);
    ASSERT_NE(texture, 0u);
    GLint width = 0, height = 0, alphaBits = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_EQ(alphaBits > 0, name != "data/bg2.tga");  // the background alone is opaque
    if (alphaBits <= 0) continue;
    // Textures repeat: a linear filter at one edge of the quad reads the other edge.
    const std::vector<uint8_t> rgba = BoundTexture(width, height);
    auto alpha = [&](int x, int y) { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; };
    int edge = 0;
    for (int i = 0; i < width; ++i) edge += (alpha(i, 0) != 0) + (alpha(i, height - 1) != 0);
    for (int i = 0; i < height; ++i) edge += (alpha(0, i) != 0) + (alpha(width - 1, i) != 0);
    EXPECT_EQ(edge, 0);
  }
  EXPECT_TRUE(g_boxes.empty());
}
