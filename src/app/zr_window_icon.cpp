#include "app/zr_window_icon.h"

#include <cstdint>
#include <vector>

#include "images/tga_file.h"
#include "platform/platform.h"
#include "shell/zr_errors.h"

namespace {

// A window icon is small; anything larger is no icon of ours.
constexpr uint32_t kMaxIconSide = 1024;

// The decoded rows come bottom first, in RGB or RGBA; the window wants RGBA, top first.
std::vector<uint8_t> TopDownRgba(const TgaImage& image) {
  const size_t width = image.Width, height = image.Height, in = image.BytesPerPixel;
  std::vector<uint8_t> rgba(width * height * 4);
  for (size_t row = 0; row < height; ++row) {
    const uint8_t* source = image.Pixels.data() + (height - 1 - row) * width * in;
    uint8_t* dest = rgba.data() + row * width * 4;
    for (size_t x = 0; x < width; ++x, source += in, dest += 4) {
      dest[0] = source[0];
      dest[1] = source[1];
      dest[2] = source[2];
      dest[3] = in == 4 ? source[3] : 255;
    }
  }
  return rgba;
}

}  // namespace

void PutIconOnWindow() {
  TgaImage image;
  TgaLimits limits;
  limits.MaxBytes = uint64_t{kMaxIconSide} * kMaxIconSide * 4;
  try {
    if (ReadTgaFile(WindowIconFile, limits, image) != TgaOk) return;
  } catch (const EInOutError&) {
    return;
  }
  if (image.Width > kMaxIconSide || image.Height > kMaxIconSide) return;
  const std::vector<uint8_t> rgba = TopDownRgba(image);
  Platform::SetWindowIcon(rgba.data(), image.Width, image.Height);
}
