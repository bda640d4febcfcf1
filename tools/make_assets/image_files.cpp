#include "image_files.h"

#include <algorithm>
#include <array>
#include <cstdlib>
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

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 0; s <= 24; s += 8) out.push_back(static_cast<uint8_t>(v >> s));
}

// Deflate (RFC 1951) in one block with the fixed Huffman codes, matches found by a
// hash chain: plain and deterministic, and a fraction of the stored size for the art.
class Deflater {
 public:
  std::vector<uint8_t> Out;

  void Compress(const std::vector<uint8_t>& in) {
    Bits(1, 1);  // the last block
    Bits(1, 2);  // fixed codes
    constexpr int kWindow = 32768, kHash = 1 << 15, kChain = 128;
    std::vector<int> head(kHash, -1), prev(kWindow, -1);
    auto hash = [&](size_t i) { return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & (kHash - 1); };
    auto insert = [&](size_t i) {
      if (i + 2 >= in.size()) return;
      const int h = hash(i);
      prev[i % kWindow] = head[h];
      head[h] = static_cast<int>(i);
    };
    size_t i = 0;
    while (i < in.size()) {
      int bestLen = 0, bestDist = 0;
      if (i + 2 < in.size()) {
        int cand = head[hash(i)];
        for (int n = 0; n < kChain && cand >= 0 && i - cand <= kWindow - 1; ++n) {
          int len = 0;
          const size_t max = std::min<size_t>(258, in.size() - i);
          while (static_cast<size_t>(len) < max && in[cand + len] == in[i + len]) ++len;
          if (len > bestLen) {
            bestLen = len;
            bestDist = static_cast<int>(i - cand);
            if (static_cast<size_t>(len) == max) break;
          }
          const int p = prev[cand % kWindow];
          if (p >= cand) break;  // the chain slot was reused by a newer position
          cand = p;
        }
      }
      if (bestLen >= 3) {
        Match(bestLen, bestDist);
        for (int k = 0; k < bestLen; ++k) insert(i + k);
        i += bestLen;
      } else {
        Literal(in[i]);
        insert(i);
        ++i;
      }
    }
    Literal(256);  // end of block
    if (nbits_ > 0) Out.push_back(static_cast<uint8_t>(acc_));
  }

 private:
  uint32_t acc_ = 0;
  int nbits_ = 0;

  // Values go in from the lowest bit; Huffman codes are sent from their top bit.
  void Bits(uint32_t v, int n) {
    acc_ |= v << nbits_;
    nbits_ += n;
    while (nbits_ >= 8) {
      Out.push_back(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      nbits_ -= 8;
    }
  }
  void Code(uint32_t code, int n) {
    uint32_t r = 0;
    for (int k = 0; k < n; ++k) r |= ((code >> k) & 1) << (n - 1 - k);
    Bits(r, n);
  }
  void Literal(int v) {
    if (v < 144) Code(0x30 + v, 8);
    else if (v < 256) Code(0x190 + v - 144, 9);
    else if (v < 280) Code(v - 256, 7);
    else Code(0xC0 + v - 280, 8);
  }
  void Match(int len, int dist) {
    static const int lenBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lenExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int distBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                   193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int distExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int l = 28;
    while (lenBase[l] > len) --l;
    Literal(257 + l);
    Bits(static_cast<uint32_t>(len - lenBase[l]), lenExtra[l]);
    int d = 29;
    while (distBase[d] > dist) --d;
    Code(static_cast<uint32_t>(d), 5);
    Bits(static_cast<uint32_t>(dist - distBase[d]), distExtra[d]);
  }
};

// The scanlines with a filter byte each: the filter whose output sums to the least
// magnitude, the usual rule of thumb.
std::vector<uint8_t> FilteredRows(const std::vector<uint8_t>& rgba, int width, int height, int bpp) {
  const size_t stride = static_cast<size_t>(width) * bpp;
  std::vector<uint8_t> rows, prevRow(stride, 0), row(stride), best, trial(stride);
  rows.reserve(static_cast<size_t>(height) * (stride + 1));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < bpp; ++c) row[static_cast<size_t>(x) * bpp + c] = rgba[(static_cast<size_t>(y) * width + x) * 4 + c];
    }
    long bestCost = -1;
    int bestType = 0;
    for (int type = 0; type < 5; ++type) {
      long cost = 0;
      for (size_t i = 0; i < stride; ++i) {
        const int a = i >= static_cast<size_t>(bpp) ? row[i - bpp] : 0, b = prevRow[i];
        const int c = i >= static_cast<size_t>(bpp) ? prevRow[i - bpp] : 0;
        int pred = 0;
        if (type == 1) pred = a;
        if (type == 2) pred = b;
        if (type == 3) pred = (a + b) / 2;
        if (type == 4) {
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          pred = (pa <= pb && pa <= pc) ? a : pb <= pc ? b : c;
        }
        trial[i] = static_cast<uint8_t>(row[i] - pred);
        cost += std::abs(static_cast<int8_t>(trial[i]));
      }
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        bestType = type;
        best = trial;
      }
    }
    rows.push_back(static_cast<uint8_t>(bestType));
    rows.insert(rows.end(), best.begin(), best.end());
    prevRow = row;
  }
  return rows;
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

std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgba, int width, int height, bool alpha) {
  const std::vector<uint8_t> raw = FilteredRows(rgba, width, height, alpha ? 4 : 3);
  Deflater d;
  d.Out = {0x78, 0x01};  // zlib header: deflate, 32K window
  d.Compress(raw);
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  std::vector<uint8_t> z = std::move(d.Out);
  Put32BE(z, (b << 16) | a);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  Put32BE(ihdr, static_cast<uint32_t>(width));
  Put32BE(ihdr, static_cast<uint32_t>(height));
  ihdr.insert(ihdr.end(), {8, static_cast<uint8_t>(alpha ? 6 : 2), 0, 0, 0});  // 8 bits, RGB(A)
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height, bool alpha) {
  return Save(path, EncodePng(rgba, width, height, alpha));
}

bool WriteIco(const std::string& path, const std::vector<IconImage>& images) {
  std::vector<std::vector<uint8_t>> blobs;
  for (const IconImage& im : images) {
    const int n = im.Size;
    if (n >= 256) {
      blobs.push_back(EncodePng(im.Rgba, n, n, true));
      continue;
    }
    // BITMAPINFOHEADER, its height counting the colour rows and the mask rows.
    std::vector<uint8_t> bmp;
    Put32(bmp, 40);
    Put32(bmp, static_cast<uint32_t>(n));
    Put32(bmp, static_cast<uint32_t>(2 * n));
    Put16(bmp, 1);
    Put16(bmp, 32);
    const size_t maskStride = static_cast<size_t>((n + 31) / 32) * 4;
    Put32(bmp, 0);  // BI_RGB
    Put32(bmp, static_cast<uint32_t>(n * n * 4 + maskStride * n));
    for (int k = 0; k < 4; ++k) Put32(bmp, 0);
    for (int y = n - 1; y >= 0; --y) {  // bottom row first, BGRA
      for (int x = 0; x < n; ++x) {
        const uint8_t* p = &im.Rgba[(static_cast<size_t>(y) * n + x) * 4];
        bmp.insert(bmp.end(), {p[2], p[1], p[0], p[3]});
      }
    }
    // The AND mask: set where the picture is fully transparent.
    for (int y = n - 1; y >= 0; --y) {
      std::vector<uint8_t> row(maskStride, 0);
      for (int x = 0; x < n; ++x) {
        if (im.Rgba[(static_cast<size_t>(y) * n + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
      bmp.insert(bmp.end(), row.begin(), row.end());
    }
    blobs.push_back(std::move(bmp));
  }
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, static_cast<int>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].Size;
    out.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
    out.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<uint32_t>(blobs[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(blobs[i].size());
  }
  for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
  return Save(path, out);
}
