#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "images/tga_image.h"
#include "tga_builder.h"

namespace {

// count pixels in file order (blue, green, red (, alpha)), every byte different.
std::vector<uint8_t> FilePixels(int count, int bpp) {
  std::vector<uint8_t> p;
  for (int i = 0; i < count * bpp; ++i) p.push_back(static_cast<uint8_t>(i * 5 + 1));
  return p;
}

// The same pixels as the decoder must give them: red, green, blue (, alpha).
std::vector<uint8_t> Swapped(std::vector<uint8_t> p, int bpp) {
  for (size_t i = 0; i < p.size(); i += bpp) std::swap(p[i], p[i + 2]);
  return p;
}

int Decode(const std::vector<uint8_t>& file, TgaImage& image, uint64_t maxBytes = PTRDIFF_MAX) {
  return DecodeTga(file.data(), file.size(), TgaLimits{maxBytes}, image);
}

}  // namespace

TEST(TgaDecode, RawAndRunLengthOf24And32BitsDecodeAlikeWithFooterOrImageId) {
  for (int bpp : {3, 4}) {
    // 3 x 2: a 24-bit row is 9 bytes, no multiple of 4, and must stay unpadded. The
    // stream: two raw pixels, a run of three across the end of the first row, one raw.
    const std::vector<uint8_t> px = FilePixels(6, bpp);
    std::vector<uint8_t> raw, runs = {0x01};
    auto add = [&](std::vector<uint8_t>& v, int i) { v.insert(v.end(), px.begin() + i * bpp, px.begin() + (i + 1) * bpp); };
    for (int i : {0, 1, 2, 2, 2, 5}) add(raw, i);
    add(runs, 0), add(runs, 1), runs.push_back(0x82), add(runs, 2), runs.push_back(0x00), add(runs, 5);
    for (uint8_t type : {2, 10}) {
      const std::vector<uint8_t>& body = type == 2 ? raw : runs;
      const uint8_t depth = static_cast<uint8_t>(bpp * 8);
      std::vector<uint8_t> withFooter = TgaFile(type, depth, 3, 2, body);
      withFooter.insert(withFooter.end(), 26, 0x55);  // a TGA 2.0 footer changes nothing
      for (const auto& file : {TgaFile(type, depth, 3, 2, body), withFooter, TgaFile(type, depth, 3, 2, body, 0, 0, 7)}) {
        TgaImage image;
        ASSERT_EQ(Decode(file, image), TgaOk);
        EXPECT_TRUE(image.Width == 3 && image.Height == 2 && image.BytesPerPixel == bpp);
        EXPECT_EQ(image.Pixels, Swapped(raw, bpp)) << "type " << int(type) << " bpp " << bpp << " size " << file.size();
      }
    }
  }
}

TEST(TgaDecode, OriginBitsGiveEveryFileUpright) {
  // A 3 x 2 picture stored four ways; decoded, each is the bottom-left-origin one.
  const std::vector<uint8_t> px = FilePixels(6, 3);
  for (const int descriptor : {0, 0x20, 0x10, 0x30}) {  // top row first, right to left, both
    std::vector<uint8_t> body;
    for (int i = 0; i < 6; ++i) {
      const int row = descriptor & 0x20 ? 1 - i / 3 : i / 3;
      const int at = (row * 3 + (descriptor & 0x10 ? 2 - i % 3 : i % 3)) * 3;
      body.insert(body.end(), px.begin() + at, px.begin() + at + 3);
    }
    TgaImage image;
    ASSERT_EQ(Decode(TgaFile(2, 24, 3, 2, body, static_cast<uint8_t>(descriptor)), image), TgaOk);
    EXPECT_EQ(image.Pixels, Swapped(px, 3)) << descriptor;
  }
}

TEST(TgaDecode, RefusalsComeInTheOrderOfTheMessagesAndCraftedDataBeforeAnyAllocation) {
  const std::vector<uint8_t> px = FilePixels(4, 4), run = {0xFF, 1, 2, 3, 4};  // one run packet: 128 pixels
  std::vector<uint8_t> cut = TgaFile(2, 24, 2, 2, FilePixels(4, 3), 0, 0, 3), idOnly = TgaFile(2, 24, 1, 1, {}, 0, 0, 40);
  cut.pop_back();  // one byte short of the last pixel, counted after the image-ID field
  idOnly.resize(30);  // an image-ID field longer than the rest of the file
  std::vector<uint8_t> rawPacket = FilePixels(3, 4);
  rawPacket.insert(rawPacket.begin(), 0x03);  // declares 4 pixels
  const struct {
    std::vector<uint8_t> File;
    int Message;
    std::vector<uint8_t> Pixels = {};
    uint64_t MaxBytes = PTRDIFF_MAX;
  } cases[] = {
      // The image type first (a colour-mapped type 1 is message 1, not 2), then the colour
      // map, the depth, and the new checks after the four: the size, then memory.
      {TgaFile(1, 8, 2, 2, px, 0, 1), TgaNotTrueColour}, {TgaFile(3, 32, 2, 2, px), TgaNotTrueColour},
      {TgaFile(11, 32, 2, 2, px), TgaNotTrueColour}, {TgaFile(10, 16, 2, 2, px, 0, 1), TgaColourMapped},
      {TgaFile(2, 8, 0, 2, px), TgaBadDepth}, {TgaFile(2, 16, 0, 2, px), TgaBadDepth},
      {TgaFile(2, 32, 0, 2, px), TgaNoPixels}, {TgaFile(10, 32, 2, 0, px), TgaNoPixels},
      {TgaFile(2, 32, 2, 2, px), TgaNoMemory, {}, 15}, {TgaFile(2, 32, 2, 2, px), TgaOk, Swapped(px, 4), 16},
      // Data short or cut: the pixels, the header itself, the image ID; run-length streams
      // that stop early: no packets left, a run without its pixel, a raw packet short.
      {cut, TgaCannotRead}, {std::vector<uint8_t>(cut.begin(), cut.begin() + 10), TgaCannotRead},
      {idOnly, TgaCannotRead}, {TgaFile(10, 32, 2, 2, {0x80, 1, 2, 3, 4}), TgaCannotRead},
      {TgaFile(10, 32, 1, 1, {0x80, 1, 2, 3}), TgaCannotRead}, {TgaFile(10, 32, 2, 2, rawPacket), TgaCannotRead},
      // 65535 x 65535 with a few bytes: refused from the header and the file size alone
      // (the sanitizers would report a multi-gigabyte allocation). One run fills 128 pixels.
      {TgaFile(2, 32, 65535, 65535, px), TgaCannotRead}, {TgaFile(10, 32, 65535, 65535, run), TgaCannotRead},
      {TgaFile(10, 32, 129, 1, run), TgaCannotRead}, {TgaFile(10, 32, 128, 1, run), TgaOk},
      // An overlong last packet is cut to the image: a run of 128 for 3 pixels, then a raw
      // packet declaring 4 pixels where 1 is left, with only that one present.
      {TgaFile(10, 32, 3, 1, run), TgaOk, {3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}},
      {TgaFile(10, 24, 2, 1, {0x80, 1, 2, 3, 0x03, 7, 8, 9}), TgaOk, {3, 2, 1, 9, 8, 7}},
  };
  for (const auto& c : cases) {
    TgaImage image;
    EXPECT_EQ(Decode(c.File, image, c.MaxBytes), c.Message) << &c - cases;
    EXPECT_EQ(image.Pixels.size(), c.Message != TgaOk ? 0 : size_t{image.Width} * image.Height * image.BytesPerPixel);
    EXPECT_TRUE(c.Pixels.empty() || image.Pixels == c.Pixels) << &c - cases;
  }
  const std::string name = "data\\char.tga";
  EXPECT_EQ(TgaMessageText(TgaNotTrueColour, name), "Couldn't load \"data\\char.tga\". Only 24 and 32bit TGA supported.");
  EXPECT_EQ(TgaMessageText(TgaColourMapped, name), "Couldn't load \"data\\char.tga\". Colormapped TGA files not supported.");
  EXPECT_EQ(TgaMessageText(TgaBadDepth, name), "Couldn't load \"data\\char.tga\". Only 24 and 32 bit TGA files supported.");
  EXPECT_EQ(TgaMessageText(TgaCannotRead, name), "Couldn't read file \"data\\char.tga\".");
}
