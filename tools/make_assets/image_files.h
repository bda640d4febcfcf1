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

// Writes an 8-bit RGBA picture (row 0 at the top) as an RGB PNG, uncompressed.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height);
