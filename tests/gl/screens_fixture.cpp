#include "screens_fixture.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "gl_fixture.h"
#include "platform/platform.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_winmsg.h"

namespace fs = std::filesystem;

namespace {

// A 4 x 4 uncompressed 32-bit TGA of one colour.
void WritePlainTga(const fs::path& file, uint8_t grey, uint8_t alpha) {
  std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 32, 8};
  for (int i = 0; i < 16; ++i) bytes.insert(bytes.end(), {grey, grey, grey, alpha});
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

}  // namespace

uint32_t FakeTickNow = 0;
uint32_t FakeTicks() { return FakeTickNow; }

TempGameDir::TempGameDir(bool gamePictures) : Previous(fs::current_path()) {
  Path = fs::temp_directory_path() / ("zr_screens_" + std::to_string(std::random_device{}()));
  fs::create_directories(Path / "data");
  if (gamePictures) {
    fs::copy(fs::path(ZR_SOURCE_DIR) / "data", Path / "data", fs::copy_options::recursive);
  } else {
    WritePlainTga(Path / "data" / "bg2.tga", PlainGrey, 255);
    for (const char* name : {"char", "ch_0", "ch_1", "ch_2", "monst_0", "monst_1", "monst_2", "monst_3", "monst_4",
                             "fireball", "expl", "smoke"}) {
      WritePlainTga(Path / "data" / (std::string(name) + ".tga"), 255, 0);
    }
  }
  fs::current_path(Path);
}

TempGameDir::~TempGameDir() {
  std::error_code ec;
  fs::current_path(Previous, ec);
  fs::remove_all(Path, ec);
}

void TempGameDir::PutFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(Path / name, std::ios::binary) << bytes;
}

std::string TempGameDir::FileText(const std::string& name) const {
  std::ifstream in(Path / name, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ResetGame() {
  FreeGame();
  Game.CenterX = Game.CenterY = Game.WeaponStep = 0;
  Game.Score = Game.BestScore = 0;
  Game.GameState = gsLoading;
  Game.MenuIndex = 0;
  ResetTestGfx();
  ZrGfx& g = TestGfx();
  g.TickSource = &Platform::TickCount;
  g.Fps = g.FpsElapsed = g.FpsFrames = 0;
  glColor4f(1, 1, 1, 1);
}

void PostKeyDown(uintptr_t vk) { Platform::PostMessage(ZrMsg{nullptr, WM_KEYDOWN, vk, 0}); }
void PostKeyUp(uintptr_t vk) { Platform::PostMessage(ZrMsg{nullptr, WM_KEYUP, vk, 0}); }
void PostMouseMove(int x, int y) {
  Platform::PostMessage(
      ZrMsg{nullptr, WM_MOUSEMOVE, 0, MakeLParam(static_cast<uint16_t>(x), static_cast<uint16_t>(y))});
}
void PostLeftClick() {
  Platform::PostMessage(ZrMsg{nullptr, WM_LBUTTONDOWN, 0, 0});
  Platform::PostMessage(ZrMsg{nullptr, WM_LBUTTONUP, 0, 0});
}

void RunPasses(int count) {
  for (int i = 0; i < count; ++i) {
    switch (Game.GameState) {
      case gsLoading: LoadGame(); break;
      case gsMenu: MenuScreen(); break;
      case gsRecords: RecordsScreen(); break;
      case gsBattle: BattleScreen(); break;
      case gsGameOver: GameOverScreen(); break;
      case gsQuit: TestGfx().Terminated = true; break;
      case gsNewGame: NewGame(); break;
      default: break;
    }
  }
}

bool IsColour(const std::array<uint8_t, 3>& rgb, int r, int g, int b) {
  return std::abs(rgb[0] - r) <= 8 && std::abs(rgb[1] - g) <= 8 && std::abs(rgb[2] - b) <= 8;
}

int CountColour(int x, int y, int width, int height, int r, int g, int b) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int n = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) n += IsColour({rgb[i], rgb[i + 1], rgb[i + 2]}, r, g, b);
  return n;
}
