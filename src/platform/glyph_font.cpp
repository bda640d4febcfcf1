#include "platform/glyph_font.h"

#include <cstddef>

namespace {

constexpr char kMagic[] = "ZRFONT1\n";
constexpr size_t kMagicSize = sizeof kMagic - 1;

void Put16(std::string& out, int32_t v) {
  const auto u = static_cast<uint16_t>(v);
  out.push_back(static_cast<char>(u & 0xFF));
  out.push_back(static_cast<char>(u >> 8));
}

void Put32(std::string& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool Get16(int32_t& v) {
    if (bytes_.size() - pos_ < 2) return false;
    const auto u = static_cast<uint16_t>(Byte(0) | (Byte(1) << 8));
    v = static_cast<int16_t>(u);
    pos_ += 2;
    return true;
  }
  bool Get32(int32_t& v) {
    if (bytes_.size() - pos_ < 4) return false;
    const uint32_t u = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (static_cast<uint32_t>(Byte(3)) << 24);
    v = static_cast<int32_t>(u);
    pos_ += 4;
    return true;
  }
  bool GetBytes(size_t n, std::vector<uint8_t>& out) {
    if (bytes_.size() - pos_ < n) return false;
    out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
  }
  bool Skip(size_t n) {
    if (bytes_.size() - pos_ < n) return false;
    pos_ += n;
    return true;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  uint32_t Byte(size_t k) const { return static_cast<uint8_t>(bytes_[pos_ + k]); }
  const std::string& bytes_;
  size_t pos_ = 0;
};

}  // namespace

std::string EncodeGlyphFont(int32_t charHeight, const std::vector<GlyphBitmap>& glyphs) {
  std::string out(kMagic, kMagicSize);
  Put32(out, charHeight);
  Put32(out, static_cast<int32_t>(glyphs.size()));
  for (const GlyphBitmap& g : glyphs) {
    Put16(out, g.Width);
    Put16(out, g.Rows);
    Put16(out, g.XOrig);
    Put16(out, g.YOrig);
    Put16(out, g.Advance);
    out.append(g.Bits.begin(), g.Bits.end());
  }
  return out;
}

bool DecodeGlyphFont(const std::string& bytes, int32_t& charHeight, std::vector<GlyphBitmap>& glyphs) {
  if (bytes.compare(0, kMagicSize, kMagic) != 0) return false;
  Reader in(bytes);
  int32_t count = 0;
  if (!in.Skip(kMagicSize) || !in.Get32(charHeight) || !in.Get32(count) || count < 0 || count > 256) return false;
  glyphs.assign(static_cast<size_t>(count), GlyphBitmap{});
  for (GlyphBitmap& g : glyphs) {
    if (!in.Get16(g.Width) || !in.Get16(g.Rows) || !in.Get16(g.XOrig) || !in.Get16(g.YOrig) || !in.Get16(g.Advance)) {
      return false;
    }
    if (g.Width < 0 || g.Rows < 0) return false;
    const size_t size = static_cast<size_t>((g.Width + 7) / 8) * static_cast<size_t>(g.Rows);
    if (!in.GetBytes(size, g.Bits)) return false;
  }
  return in.AtEnd();
}
