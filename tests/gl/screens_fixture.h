// Helpers of the screen tests: a working directory with the game's files, posted input,
// passes of the main loop and a clock that stands still.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/zr_loading.h"
#include "app/zr_main_loop.h"
#include "fixed_input.h"
#include "gl/gl_fixture.h"
#include "platform/platform.h"
#include "platform/platform_hooks.h"
#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_screens.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "tga_builder.h"
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_weapon.h"

// The clock and seed of the screen and world tests: they stand still until a test moves them.
inline FixedInput& TestInput() {
  static FixedInput input;
  return input;
}

// Frees the world, puts Game back to its start, TestGfx to a clean state, the clock to 0
// and the message sink back to the platform's own.
inline void ResetGame() {
  FreeGame();
  Game.CenterX = Game.CenterY = Game.WeaponStep = 0;
  Game.Score = Game.BestScore = 0;
  Game.GameState = gsLoading;
  Game.MenuIndex = 0;
  ResetTestGfx();
  PlatformHooks::Reset();
  TestInput() = FixedInput{};
  TestGfx().Fps = TestGfx().FpsElapsed = TestGfx().FpsFrames = 0;
  glColor4f(1, 1, 1, 1);
  glDisable(GL_SCISSOR_TEST);
}

// The background of the plain pictures, opaque; every other plain picture is transparent,
// so that only the screens' own drawing shows over the background.
inline constexpr int PlainGrey = 128;

// The world loaded from plain pictures, with no "bs.zrt", in a fresh temporary working
// directory, on a clock that stands still: the frame-rate reading stays 0 and nothing
// moves by itself. Afterwards no scissor, random clock or message sink is left.
struct ScreenTest : ::testing::Test {
  ZrInputScope Clock{TestInput()};
  std::filesystem::path Previous = std::filesystem::current_path();
  std::filesystem::path Path =
      std::filesystem::temp_directory_path() / ("zr_screens_" + std::to_string(std::random_device{}()));
  ScreenTest() {
    std::filesystem::create_directories(Path / "data");
    for (const std::string name : {"bg2", "char", "ch_0", "ch_1", "ch_2", "monst_0", "monst_1", "monst_2", "monst_3",
                                   "monst_4", "fireball", "expl", "smoke"}) {
      // One pixel, uncompressed, 32 bits.
      const uint8_t grey = name == "bg2" ? PlainGrey : 255, alpha = name == "bg2" ? 255 : 0;
      const std::vector<uint8_t> tga = TgaFile(2, 32, 1, 1, {grey, grey, grey, alpha}, 8);
      std::ofstream(Path / "data" / (name + ".tga"), std::ios::binary)
          .write(reinterpret_cast<const char*>(tga.data()), std::ssize(tga));
    }
    std::filesystem::current_path(Path);
  }
  ~ScreenTest() override {
    std::error_code ec;
    std::filesystem::current_path(Previous, ec);
    std::filesystem::remove_all(Path, ec);
  }
  void SetUp() override {
    ResetGame();
    LoadGame();
  }
  void TearDown() override { ResetGame(); }
};

// A file of the working directory; "<missing>" when there is none.
inline std::string FileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

inline void Post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
  Platform::QueueMessage(ZrMsg{nullptr, message, wParam, lParam});
}

// The mouse moved to (x, y), the button down, then up.
inline void PostClick(int x, int y) {
  Post(WM_MOUSEMOVE, 0, MakeLParam(static_cast<uint16_t>(x), static_cast<uint16_t>(y)));
  Post(WM_LBUTTONDOWN);
  Post(WM_LBUTTONUP);
}

// Passes of the main loop with the window active.
inline void RunPasses(int count) {
  for (int i = 0; i < count; ++i) RunGameStep();
}
