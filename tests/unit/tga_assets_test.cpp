// The pictures in data/ as the game loads them: each decodes, with the size and the
// alpha channel its drawing needs.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tga_image.h"

namespace {

struct Expected {
  const char* File;
  int Size;  // width and height; the ground is 1024 x 512
  bool Alpha;
};

const Expected kAssets[] = {
    {"bg2.tga", 0, false},       {"char.tga", 64, true},     {"ch_0.tga", 64, true},     {"ch_1.tga", 64, true},
    {"ch_2.tga", 64, true},      {"monst_0.tga", 128, true}, {"monst_1.tga", 128, true}, {"monst_2.tga", 128, true},
    {"monst_3.tga", 128, true},  {"monst_4.tga", 128, true}, {"fireball.tga", 32, true}, {"expl.tga", 128, true},
    {"smoke.tga", 128, true},
};

std::vector<uint8_t> ReadAsset(const std::string& file) {
  std::ifstream in(std::string(ZR_SOURCE_DIR) + "/data/" + file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(TgaAssets, EverySpriteDecodesWithSoftAlphaAndClearEdges) {
  bool sawRaw = false, sawRunLength = false;
  for (const Expected& e : kAssets) {
    SCOPED_TRACE(e.File);
    const std::vector<uint8_t> bytes = ReadAsset(e.File);
    ASSERT_GE(bytes.size(), TgaHeaderSize);
    sawRaw |= bytes[2] == 2;
    sawRunLength |= bytes[2] == 10;
    TgaImage image;
    ASSERT_EQ(DecodeTga(bytes.data(), bytes.size(), {}, image), TgaOk);
    if (!e.Alpha) {
      EXPECT_EQ(image.BytesPerPixel, 3);
      EXPECT_EQ(image.Width, 1024);
      EXPECT_EQ(image.Height, 512);
      continue;
    }
    ASSERT_EQ(image.BytesPerPixel, 4);
    EXPECT_EQ(image.Width, e.Size);
    EXPECT_EQ(image.Height, e.Size);
    int clear = 0, soft = 0, solid = 0, edge = 0;
    for (int y = 0; y < image.Height; ++y) {
      for (int x = 0; x < image.Width; ++x) {
        const uint8_t a = image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4 + 3];
        clear += a == 0;
        soft += a > 0 && a < 255;
        solid += a == 255;
        // Textures repeat: a linear filter at one edge of the quad reads the other edge.
        if (x == 0 || y == 0 || x == image.Width - 1 || y == image.Height - 1) edge += a != 0;
      }
    }
    EXPECT_EQ(edge, 0);
    EXPECT_GT(clear, 0);
    EXPECT_GT(soft, image.Width / 2);  // soft rims, shadows or glow, not a cut-out
    const std::string name = e.File;
    if (name.rfind("monst_", 0) == 0 || name.rfind("ch", 0) == 0) {
      EXPECT_GT(solid, 0);  // armour is opaque
    }
  }
  EXPECT_TRUE(sawRaw);
  EXPECT_TRUE(sawRunLength);
}

TEST(TgaAssets, GroundIsDarkAndQuietUnderTheTexts) {
  const std::vector<uint8_t> bytes = ReadAsset("bg2.tga");
  TgaImage image;
  ASSERT_EQ(DecodeTga(bytes.data(), bytes.size(), {}, image), TgaOk);
  double sum = 0, sumSq = 0;
  const size_t n = image.Pixels.size() / 3;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = &image.Pixels[i * 3];
    const double luma = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    sum += luma;
    sumSq += luma * luma;
  }
  const double mean = sum / n, spread = std::sqrt(sumSq / n - mean * mean);
  // White, red and yellow text must stand out: a dark ground without strong contrast.
  EXPECT_LT(mean, 80);
  EXPECT_GT(mean, 20);
  EXPECT_LT(spread, 20);
}
