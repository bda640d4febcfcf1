#include "image_files.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32BE(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32BE(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32BE(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

bool WriteTga(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height, int bits,
              bool runLength) {
  const int bpp = bits / 8;
  std::vector<uint8_t> out = {0, 0, static_cast<uint8_t>(runLength ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Put16(out, width);
  Put16(out, height);
  out.push_back(static_cast<uint8_t>(bits));
  out.push_back(static_cast<uint8_t>(bpp == 4 ? 8 : 0));  // alpha bits; origin bottom left

  auto pixel = [&](int x, int y) {
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    std::array<uint8_t, 4> bgra = {p[2], p[1], p[0], p[3]};
    return bgra;
  };
  auto put = [&](const std::array<uint8_t, 4>& p) { out.insert(out.end(), p.begin(), p.begin() + bpp); };
  auto same = [&](const std::array<uint8_t, 4>& a, const std::array<uint8_t, 4>& b) {
    return std::equal(a.begin(), a.begin() + bpp, b.begin());
  };
  for (int y = height - 1; y >= 0; --y) {  // bottom row first
    if (!runLength) {
      for (int x = 0; x < width; ++x) put(pixel(x, y));
      continue;
    }
    int x = 0;
    while (x < width) {
      int run = 1;
      while (x + run < width && run < 128 && same(pixel(x + run, y), pixel(x, y))) ++run;
      if (run >= 2) {
        out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
        put(pixel(x, y));
        x += run;
        continue;
      }
      // Raw packet up to the next run of at least two equal pixels.
      int n = 1;
      while (x + n < width && n < 128 && !(x + n + 1 < width && same(pixel(x + n, y), pixel(x + n + 1, y)))) ++n;
      out.push_back(static_cast<uint8_t>(n - 1));
      for (int i = 0; i < n; ++i) put(pixel(x + i, y));
      x += n;
    }
  }
  return Save(path, out);
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      raw.insert(raw.end(), p, p + 3);
    }
  }
  // A zlib stream of stored blocks: no compression, which is all a preview needs.
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    Put16(z, static_cast<int>(n));
    Put16(z, static_cast<int>(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Put32BE(z, (b << 16) | a);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  Put32BE(ihdr, static_cast<uint32_t>(width));
  Put32BE(ihdr, static_cast<uint32_t>(height));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return Save(path, out);
}
