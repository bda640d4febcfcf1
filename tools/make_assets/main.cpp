// zr_make_assets: paints the game's pictures and writes them as the TGA files in data/.
//   zr_make_assets <output dir> [--sheet <dir>]
// --sheet also writes PNG previews of the art as the game composes it.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

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
    {"char.tga", PaintBaseBody, 32, false},
    {"ch_0.tga", PaintBasePlatform, 32, true},
    {"ch_1.tga", PaintBaseRing, 32, true},
    {"ch_2.tga", PaintBaseTurret, 32, true},
    {"monst_0.tga", PaintEnemyHull, 32, true},
    {"monst_1.tga", PaintEnemyWreck, 32, true},
    {"monst_2.tga", PaintEnemyTurret, 32, true},
    {"monst_3.tga", PaintEnemyCupola, 32, true},
    {"monst_4.tga", PaintEnemyHatch, 32, true},
    {"fireball.tga", PaintFireball, 32, false},
    {"expl.tga", PaintFlame, 32, true},
    {"smoke.tga", PaintSmoke, 32, true},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--sheet") == 0)) {
    std::fprintf(stderr, "usage: %s <output dir> [--sheet <dir>]\n", argv[0]);
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
  if (argc == 4) {
    fs::create_directories(argv[3], ec);
    if (!WriteContactSheets(textures, argv[3])) {
      std::fprintf(stderr, "cannot write the contact sheets into %s\n", argv[3]);
      return 1;
    }
  }
  return 0;
}
