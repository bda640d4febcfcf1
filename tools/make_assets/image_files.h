// Writing the pictures: TGA for the game, PNG for looking at them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGBA picture (row 0 at the top) as a true-colour TGA with the usual
// bottom-left origin: 24 bits drops the alpha; runLength selects image type 10, whose
// packets never cross the end of a row. Returns false when the file cannot be written.
bool WriteTga(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height, int bits,
              bool runLength);

// An 8-bit RGBA picture (row 0 at the top) as a PNG file, RGB or (alpha) RGBA, each row
// with the filter that suits it best and deflated with the fixed codes.
std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgba, int width, int height, bool alpha);
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height,
              bool alpha = false);

// A Windows icon file holding one square 8-bit RGBA picture per size: 32-bit bitmaps
// with their mask up to 128 pixels, PNG from 256 on (as Windows itself stores them).
struct IconImage {
  int Size;
  std::vector<uint8_t> Rgba;  // Size x Size, row 0 at the top
};
bool WriteIco(const std::string& path, const std::vector<IconImage>& images);
