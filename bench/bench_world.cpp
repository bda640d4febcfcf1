// Times one battle frame of the world (base, tanks, fireballs, explosions: advance and
// draw) for growing numbers of tanks, and prints microseconds per tank per frame.
// Run it where data/ holds the game's images (zr_make_assets data).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/zr_loading.h"
#include "platform/platform_hooks.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "shell/zr_wndproc.h"
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_weapon.h"

namespace {

uint32_t StillClock() { return 1000; }
uint64_t FixedSeed() { return 7; }

void BuildWorld(ZrGfx& gfx, int tanks) {
  Game.Monsters = std::make_unique<ZrMonstList>(gfx);
  Game.Weapons = std::make_unique<ZrWeaponList>(gfx);
  Game.Monsters->Load();
  Game.Weapons->Load();
  Game.Explosions->Clear();
  RandSeed(1);
  // Mid-battle: every tank inside the window, where all of it is drawn.
  for (int i = 0; i < tanks; ++i) {
    Game.Monsters->AddMonster();
    ZrMonst& t = *Game.Monsters->Items.back();
    t.X = static_cast<float>(64 + Random(672));
    t.Y = static_cast<float>(64 + Random(472));
  }
}

void Frame(ZrGfx& gfx) {
  gfx.Begin2D();
  glClear(GL_COLOR_BUFFER_BIT);
  Game.Base->Animate();
  Game.Monsters->Animate();
  Game.Weapons->Animate();
  Game.Explosions->Animate();
  gfx.End2D();
  glFinish();
}

// One run of frames, in microseconds per tank per frame. Clipped, the rasteriser keeps
// one pixel, which leaves the world's own work and the GL calls.
double MeasureOnce(ZrGfx& gfx, int tanks, bool clipped) {
  BuildWorld(gfx, tanks);
  if (clipped) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
  }
  for (int i = 0; i < 5; ++i) Frame(gfx);
  const int frames = std::max(10, 4000 / tanks);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) Frame(gfx);
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  glDisable(GL_SCISSOR_TEST);
  return static_cast<double>(ns) / 1000.0 / frames / tanks;
}

// The best of three runs, since the machine may be busy with other work.
double Measure(ZrGfx& gfx, int tanks, bool clipped) {
  double best = 1e300;
  for (int run = 0; run < 3; ++run) best = std::min(best, MeasureOnce(gfx, tanks, clipped));
  return best;
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (!std::filesystem::exists("data/monst_0.tga")) {
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
  // A steady reading of 60 frames per second, and repeatable explosions.
  PlatformHooks::TickCount = &StillClock;
  gfx.LastTick = StillClock();
  gfx.Fps = 60;
  PlatformHooks::SeedClock = &FixedSeed;

  Game.Base = std::make_unique<ZrBase>(gfx);
  Game.Base->Load();
  // The base stands far off, so no tank rams it and the work per frame stays the same.
  Game.Base->X = -100000;
  Game.Base->Y = -100000;
  Game.Base->Size = 32;
  Game.Base->Health = 100;
  Game.Explosions = std::make_unique<ZrExplList>(gfx, "data\\expl.tga", "data\\smoke.tga");

  std::printf("GL renderer: %s, 800 x 600\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  std::printf("%6s %22s %26s\n", "tanks", "us/tank/frame (drawn)", "us/tank/frame (1 px clip)");
  for (int tanks : {1, 10, 100, 1000}) {
    const double drawn = Measure(gfx, tanks, false);
    const double clipped = Measure(gfx, tanks, true);
    std::printf("%6d %22.2f %26.2f\n", tanks, drawn, clipped);
    std::fflush(stdout);
  }
  FreeGame();
  return 0;
}
