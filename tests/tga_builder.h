// Small TGA files built in memory for the loader's tests.
#pragma once

#include <cstdint>
#include <vector>

// The 18-byte header, idLength ID bytes, then body: the pixels or packets as stored.
inline std::vector<uint8_t> TgaFile(uint8_t type, uint8_t depth, uint16_t width, uint16_t height,
                                    const std::vector<uint8_t>& body, uint8_t descriptor = 0,
                                    uint8_t colourMapType = 0, uint8_t idLength = 0) {
  const uint8_t header[18] = {idLength, colourMapType, type, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              uint8_t(width & 0xFF), uint8_t(width >> 8), uint8_t(height & 0xFF),
                              uint8_t(height >> 8), depth, descriptor};
  // Filled by index: GCC 12 takes vector inserts here for overflows and warns.
  std::vector<uint8_t> f(sizeof header + idLength + body.size(), uint8_t{0xA5});
  for (size_t i = 0; i < sizeof header; ++i) f[i] = header[i];
  for (size_t i = 0; i < body.size(); ++i) f[sizeof header + idLength + i] = body[i];
  return f;
}
