#include "platform/cp1251.h"

namespace {

// Codes 0x80 to 0xBF; 0xC0 to 0xFF are the contiguous Russian alphabet.
constexpr uint16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

uint8_t UnicodeToCp1251(uint32_t cp) {
  if (cp < 0x80) return static_cast<uint8_t>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<uint8_t>(0xC0 + (cp - 0x0410));
  for (int i = 0; i < 64; ++i) {
    if (kHighHalf[i] == cp && cp != 0) return static_cast<uint8_t>(0x80 + i);
  }
  return '?';
}

}  // namespace

uint32_t Cp1251ToUnicode(uint8_t code) {
  if (code < 0x80) return code;
  if (code >= 0xC0) return 0x0410 + (code - 0xC0);
  return kHighHalf[code - 0x80];
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    int extra = 0;
    uint32_t cp = lead;
    if (lead >= 0xF0) { extra = 3; cp = lead & 0x07; }
    else if (lead >= 0xE0) { extra = 2; cp = lead & 0x0F; }
    else if (lead >= 0xC0) { extra = 1; cp = lead & 0x1F; }
    else if (lead >= 0x80) { out += '?'; ++i; continue; }  // stray continuation byte
    ++i;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i >= utf8.size() || (static_cast<uint8_t>(utf8[i]) & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (static_cast<uint8_t>(utf8[i]) & 0x3F);
    }
    out += ok ? static_cast<char>(UnicodeToCp1251(cp)) : '?';
  }
  return out;
}
