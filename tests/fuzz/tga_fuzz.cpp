// libFuzzer target: any bytes through the TGA decoder. A decoded image must be exactly
// as large as its header says; a refusal must name one of the known messages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "images/tga_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TgaLimits limits;
  limits.MaxBytes = 64u << 20;    // keeps each run's memory small
  TgaImage image;
  const int message = DecodeTga(data, size, limits, image);
  if (message == TgaOk) {
    const size_t expected = size_t{image.Width} * image.Height * image.BytesPerPixel;
    if (image.Pixels.size() != expected || image.Width == 0 || image.Height == 0) std::abort();
    if (image.BytesPerPixel != 3 && image.BytesPerPixel != 4) std::abort();
  } else {
    if (message < TgaNotTrueColour || message > TgaNoMemory || !image.Pixels.empty()) std::abort();
  }
  return 0;
}
