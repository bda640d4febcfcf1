// Times whole frames of the menu and of a battle, as the screens draw them, in client
// areas of 800 x 600 (drawn straight), 1600 x 1200 (2x, pixel for pixel) and 1920 x 1080
// (1.8x, smoothly, with bars), and prints milliseconds per frame of each, all measured in
// the same run. Run it where data/ holds the game's images (zr_make_assets data).
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/zr_loading.h"
#include "platform/platform_hooks.h"
#include "platform/sdl/sdl_state.h"
#include "platform/zr_gl.h"
#include "screens/zr_screens.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "shell/zr_wndproc.h"
#include "world/zr_base.h"
#include "world/zr_monst.h"

namespace {

uint32_t StillClock() { return 1000; }
uint64_t FixedSeed() { return 7; }

struct ClientArea {
  int Width, Height;
  const char* What;
};
constexpr ClientArea kAreas[] = {
    {800, 600, "800 x 600 (straight)"}, {1600, 1200, "1600 x 1200 (2x)"}, {1920, 1080, "1920 x 1080 (1.8x, smooth)"}};
constexpr int kAreaCount = 3;

// Milliseconds per frame in each client area. The areas take turns frame by frame, so
// each sees the same world and the same load of the machine; glFinish makes each
// frame's work count. The best of three runs, since the machine may be busy.
void Measure(ZrGfx& gfx, void (*frame)(), int rounds, double (&ms)[kAreaCount]) {
  for (double& m : ms) m = 1e300;
  for (int run = 0; run < 3; ++run) {
    double total[kAreaCount] = {};
    for (int round = -5; round < rounds; ++round) {
      for (int a = 0; a < kAreaCount; ++a) {
        gfx.Resize(kAreas[a].Width, kAreas[a].Height);
        const auto start = std::chrono::steady_clock::now();
        frame();
        glFinish();
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
        if (round >= 0) total[a] += static_cast<double>(ns) / 1e6;
      }
    }
    for (int a = 0; a < kAreaCount; ++a) ms[a] = std::min(ms[a], total[a] / rounds);
  }
}

void MenuFrame() { MenuScreen(); }
void BattleFrame() { DrawBattle(); }

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (!std::filesystem::exists("data/bg2.tga")) {
    std::fprintf(stderr, "no data/ here: run it where the game's images are\n");
    return 1;
  }
  ZrGfx gfx;
  gfx.WndProc = &GameWndProc;
  gfx.MinFrameNs = 0;
  Game.Gfx = &gfx;
  gfx.OpenWindow("Zr Ironfall", 800, 600, 32, false);
  if (gfx.RC == nullptr) {
    std::fprintf(stderr, "no GL context\n");
    return 1;
  }
  gfx.BuildFont();
  gfx.Active = true;
  // The offscreen window cannot grow: a larger one borrows the game's context.
  SDL_Window* large = SDL_CreateWindow("large", 0, 0, 1920, 1200, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (large == nullptr || SDL_GL_MakeCurrent(large, SdlState::Context) != 0) {
    std::fprintf(stderr, "no large offscreen window: %s\n", SDL_GetError());
    return 1;
  }
  // A steady reading of 60 frames per second and a battle of 20 tanks that wander on
  // frame by frame; the base stands far off, so none rams it and the work stays the same.
  PlatformHooks::TickCount = &StillClock;
  PlatformHooks::SeedClock = &FixedSeed;
  RandSeed(1);
  LoadGame();
  gfx.LastTick = StillClock();
  gfx.Fps = 60;
  NewGame();
  for (int i = 0; i < 19; ++i) Game.Monsters->AddMonster();
  Game.Base->X = Game.Base->Y = -100000;

  double menu[kAreaCount], battle[kAreaCount];
  Measure(gfx, &MenuFrame, 60, menu);
  Measure(gfx, &BattleFrame, 60, battle);
  std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  std::printf("%-28s %14s %16s\n", "client area", "menu ms/frame", "battle ms/frame");
  for (int a = 0; a < kAreaCount; ++a) std::printf("%-28s %14.2f %16.2f\n", kAreas[a].What, menu[a], battle[a]);
  SDL_GL_MakeCurrent(SdlState::Window, SdlState::Context);
  SDL_DestroyWindow(large);
  FreeGame();
  gfx.KillFont();
  Game.Gfx = nullptr;
  return 0;
}
