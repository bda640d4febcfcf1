#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tga_builder.h"
#include "tga_image.h"

using tga_builder::Append;
using tga_builder::File;
using tga_builder::Options;

namespace {

// count pixels in file order (blue, green, red (, alpha)), each one different.
std::vector<uint8_t> FilePixels(int count, int bpp) {
  std::vector<uint8_t> p;
  for (int i = 0; i < count; ++i) {
    Append(p, {static_cast<uint8_t>(i * 7 + 1), static_cast<uint8_t>(i * 13 + 2), static_cast<uint8_t>(i * 29 + 3)});
    if (bpp == 4) p.push_back(static_cast<uint8_t>(255 - i * 11));
  }
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

Options Opt(uint8_t type, uint8_t depth) {
  Options o;
  o.ImageType = type;
  o.Depth = depth;
  return o;
}

}  // namespace

TEST(TgaDecode, RawFilesOf24And32BitsComeOutRedGreenBlue) {
  for (int bpp : {3, 4}) {
    // Width 3: a 24-bit row is 9 bytes, no multiple of 4, and must stay unpadded.
    const std::vector<uint8_t> pixels = FilePixels(6, bpp);
    TgaImage image;
    ASSERT_EQ(Decode(File(Opt(2, bpp * 8), 3, 2, pixels), image), TgaOk);
    EXPECT_EQ(image.Width, 3);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.BytesPerPixel, bpp);
    EXPECT_EQ(image.Pixels, Swapped(pixels, bpp)) << bpp;
  }
  uint8_t px[4] = {10, 20, 30, 40};
  CopyPixelSwapped(px, px, 4);
  EXPECT_EQ(std::vector<uint8_t>(px, px + 4), (std::vector<uint8_t>{30, 20, 10, 40}));
}

TEST(TgaDecode, RunLengthStreamMatchesTheRawFileAcrossRowEnds) {
  for (int bpp : {3, 4}) {
    // 3 x 2 pixels: two raw, a run of three that crosses the end of the first row, one raw.
    const std::vector<uint8_t> px = FilePixels(6, bpp);
    auto pixel = [&](int i) { return std::vector<uint8_t>(px.begin() + i * bpp, px.begin() + (i + 1) * bpp); };
    std::vector<uint8_t> raw, stream;
    std::vector<int> order = {0, 1, 2, 2, 2, 5};
    for (int i : order) {
      const auto p = pixel(i);
      raw.insert(raw.end(), p.begin(), p.end());
    }
    stream.push_back(1);  // raw packet, 2 pixels
    for (int i : {0, 1}) {
      const auto p = pixel(i);
      stream.insert(stream.end(), p.begin(), p.end());
    }
    stream.push_back(0x82);  // run packet, 3 pixels
    const auto p2 = pixel(2);
    stream.insert(stream.end(), p2.begin(), p2.end());
    stream.push_back(0);  // raw packet, 1 pixel
    const auto p5 = pixel(5);
    stream.insert(stream.end(), p5.begin(), p5.end());

    TgaImage fromRaw, fromRuns, withFooter;
    ASSERT_EQ(Decode(File(Opt(2, bpp * 8), 3, 2, raw), fromRaw), TgaOk);
    ASSERT_EQ(Decode(File(Opt(10, bpp * 8), 3, 2, stream), fromRuns), TgaOk);
    EXPECT_EQ(fromRuns.Pixels, fromRaw.Pixels);
    EXPECT_EQ(fromRuns.BytesPerPixel, bpp);

    // Bytes after the last pixel (a TGA 2.0 footer) change nothing, for either type.
    std::vector<uint8_t> footer(26, 0x55);
    std::vector<uint8_t> rawWithFooter = File(Opt(2, bpp * 8), 3, 2, raw);
    rawWithFooter.insert(rawWithFooter.end(), footer.begin(), footer.end());
    ASSERT_EQ(Decode(rawWithFooter, withFooter), TgaOk);
    EXPECT_EQ(withFooter.Pixels, fromRaw.Pixels);
    std::vector<uint8_t> runsWithFooter = File(Opt(10, bpp * 8), 3, 2, stream);
    runsWithFooter.insert(runsWithFooter.end(), footer.begin(), footer.end());
    ASSERT_EQ(Decode(runsWithFooter, withFooter), TgaOk);
    EXPECT_EQ(withFooter.Pixels, fromRaw.Pixels);
  }
}

TEST(TgaDecode, RefusalsComeInTheOrderOfTheMessages) {
  const std::vector<uint8_t> body = FilePixels(4, 4);
  auto refusal = [&](Options o, uint16_t w, uint16_t h) {
    TgaImage image;
    const int message = Decode(File(o, w, h, body), image);
    EXPECT_TRUE(image.Pixels.empty());
    return message;
  };
  Options o;
  // The image type is tested first: a colour-mapped type 1 gets message 1, not 2.
  o = Opt(1, 8);
  o.ColourMapType = 1;
  EXPECT_EQ(refusal(o, 2, 2), TgaNotTrueColour);
  for (uint8_t type : {0, 3, 9, 11, 255}) EXPECT_EQ(refusal(Opt(type, 32), 2, 2), TgaNotTrueColour) << int(type);
  // Then the colour map, before the depth.
  o = Opt(10, 16);
  o.ColourMapType = 1;
  EXPECT_EQ(refusal(o, 2, 2), TgaColourMapped);
  // Then the depth, before the size.
  for (uint8_t depth : {8, 15, 16, 0}) EXPECT_EQ(refusal(Opt(2, depth), 0, 2), TgaBadDepth) << int(depth);
  // The new checks follow the four: size 0, a side beyond the largest texture.
  EXPECT_EQ(refusal(Opt(2, 32), 0, 2), TgaNoPixels);
  EXPECT_EQ(refusal(Opt(10, 32), 2, 0), TgaNoPixels);
  TgaImage image;
  TgaLimits small;
  small.MaxSide = 1;
  EXPECT_EQ(Decode(File(Opt(2, 32), 2, 1, body), image, small), TgaTooLarge);
  small.MaxSide = 2;
  small.MaxBytes = 15;  // a 2 x 2 x 4 image needs 16
  EXPECT_EQ(Decode(File(Opt(2, 32), 2, 2, body), image, small), TgaNoMemory);
  small.MaxBytes = 16;
  EXPECT_EQ(Decode(File(Opt(2, 32), 2, 2, body), image, small), TgaOk);

  const std::string name = "data\\char.tga";
  EXPECT_EQ(TgaMessageText(TgaNotTrueColour, name), "Couldn't load \"data\\char.tga\". Only 24 and 32bit TGA supported.");
  EXPECT_EQ(TgaMessageText(TgaColourMapped, name), "Couldn't load \"data\\char.tga\". Colormapped TGA files not supported.");
  EXPECT_EQ(TgaMessageText(TgaBadDepth, name), "Couldn't load \"data\\char.tga\". Only 24 and 32 bit TGA files supported.");
  EXPECT_EQ(TgaMessageText(TgaCannotRead, name), "Couldn't read file \"data\\char.tga\".");
  EXPECT_EQ(TgaMessageText(TgaNoPixels, name), "Couldn't load \"data\\char.tga\". Width and height must not be 0.");
}

TEST(TgaDecode, ShortOrTruncatedDataIsRefusedWithMessage4) {
  TgaImage image;
  std::vector<uint8_t> raw = File(Opt(2, 24), 2, 2, FilePixels(4, 3));
  raw.pop_back();  // one byte short of the last pixel
  EXPECT_EQ(Decode(raw, image), TgaCannotRead);
  EXPECT_EQ(Decode(File(Opt(2, 24), 2, 2, {}), image), TgaCannotRead);
  // An image-ID field longer than the rest of the file.
  Options withId = Opt(2, 24);
  withId.IdLength = 40;
  std::vector<uint8_t> idOnly = tga_builder::Header(withId, 1, 1);
  idOnly.resize(30);
  EXPECT_EQ(Decode(idOnly, image), TgaCannotRead);

  // Run-length streams that stop before the image is full: no packets left, a run
  // packet without its pixel, a raw packet with fewer pixels than it declares.
  EXPECT_EQ(Decode(File(Opt(10, 32), 2, 2, {0x80, 1, 2, 3, 4}), image), TgaCannotRead);
  EXPECT_EQ(Decode(File(Opt(10, 32), 1, 1, {0x80, 1, 2, 3}), image), TgaCannotRead);
  std::vector<uint8_t> rawPacket = {0x03};
  std::vector<uint8_t> three = FilePixels(3, 4);
  rawPacket.insert(rawPacket.end(), three.begin(), three.end());
  EXPECT_EQ(Decode(File(Opt(10, 32), 2, 2, rawPacket), image), TgaCannotRead);
  EXPECT_TRUE(image.Pixels.empty());
  // A header shorter than 18 bytes is no image at all.
  std::vector<uint8_t> stub(10, 0);
  EXPECT_EQ(Decode(stub, image), TgaCannotRead);
}

TEST(TgaDecode, ImageIdFieldIsSkipped) {
  for (uint8_t type : {2, 10}) {
    std::vector<uint8_t> body = FilePixels(4, 4);
    if (type == 10) body.insert(body.begin(), 0x03);  // one raw packet of the 4 pixels
    Options plain = Opt(type, 32), withId = Opt(type, 32);
    withId.IdLength = 7;
    TgaImage a, b;
    ASSERT_EQ(Decode(File(plain, 2, 2, body), a), TgaOk);
    ASSERT_EQ(Decode(File(withId, 2, 2, body), b), TgaOk);
    EXPECT_EQ(a.Pixels, b.Pixels) << int(type);
    EXPECT_EQ(a.Pixels, Swapped(FilePixels(4, 4), 4));
  }
}

TEST(TgaDecode, OriginBitsGiveEveryFileUpright) {
  // A 3 x 2 picture stored four ways; decoded, each is the bottom-left-origin one.
  const std::vector<uint8_t> px = FilePixels(6, 3);
  auto reorder = [&](bool top, bool right) {
    std::vector<uint8_t> out;
    for (int r = 0; r < 2; ++r) {
      for (int c = 0; c < 3; ++c) {
        const int row = top ? 1 - r : r, col = right ? 2 - c : c;
        const int i = (row * 3 + col) * 3;
        out.insert(out.end(), px.begin() + i, px.begin() + i + 3);
      }
    }
    return out;
  };
  for (uint8_t type : {2, 10}) {
    for (int bits = 0; bits < 4; ++bits) {
      const bool top = bits & 1, right = bits & 2;
      Options o = Opt(type, 24);
      o.Descriptor = static_cast<uint8_t>((top ? TgaTopToBottom : 0) | (right ? TgaRightToLeft : 0));
      std::vector<uint8_t> body = reorder(top, right);
      if (type == 10) body.insert(body.begin(), 0x05);
      TgaImage image;
      ASSERT_EQ(Decode(File(o, 3, 2, body), image), TgaOk);
      EXPECT_EQ(image.Pixels, Swapped(px, 3)) << "type " << int(type) << " top " << top << " right " << right;
    }
  }
}

TEST(TgaDecode, OverlongLastPacketIsClippedToTheImage) {
  TgaImage image;
  // One run packet of 128 pixels for a 3 x 1 image; then a raw packet declaring 4
  // pixels where 1 is left, with only that one present.
  ASSERT_EQ(Decode(File(Opt(10, 32), 3, 1, {0xFF, 1, 2, 3, 4}), image), TgaOk);
  EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}));
  ASSERT_EQ(Decode(File(Opt(10, 24), 2, 1, {0x80, 1, 2, 3, 0x03, 7, 8, 9}), image), TgaOk);
  EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{3, 2, 1, 9, 8, 7}));
}

TEST(TgaDecode, CraftedSizesAreRefusedBeforeAnyAllocation) {
  // 65535 x 65535 declared with a few bytes of data: refused from the header and the
  // file size alone (the sanitizers would report a multi-gigabyte allocation).
  TgaImage image;
  EXPECT_EQ(Decode(File(Opt(2, 32), 65535, 65535, FilePixels(4, 4)), image), TgaCannotRead);
  EXPECT_EQ(Decode(File(Opt(10, 32), 65535, 65535, {0xFF, 1, 2, 3, 4}), image), TgaCannotRead);
  // One run packet (5 bytes) fills at most 128 pixels: 129 is too many for it.
  EXPECT_EQ(Decode(File(Opt(10, 32), 129, 1, {0xFF, 1, 2, 3, 4}), image), TgaCannotRead);
  EXPECT_EQ(Decode(File(Opt(10, 32), 128, 1, {0xFF, 1, 2, 3, 4}), image), TgaOk);
  EXPECT_EQ(image.Pixels.size(), 128u * 4);

  TgaHeader h;
  h.ImageType = 2;
  h.Depth = 24;
  h.Width = h.Height = 1000;
  h.IdLength = 2;
  EXPECT_EQ(CheckTgaHeader(h, 18 + 2 + 3000000 - 1, {}), TgaCannotRead);
  EXPECT_EQ(CheckTgaHeader(h, 18 + 2 + 3000000, {}), TgaOk);
  // A raw image needs only its pixels read, not what follows them.
  EXPECT_EQ(TgaBytesNeeded(h, 5000000), 18u + 2 + 3000000);
  h.ImageType = 10;
  EXPECT_EQ(TgaBytesNeeded(h, 5000000), 5000000u);
}
