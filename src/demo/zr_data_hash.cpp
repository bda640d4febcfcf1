#include "demo/zr_data_hash.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

void Mix(uint64_t& hash, const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    hash ^= static_cast<unsigned char>(bytes[i]);
    hash *= 0x100000001B3ull;
  }
}

}  // namespace

uint64_t DataFolderHash(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    // The window's icon plays no part in the game, and a browser has its own.
    const std::string name = it->path().filename().string();
    if (it->path().extension() == ".tga" && name != "icon.tga") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  uint64_t hash = 0xCBF29CE484222325ull;
  std::vector<char> buffer(1 << 16);
  for (const std::string& name : names) {
    Mix(hash, name.c_str(), name.size() + 1);
    std::FILE* f = Platform::OpenFile(folder + "/" + name, "rb");
    if (f == nullptr) continue;
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) Mix(hash, buffer.data(), n);
    std::fclose(f);
  }
  return hash;
}
