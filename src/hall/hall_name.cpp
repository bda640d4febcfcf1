#include "hall/hall_name.h"

#include <cstdint>
#include <vector>

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool DecodeUtf8(const std::string& text, std::vector<char32_t>& out) {
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<uint8_t>(text[i]);
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      more = 1, c = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2, c = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      more = 3, c = b & 0x07, least = 0x10000;
    } else {
      return false;
    }
    for (int k = 1; k <= more; ++k) {
      if (i + k >= text.size()) return false;
      const auto cont = static_cast<uint8_t>(text[i + k]);
      if ((cont & 0xC0) != 0x80) return false;
      c = (c << 6) | (cont & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.push_back(c);
    i += 1 + more;
  }
  return true;
}

bool IsSpace(char32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool PrintsNothing(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;               // controls, C0 and C1
  if (c == 0x2028 || c == 0x2029) return true;                          // line and paragraph breaks
  if ((c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)) return true;  // direction overrides
  if (c == 0x200E || c == 0x200F || c == 0x061C) return true;           // direction marks
  if (c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB)) return true;         // byte-order mark, annotations
  if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return true;  // noncharacters
  if (c >= 0xE0000 && c <= 0xE007F) return true;                        // tag characters
  return false;
}

}  // namespace

std::optional<std::string> CheckPlayerName(const std::string& sent, std::string* why) {
  std::vector<char32_t> chars;
  if (!DecodeUtf8(sent, chars)) {
    *why = "the name is not UTF-8 text";
    return std::nullopt;
  }
  size_t first = 0;
  size_t end = chars.size();
  while (first < end && IsSpace(chars[first])) ++first;
  while (end > first && IsSpace(chars[end - 1])) --end;
  if (first == end) {
    *why = "the name is empty";
    return std::nullopt;
  }
  if (end - first > HallNameMaxChars) {
    *why = "the name is longer than 24 characters";
    return std::nullopt;
  }
  for (size_t k = first; k < end; ++k) {
    if (PrintsNothing(chars[k])) {
      *why = "the name holds a character that is not printable";
      return std::nullopt;
    }
  }
  // The spaces trimmed are whole characters, so the bytes between them are the name as sent.
  size_t from = 0;
  size_t to = sent.size();
  for (size_t k = 0, at = 0; k < chars.size(); ++k) {
    const char32_t c = chars[k];
    const size_t len = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (k == first) from = at;
    if (k == end) to = at;
    at += len;
  }
  return sent.substr(from, to - from);
}
