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

int Decode(const std::vector<uint8_t>& file, TgaImage& image, const TgaLimits& limits = {}) {
  return DecodeTga(file.data(), file.size(), limits, image);
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
        EXPECT_EQ(image.Width, 3);
        EXPECT_EQ(image.Height, 2);
        EXPECT_EQ(image.BytesPerPixel, bpp);
        EXPECT_EQ(image.Pixels, Swapped(raw, bpp)) << "type " << int(type) << " bpp " << bpp << " size " << file.size();
      }
    }
  }
}

TEST(TgaDecode, RefusalsComeInTheOrderOfTheMessages) {
  const std::vector<uint8_t> body = FilePixels(4, 4);
  auto refusal = [](const std::vector<uint8_t>& file, TgaLimits limits = {}) {
    TgaImage image;
    const int message = Decode(file, image, limits);
    EXPECT_TRUE(image.Pixels.empty());
    return message;
  };
  // The image type is tested first: a colour-mapped type 1 gets message 1, not 2.
  EXPECT_EQ(refusal(TgaFile(1, 8, 2, 2, body, 0, 1)), TgaNotTrueColour);
  for (uint8_t type : {0, 3, 9, 11, 255}) EXPECT_EQ(refusal(TgaFile(type, 32, 2, 2, body)), TgaNotTrueColour) << int(type);
  // Then the colour map, before the depth; then the depth, before the size.
  EXPECT_EQ(refusal(TgaFile(10, 16, 2, 2, body, 0, 1)), TgaColourMapped);
  for (uint8_t depth : {8, 15, 16, 0}) EXPECT_EQ(refusal(TgaFile(2, depth, 0, 2, body)), TgaBadDepth) << int(depth);
  // The new checks follow the four: size 0, then memory.
  EXPECT_EQ(refusal(TgaFile(2, 32, 0, 2, body)), TgaNoPixels);
  EXPECT_EQ(refusal(TgaFile(10, 32, 2, 0, body)), TgaNoPixels);
  EXPECT_EQ(refusal(TgaFile(2, 32, 2, 2, body), TgaLimits{15}), TgaNoMemory);  // needs 16 bytes
  TgaImage image;
  EXPECT_EQ(Decode(TgaFile(2, 32, 2, 2, body), image, TgaLimits{16}), TgaOk);

  const std::string name = "data\\char.tga";
  EXPECT_EQ(TgaMessageText(TgaNotTrueColour, name), "Couldn't load \"data\\char.tga\". Only 24 and 32bit TGA supported.");
  EXPECT_EQ(TgaMessageText(TgaColourMapped, name), "Couldn't load \"data\\char.tga\". Colormapped TGA files not supported.");
  EXPECT_EQ(TgaMessageText(TgaBadDepth, name), "Couldn't load \"data\\char.tga\". Only 24 and 32 bit TGA files supported.");
  EXPECT_EQ(TgaMessageText(TgaCannotRead, name), "Couldn't read file \"data\\char.tga\".");
}

TEST(TgaDecode, ShortTruncatedOrCraftedDataIsRefusedWithMessage4BeforeAnyAllocation) {
  TgaImage image;
  std::vector<uint8_t> raw = TgaFile(2, 24, 2, 2, FilePixels(4, 3), 0, 0, 3);
  raw.pop_back();  // one byte short of the last pixel, counted after the image-ID field
  EXPECT_EQ(Decode(raw, image), TgaCannotRead);
  raw.resize(10);  // not even a header
  EXPECT_EQ(Decode(raw, image), TgaCannotRead);
  std::vector<uint8_t> idOnly = TgaFile(2, 24, 1, 1, {}, 0, 0, 40);
  idOnly.resize(30);  // an image-ID field longer than the rest of the file
  EXPECT_EQ(Decode(idOnly, image), TgaCannotRead);

  // Run-length streams that stop before the image is full: no packets left, a run
  // packet without its pixel, a raw packet with fewer pixels than it declares.
  EXPECT_EQ(Decode(TgaFile(10, 32, 2, 2, {0x80, 1, 2, 3, 4}), image), TgaCannotRead);
  EXPECT_EQ(Decode(TgaFile(10, 32, 1, 1, {0x80, 1, 2, 3}), image), TgaCannotRead);
  std::vector<uint8_t> rawPacket = FilePixels(3, 4);
  rawPacket.insert(rawPacket.begin(), 0x03);
  EXPECT_EQ(Decode(TgaFile(10, 32, 2, 2, rawPacket), image), TgaCannotRead);
  EXPECT_TRUE(image.Pixels.empty());

  // 65535 x 65535 declared with a few bytes of data: refused from the header and the
  // file size alone (the sanitizers would report a multi-gigabyte allocation).
  EXPECT_EQ(Decode(TgaFile(2, 32, 65535, 65535, FilePixels(4, 4)), image), TgaCannotRead);
  EXPECT_EQ(Decode(TgaFile(10, 32, 65535, 65535, {0xFF, 1, 2, 3, 4}), image), TgaCannotRead);
  // One run packet (5 bytes) fills at most 128 pixels: 129 is too many for it.
  EXPECT_EQ(Decode(TgaFile(10, 32, 129, 1, {0xFF, 1, 2, 3, 4}), image), TgaCannotRead);
  EXPECT_EQ(Decode(TgaFile(10, 32, 128, 1, {0xFF, 1, 2, 3, 4}), image), TgaOk);
  EXPECT_EQ(image.Pixels.size(), 128u * 4);
}

TEST(TgaDecode, OverlongLastPacketIsClippedToTheImage) {
  TgaImage image;
  // One run packet of 128 pixels for a 3 x 1 image; then a raw packet declaring 4
  // pixels where 1 is left, with only that one present.
  ASSERT_EQ(Decode(TgaFile(10, 32, 3, 1, {0xFF, 1, 2, 3, 4}), image), TgaOk);
  EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}));
  ASSERT_EQ(Decode(TgaFile(10, 24, 2, 1, {0x80, 1, 2, 3, 0x03, 7, 8, 9}), image), TgaOk);
  EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 9, 8, 7}));
}

TEST(TgaDecode, OriginBitsGiveEveryFileUpright) {
  // A 3 x 2 picture stored four ways; decoded, each is the bottom-left-origin one.
  const std::vector<uint8_t> px = FilePixels(6, 3);
  for (int bits = 0; bits < 4; ++bits) {
    const bool top = bits & 1, right = bits & 2;
    std::vector<uint8_t> body;
    for (int r = 0; r < 2; ++r) {
      for (int c = 0; c < 3; ++c) {
        const int i = ((top ? 1 - r : r) * 3 + (right ? 2 - c : c)) * 3;
        body.insert(body.end(), px.begin() + i, px.begin() + i + 3);
      }
    }
    const uint8_t descriptor = static_cast<uint8_t>((top ? TgaTopToBottom : 0) | (right ? TgaRightToLeft : 0));
    TgaImage image;
    ASSERT_EQ(Decode(TgaFile(2, 24, 3, 2, body, descriptor), image), TgaOk);
    EXPECT_EQ(image.Pixels, Swapped(px, 3)) << "top " << top << " right " << right;
  }
}
