#include "platform/xdg_data_dir.h"

namespace {

// A relative path would depend on the directory the game happens to run in.
bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// base/rest, with one slash between them however many base ends in.
std::string Join(std::string base, const std::string& rest) {
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + "/" + rest;
}

}  // namespace

std::string XdgDataDir(const char* xdgDataHome, const char* home, const std::string& folder) {
  if (IsAbsolute(xdgDataHome)) return Join(xdgDataHome, folder);
  if (IsAbsolute(home)) return Join(home, ".local/share/" + folder);
  return {};
}
