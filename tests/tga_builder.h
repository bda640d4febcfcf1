// Small TGA files built in memory for the loader's tests and the fuzzer's seeds.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tga_builder {

struct Options {
  uint8_t ImageType = 2;
  uint8_t ColourMapType = 0;
  uint8_t Depth = 32;
  uint8_t Descriptor = 0;
  uint8_t IdLength = 0;
};

inline std::vector<uint8_t> Header(const Options& o, uint16_t width, uint16_t height) {
  std::vector<uint8_t> h(18, 0);
  h[0] = o.IdLength;
  h[1] = o.ColourMapType;
  h[2] = o.ImageType;
  h[12] = static_cast<uint8_t>(width & 0xFF);
  h[13] = static_cast<uint8_t>(width >> 8);
  h[14] = static_cast<uint8_t>(height & 0xFF);
  h[15] = static_cast<uint8_t>(height >> 8);
  h[16] = o.Depth;
  h[17] = o.Descriptor;
  for (int i = 0; i < o.IdLength; ++i) h.push_back(static_cast<uint8_t>(0xA0 + i));  // ID bytes
  return h;
}

// A file of the header followed by body, the pixel bytes or packets as stored.
inline std::vector<uint8_t> File(const Options& o, uint16_t width, uint16_t height,
                                 const std::vector<uint8_t>& body) {
  std::vector<uint8_t> f = Header(o, width, height);
  f.insert(f.end(), body.begin(), body.end());
  return f;
}

inline void Append(std::vector<uint8_t>& v, std::initializer_list<uint8_t> bytes) {
  v.insert(v.end(), bytes.begin(), bytes.end());
}

}  // namespace tga_builder
