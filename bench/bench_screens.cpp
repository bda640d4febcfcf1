// Prints what each screen costs per frame on whatever renderer this machine gives (CPU
// time of the whole process, the driver's threads included, and wall time), the floor
// for the same pixels measured in the same run, the time from process start to the
// first menu frame, phase by phase, and the cost of the picture scaled to larger client
// areas.
// Run it where data/ holds the game's images (the repository root).
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <unistd.h>

#include "app/zr_loading.h"
#include "app/zr_main_loop.h"
#include "images/Textures.h"
#include "shell/zr_input_source.h"
#include "platform/sdl/sdl_state.h"
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

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Cost {
  double CpuMs = 0;
  double WallMs = 0;
  double Pixels = 0;  // fragments written, as the driver counts them
};

// The cheapest of three runs of frames (the machine may be busy), per frame. Each frame
// ends with glFinish, so the driver's work for it is inside.
Cost Measure(const std::function<void()>& frame, int frames) {
  Cost best{1e300, 1e300, 0};
  GLuint query = 0;
  glGenQueries(1, &query);
  for (int run = 0; run < 3; ++run) {
    for (int i = 0; i < 3; ++i) frame();
    glFinish();
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID), wall = Seconds(CLOCK_MONOTONIC);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    for (int i = 0; i < frames; ++i) {
      frame();
      glFinish();
    }
    glEndQuery(GL_SAMPLES_PASSED);
    const double cpuMs = (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) * 1000 / frames;
    const double wallMs = (Seconds(CLOCK_MONOTONIC) - wall) * 1000 / frames;
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    if (wallMs < best.WallMs) best = Cost{cpuMs, wallMs, static_cast<double>(samples) / frames};
  }
  glDeleteQueries(1, &query);
  return best;
}

// Seconds since the process started, from the kernel's record of it (10 ms steps).
double SinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  for (int i = 0; i < 22 && stat >> field; ++i) {
  }
  double uptime = 0;
  std::ifstream("/proc/uptime") >> uptime;
  return uptime - std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

uint32_t StillClock() { return 1000; }

// A clock that stands still and a fixed seed: every run draws the same.
struct StillInput : ZrInputSource {
  uint32_t Ticks() override { return StillClock(); }
  uint64_t Seed() override { return 7; }
};
StillInput g_still;

// A battle in full swing: the base in the middle, every tank inside the window.
void BuildBattle(ZrGfx& gfx, int tanks) {
  Game.Monsters = std::make_unique<ZrMonstList>(gfx);
  Game.Monsters->Load();
  Game.Explosions->Clear();
  RandSeed(1);
  for (int i = 0; i < tanks; ++i) {
    Game.Monsters->AddMonster();
    ZrMonst& t = *Game.Monsters->Items.back();
    t.X = static_cast<float>(64 + Random(672));
    t.Y = static_cast<float>(64 + Random(472));
  }
  Game.Base->X = 400;
  Game.Base->Y = 300;
  Game.GameState = gsBattle;
}

// One pass of the current screen; the base never falls, so the battle goes on.
void Pass() {
  Game.Base->Health = 100;
  RunGameStep();
}

}  // namespace

int main() {
  const double beforeMain = SinceProcessStart();
  const double t0 = Seconds(CLOCK_MONOTONIC);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (!std::filesystem::exists("data/monst_0.tga")) {
    std::fprintf(stderr, "no data/ here: run it where the game's images are\n");
    return 1;
  }

  // Start-up, in the entry's order.
  Randomize();
  ZrGfx gfx;
  gfx.WndProc = &GameWndProc;
  Game.Gfx = &gfx;
  gfx.OpenWindow("Zr Ironfall", 800, 600, 32, false);
  if (gfx.RC == nullptr) {
    std::fprintf(stderr, "no GL context\n");
    return 1;
  }
  const double t1 = Seconds(CLOCK_MONOTONIC);
  gfx.BuildFont();
  glFinish();
  const double t2 = Seconds(CLOCK_MONOTONIC);
  RunGameStep();  // loading: the best score, the pictures, the world
  glFinish();
  const double t3 = Seconds(CLOCK_MONOTONIC);
  while (gfx.FramesShown == 0) RunGameStep();  // the first menu frame
  glFinish();
  const double t4 = Seconds(CLOCK_MONOTONIC);

  std::printf("GL renderer: %s, 800 x 600\n\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  std::printf("start-up to the first menu frame: %.1f ms\n", (beforeMain + t4 - t0) * 1000);
  std::printf("  %-36s %8.1f ms\n", "process start to main (10 ms steps)", beforeMain * 1000);
  std::printf("  %-36s %8.1f ms\n", "window and GL context", (t1 - t0) * 1000);
  std::printf("  %-36s %8.1f ms\n", "font (256 glyph lists)", (t2 - t1) * 1000);
  std::printf("  %-36s %8.1f ms\n", "loading (best score, pictures)", (t3 - t2) * 1000);
  std::printf("  %-36s %8.1f ms\n\n", "first menu frame", (t4 - t3) * 1000);

  gfx.MinFrameNs = 0;
  ZrInputScope still(g_still);
  gfx.LastTick = StillClock();
  gfx.Fps = 60;  // a steady reading, as at the paced 60 frames a second

  // The floor for the same pixels: a clear and the background quad, presented; and the
  // fill rate of blended, textured 128 x 128 quads.
  const Cost floor = Measure([&] {
    gfx.ClearFrame();
    gfx.Begin2D();
    glColor3f(1, 1, 1);
    DrawBackground();
    gfx.End2D();
    gfx.EndFrame();
  }, 50);
  const int quads = 200;
  const Cost blended = Measure([&] {
    gfx.Begin2D();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Game.BackgroundTexture);
    glColor4f(1, 1, 1, 0.5f);
    glBegin(GL_QUADS);
    for (int i = 0; i < quads; ++i) {
      const float x = static_cast<float>(i * 37 % 672), y = static_cast<float>(i * 53 % 472);
      glTexCoord2f(0, 0), glVertex2f(x, y);
      glTexCoord2f(1, 0), glVertex2f(x + 128, y);
      glTexCoord2f(1, 1), glVertex2f(x + 128, y + 128);
      glTexCoord2f(0, 1), glVertex2f(x, y + 128);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    gfx.End2D();
  }, 20);
  const double nsPerPixel = blended.WallMs * 1e6 / (quads * 128.0 * 128.0);
  std::printf("floor: clear + background quad + swap   %7.3f ms CPU %7.3f ms wall\n", floor.CpuMs, floor.WallMs);
  std::printf("fill rate, blended 128 x 128 quads      %7.1f Mpixels/s (wall)\n\n", 1e3 / nsPerPixel);

  std::printf("%-22s %10s %10s %14s %10s\n", "screen, per frame", "CPU ms", "wall ms", "pixels drawn", "/ floor");
  auto report = [&](const char* name, const std::function<void()>& frame, int frames) {
    const Cost c = Measure(frame, frames);
    // The floor for these pixels: the background's frame, and the rest at the fill rate.
    const double pixelFloor = floor.WallMs + std::max(0.0, c.Pixels - 800.0 * 600.0) * nsPerPixel * 1e-6;
    std::printf("%-22s %10.3f %10.3f %14.0f %10.2f\n", name, c.CpuMs, c.WallMs, c.Pixels, c.WallMs / pixelFloor);
    std::fflush(stdout);
  };

  Game.GameState = gsMenu;
  report("menu, drawn", [&] { gfx.InvalidatePicture(), RunGameStep(); }, 30);
  report("menu, skipped", RunGameStep, 200);
  for (int tanks : {1, 10, 50}) {
    BuildBattle(gfx, tanks);
    const std::string name = "battle, " + std::to_string(tanks) + (tanks == 1 ? " tank" : " tanks");
    report(name.c_str(), Pass, 30);
  }
  Game.GameState = gsGameOver;
  report("game over, 50 tanks", Pass, 30);
  Game.GameState = gsRecords;
  report("records", Pass, 30);

  // The picture scaled. The offscreen driver's window cannot grow, so a larger one
  // borrows the game's context, and the client area is what WM_SIZE would say.
  SDL_Window* large = SDL_CreateWindow("large", 0, 0, 1920, 1200, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (large == nullptr || SDL_GL_MakeCurrent(large, SdlState::Context) != 0) {
    std::fprintf(stderr, "no larger offscreen window: %s\n", SDL_GetError());
  } else {
    std::printf("\n%-28s %18s %22s\n", "client area", "menu, drawn: ms", "battle, 10 tanks: ms");
    for (auto [w, h, what] : {std::tuple{800, 600, "800 x 600 (straight)"}, std::tuple{1600, 1200, "1600 x 1200 (2x)"},
                              std::tuple{1920, 1080, "1920 x 1080 (1.8x, smooth)"}}) {
      gfx.Resize(w, h);
      Game.GameState = gsMenu;
      const Cost menu = Measure([&] { gfx.InvalidatePicture(), RunGameStep(); }, 30);
      BuildBattle(gfx, 10);
      const Cost battle = Measure(Pass, 30);
      std::printf("%-28s %8.2f CPU %5.2f wall %9.2f CPU %6.2f wall\n", what, menu.CpuMs, menu.WallMs, battle.CpuMs,
                  battle.WallMs);
    }
    SDL_GL_MakeCurrent(SdlState::Window, SdlState::Context);
    SDL_DestroyWindow(large);
    gfx.Resize(800, 600);
  }
  FreeGame();
  gfx.KillFont();
  return 0;
}
