#include "images/tga_image.h"

#include <algorithm>
#include <new>

namespace {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint64_t PixelCount(const TgaHeader& h) { return uint64_t{h.Width} * h.Height; }

// Puts the decoded rows bottom first and each row left to right, whatever order the
// descriptor says they were stored in.
void MakeUpright(const TgaHeader& h, int bpp, uint8_t* pixels) {
  const size_t rowBytes = size_t{h.Width} * bpp;
  if (h.Descriptor & TgaTopToBottom) {
    for (size_t top = 0, bottom = h.Height - 1u; top < bottom; ++top, --bottom) {
      std::swap_ranges(pixels + top * rowBytes, pixels + (top + 1) * rowBytes, pixels + bottom * rowBytes);
    }
  }
  if (h.Descriptor & TgaRightToLeft) {
    for (size_t row = 0; row < h.Height; ++row) {
      uint8_t* line = pixels + row * rowBytes;
      for (size_t left = 0, right = h.Width - 1u; left < right; ++left, --right) {
        std::swap_ranges(line + left * bpp, line + (left + 1) * bpp, line + right * bpp);
      }
    }
  }
}

// Expands the run-length stream into count pixels. A last packet that describes more
// pixels than are left is cut to fit; a stream that ends before the image is full is
// refused, and no byte outside either block is touched.
bool DecodeRuns(const uint8_t* stream, size_t streamSize, int bpp, uint64_t count, uint8_t* out) {
  size_t pos = 0;
  uint64_t written = 0;
  while (written < count) {
    if (pos >= streamSize) return false;
    const uint8_t packet = stream[pos++];
    const uint64_t n = std::min<uint64_t>((packet & 0x7Fu) + 1u, count - written);
    const size_t left = streamSize - pos;
    if (packet & 0x80u) {
      if (left < static_cast<size_t>(bpp)) return false;
      for (uint64_t i = 0; i < n; ++i, ++written) CopyPixelSwapped(stream + pos, out + written * bpp, bpp);
      pos += bpp;
    } else {
      if (left / bpp < n) return false;
      for (uint64_t i = 0; i < n; ++i, ++written, pos += bpp) CopyPixelSwapped(stream + pos, out + written * bpp, bpp);
    }
  }
  return true;
}

}  // namespace

TgaHeader ParseTgaHeader(const uint8_t* bytes) {
  TgaHeader h;
  h.IdLength = bytes[0];
  h.ColourMapType = bytes[1];
  h.ImageType = bytes[2];
  h.Width = ReadU16(bytes + 12);
  h.Height = ReadU16(bytes + 14);
  h.Depth = bytes[16];
  h.Descriptor = bytes[17];
  return h;
}

int CheckTgaHeader(const TgaHeader& h, uint64_t fileSize, const TgaLimits& limits) {
  if (h.ImageType != 2 && h.ImageType != 10) return TgaNotTrueColour;
  if (h.ColourMapType != 0) return TgaColourMapped;
  if (h.Depth != 24 && h.Depth != 32) return TgaBadDepth;
  if (h.Width == 0 || h.Height == 0) return TgaNoPixels;

  const uint64_t bpp = h.Depth / 8u;
  const uint64_t imageBytes = PixelCount(h) * bpp;
  if (imageBytes > limits.MaxBytes || imageBytes > PTRDIFF_MAX) return TgaNoMemory;

  const uint64_t dataStart = TgaHeaderSize + h.IdLength;
  if (fileSize < dataStart) return TgaCannotRead;
  const uint64_t dataSize = fileSize - dataStart;
  if (h.ImageType == 2) return dataSize < imageBytes ? TgaCannotRead : TgaOk;
  // The densest stream is all run packets: 1 + bpp bytes for 128 pixels. A stream too
  // short for that can never fill the image, so it is refused before any allocation.
  const uint64_t mostPixels = dataSize / (1 + bpp) * 128;
  return mostPixels < PixelCount(h) ? TgaCannotRead : TgaOk;
}

uint64_t TgaBytesNeeded(const TgaHeader& h, uint64_t fileSize) {
  if (h.ImageType != 2) return fileSize;
  return TgaHeaderSize + h.IdLength + PixelCount(h) * (h.Depth / 8u);
}

int DecodeTga(const uint8_t* data, size_t size, const TgaLimits& limits, TgaImage& image) {
  image = TgaImage{};
  if (size < TgaHeaderSize) return TgaCannotRead;
  const TgaHeader h = ParseTgaHeader(data);
  if (const int message = CheckTgaHeader(h, size, limits); message != TgaOk) return message;

  const int bpp = h.Depth / 8;
  const uint64_t count = PixelCount(h);
  std::vector<uint8_t> pixels;
  try {
    pixels.resize(static_cast<size_t>(count * bpp));
  } catch (const std::bad_alloc&) {
    return TgaNoMemory;
  }

  // The image-ID field sits between the header and the pixels.
  const size_t dataStart = TgaHeaderSize + h.IdLength;
  const uint8_t* src = data + dataStart;
  if (h.ImageType == 2) {
    for (uint64_t i = 0; i < count; ++i) CopyPixelSwapped(src + i * bpp, pixels.data() + i * bpp, bpp);
  } else if (!DecodeRuns(src, size - dataStart, bpp, count, pixels.data())) {
    return TgaCannotRead;
  }
  MakeUpright(h, bpp, pixels.data());

  image.Width = h.Width;
  image.Height = h.Height;
  image.BytesPerPixel = static_cast<uint8_t>(bpp);
  image.Pixels = std::move(pixels);
  return TgaOk;
}

void CopyPixelSwapped(const uint8_t* source, uint8_t* dest, int bytesPerPixel) {
  const uint8_t blue = source[0];
  const uint8_t green = source[1];
  const uint8_t red = source[2];
  dest[0] = red;
  dest[1] = green;
  dest[2] = blue;
  if (bytesPerPixel == 4) dest[3] = source[3];
}

std::string TgaMessageText(int message, const std::string& fileName) {
  const std::string quoted = "\"" + fileName + "\"";
  switch (message) {
    case TgaNotTrueColour: return "Couldn't load " + quoted + ". Only 24 and 32bit TGA supported.";
    case TgaColourMapped: return "Couldn't load " + quoted + ". Colormapped TGA files not supported.";
    case TgaBadDepth: return "Couldn't load " + quoted + ". Only 24 and 32 bit TGA files supported.";
    case TgaCannotRead: return "Couldn't read file " + quoted + ".";
    case TgaNoPixels: return "Couldn't load " + quoted + ". Width and height must not be 0.";
    case TgaNoMemory: return "Couldn't load " + quoted + ". Not enough memory for the image.";
    default: return "Couldn't load " + quoted + ".";
  }
}
