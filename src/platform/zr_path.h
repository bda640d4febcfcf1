// Paths inside the game are UTF-8 text (on Linux, the bytes the system gave, as they
// are), and become std::filesystem paths, and back, only through these two. A
// std::string handed to std::filesystem as it is would be read in the ANSI code page on
// Windows, where a folder named in another script turns into question marks.
#pragma once

#include <filesystem>
#include <string>

inline std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
