// zr_make_assets: paints the game's pictures and writes them as the TGA files in data/.
//   zr_make_assets <output dir> [--sheet <dir>] [--icons <dir>]
// --sheet also writes PNG previews of the art as the game composes it; --icons writes
// the game's icon for the desktop (zr-ironfall-<size>.png) and for Windows (zr_ironfall.ico).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "art.h"
#include "contact_sheet.h"
#include "image_files.h"

namespace {

struct Asset {
  const char* File;
  std::function<Canvas()> Paint;
  int Bits;
  bool RunLength;
};

// Sprites are run-length packed (their transparent margins shrink to a few bytes);
// the ground, the base's emplacement and the fireball are stored raw, so that the
// game meets both kinds of file.
const Asset kAssets[] = {
    {"bg2.tga", PaintBattlefield, 24, false},
    {"char.tga", [] { return PaintBaseBody(); }, 32, false},
    {"ch_0.tga", [] { return PaintBasePlatform(); }, 32, true},
    {"ch_1.tga", [] { return PaintBaseRing(); }, 32, true},
    {"ch_2.tga", [] { return PaintBaseTurret(); }, 32, true},
    {"monst_0.tga", PaintEnemyHull, 32, true},
    {"monst_1.tga", PaintEnemyWreck, 32, true},
    {"monst_2.tga", PaintEnemyTurret, 32, true},
    {"monst_3.tga", PaintEnemyCupola, 32, true},
    {"monst_4.tga", PaintEnemyHatch, 32, true},
    {"fireball.tga", [] { return PaintFireball(); }, 32, false},
    {"expl.tga", PaintFlame, 32, true},
    {"smoke.tga", PaintSmoke, 32, true},
};

// The icon the game puts on its own window (SDL_SetWindowIcon), in data/ with the rest.
constexpr int kWindowIcon = 64;
// The desktop's icon theme sizes, and the sizes in the Windows icon.
const int kThemeSizes[] = {16, 32, 48, 64, 128, 256};
const int kIcoSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteIcons(const std::filesystem::path& dir) {
  std::map<int, std::vector<uint8_t>> icons;
  for (int n : kIcoSizes) icons[n] = PaintIcon(n);
  for (int n : kThemeSizes) {
    if (icons.count(n) == 0) icons[n] = PaintIcon(n);
    const std::string name = "zr-ironfall-" + std::to_string(n) + ".png";
    if (!WritePng((dir / name).string(), icons[n], n, n, true)) return false;
  }
  std::vector<IconImage> ico;
  for (int n : kIcoSizes) ico.push_back({n, icons[n]});
  return WriteIco((dir / "zr_ironfall.ico").string(), ico);
}

}  // namespace

int main(int argc, char** argv) {
  const char* sheetDir = nullptr;
  const char* iconDir = nullptr;
  bool usage = argc < 2;
  for (int i = 2; i < argc && !usage; i += 2) {
    if (i + 1 < argc && std::strcmp(argv[i], "--sheet") == 0) sheetDir = argv[i + 1];
    else if (i + 1 < argc && std::strcmp(argv[i], "--icons") == 0) iconDir = argv[i + 1];
    else usage = true;
  }
  if (usage) {
    std::fprintf(stderr, "usage: %s <output dir> [--sheet <dir>] [--icons <dir>]\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  std::error_code ec;
  fs::create_directories(out, ec);

  std::map<std::string, Texture> textures;
  for (const Asset& a : kAssets) {
    const Canvas picture = a.Paint();
    Texture t{picture.W, picture.H, picture.ToRgba8(a.Bits == 32)};
    if (!WriteTga((out / a.File).string(), t.Rgba, t.W, t.H, a.Bits, a.RunLength)) {
      std::fprintf(stderr, "cannot write %s\n", (out / a.File).string().c_str());
      return 1;
    }
    if (a.Bits == 24) {
      for (size_t i = 3; i < t.Rgba.size(); i += 4) t.Rgba[i] = 255;
    }
    textures[a.File] = std::move(t);
  }
  if (!WriteTga((out / "icon.tga").string(), PaintIcon(kWindowIcon), kWindowIcon, kWindowIcon, 32, false)) {
    std::fprintf(stderr, "cannot write %s\n", (out / "icon.tga").string().c_str());
    return 1;
  }
  if (sheetDir) {
    fs::create_directories(sheetDir, ec);
    if (!WriteContactSheets(textures, sheetDir)) {
      std::fprintf(stderr, "cannot write the contact sheets into %s\n", sheetDir);
      return 1;
    }
  }
  if (iconDir) {
    fs::create_directories(iconDir, ec);
    if (!WriteIcons(iconDir)) {
      std::fprintf(stderr, "cannot write the icons into %s\n", iconDir);
      return 1;
    }
  }
  return 0;
}
