// Measures how the game's fireballs (ZrWeapon::Fly) and tanks (ZrMonstList::AnimateOne)
// end their flights and legs, against the design's own arrival tests followed in a loop
// of their own (tests/arrival_reference.h), at fixed frame-rate readings:
//   same   the game ends on the design's frame at the design's point
//   early  the game ends before the design's frame
//   late   the game ends after it (or not at all)
//   design-jitter  the design never ends (2000 frames past the time the way takes), or
//                  reaches NaN standing untaken on its target; of those, game-jitter:
//                  the game does not end either
//   after-2nd      the design ends only after its second crossing of the target
// Run it where data/ holds the game's images. Usage: bench_arrival [flights] [legs]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "../tests/arrival_reference.h"
#include "app/zr_loading.h"
#include "shell/zr_input_source.h"
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

// A clock that stands still and a fixed seed: every run draws the same.
struct StillInput : ZrInputSource {
  uint32_t Ticks() override { return StillClock(); }
  uint64_t Seed() override { return 7; }
};
StillInput g_still;

struct Counts {
  int N = 0, Same = 0, Early = 0, Late = 0, DesignJitter = 0, GameJitter = 0, AfterSecond = 0;
};

void Tally(Counts& c, const design::Arrival& d, int gameFrame, float gx, float gy) {
  ++c.N;
  if (d.Frame < 0 || d.NoHeading) {
    ++c.DesignJitter;
    if (gameFrame < 0) ++c.GameJitter;
    return;
  }
  if (d.SecondCrossing >= 0 && d.SecondCrossing + 1 < d.Frame) ++c.AfterSecond;
  if (gameFrame == d.Frame && gx == d.X && gy == d.Y) ++c.Same;
  else if (gameFrame >= 0 && gameFrame < d.Frame) ++c.Early;
  else ++c.Late;
}

void Print(const char* what, uint32_t lo, uint32_t hi, const Counts& c) {
  std::printf("%-9s %4u-%-4u %6d %6d %6d %6d %14d %12d %10d\n", what, lo, hi, c.N, c.Same, c.Early, c.Late,
              c.DesignJitter, c.GameJitter, c.AfterSecond);
  std::fflush(stdout);
}

void SetFps(ZrGfx& gfx, uint32_t fps) {
  gfx.LastTick = StillClock();
  gfx.Fps = fps;
}

Counts Flights(ZrGfx& gfx, std::mt19937& rng, int n, uint32_t lo, uint32_t hi) {
  Counts c;
  Game.Monsters = std::make_unique<ZrMonstList>(gfx);  // no tanks: no bursts kill, none are added
  ZrWeapon w(gfx);
  for (int i = 0; i < n; ++i) {
    const uint32_t fps = lo + rng() % (hi - lo + 1);
    // From the base, moved up a few key presses, to a click somewhere in the window.
    const float x0 = 400, y0 = static_cast<float>(300 - 1.1 * (rng() % 60));
    const float tx = static_cast<float>(rng() % 800), ty = static_cast<float>(rng() % 600);
    const float step = design::StepOf(fps, 20);
    const int limit = static_cast<int>(std::hypot(tx - x0, ty - y0) / step) + 2000;
    const design::Arrival d = design::Fireball(x0, y0, tx, ty, fps, limit);
    SetFps(gfx, fps);
    w.Launch(x0, y0, tx, ty);
    int frame = -1;
    float gx = 0, gy = 0;
    for (int f = 0; f < limit; ++f) {
      gx = w.X;
      gy = w.Y;
      w.Fly();
      if (!w.InFlight) {
        frame = f;
        break;
      }
    }
    Game.Explosions->Clear();
    Tally(c, d, frame, gx, gy);
  }
  return c;
}

Counts Legs(ZrGfx& gfx, std::mt19937& rng, int n, uint32_t lo, uint32_t hi) {
  Counts c;
  Game.Monsters = std::make_unique<ZrMonstList>(gfx);
  Game.Monsters->AddMonster();
  ZrMonstList& list = *Game.Monsters;
  ZrMonst& t = *list.Items[0];
  std::uniform_real_distribution<float> offset(-0.5f, 0.5f);
  for (int i = 0; i < n; ++i) {
    const uint32_t fps = lo + rng() % (hi - lo + 1);
    // From near the last waypoint, where a tank sets off, to the next one.
    const float x0 = static_cast<float>(rng() % 800) + offset(rng), y0 = static_cast<float>(rng() % 600) + offset(rng);
    const float tx = static_cast<float>(rng() % 800), ty = static_cast<float>(rng() % 600);
    const float speed = static_cast<float>(5 + rng() % 10);
    const float step = design::StepOf(fps, speed);
    const int limit = static_cast<int>(std::hypot(tx - x0, ty - y0) / step) + 2000;
    const design::Arrival d = design::TankLeg(x0, y0, tx, ty, speed, fps, limit);
    SetFps(gfx, fps);
    t.X = x0, t.Y = y0, t.TargetX = tx, t.TargetY = ty, t.Speed = speed, t.Turning = false;
    t.NewWaypoint();  // whatever the tank keeps per leg starts afresh
    t.TargetX = tx, t.TargetY = ty, t.Speed = speed, t.Turning = false;
    t.BodyAngle = design::Heading(x0, y0, tx, ty);
    int frame = -1;
    float gx = 0, gy = 0;
    for (int f = 0; f < limit; ++f) {
      gx = t.X;
      gy = t.Y;
      list.AnimateOne(0);
      if (t.Turning || t.TargetX != tx || t.TargetY != ty) {
        frame = f;
        break;
      }
    }
    Tally(c, d, frame, gx, gy);
    glFinish();  // lets the driver drop the drawing queued so far
  }
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  const int flights = argc > 1 ? std::atoi(argv[1]) : 19000;
  const int legs = argc > 2 ? std::atoi(argv[2]) : 15000;
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
  ZrInputScope still(g_still);
  RandSeed(1);
  Game.Base = std::make_unique<ZrBase>(gfx);
  Game.Base->X = -100000;  // no tank rams it, no burst reaches it
  Game.Base->Y = -100000;
  Game.Base->Size = 32;
  Game.Base->Health = 100;
  Game.Explosions = std::make_unique<ZrExplList>(gfx, "data\\expl.tga", "data\\smoke.tga");
  glEnable(GL_SCISSOR_TEST);  // the tank's drawing costs only the rasteriser's time
  glScissor(0, 0, 1, 1);

  std::printf("%-9s %9s %6s %6s %6s %6s %14s %12s %10s\n", "", "readings", "n", "same", "early", "late",
              "design-jitter", "game-jitter", "after-2nd");
  for (const auto& [lo, hi] : {std::pair<uint32_t, uint32_t>{30, 64}, {60, 64}, {65, 1000}}) {
    std::mt19937 rng(1);
    Print("fireballs", lo, hi, Flights(gfx, rng, flights, lo, hi));
    Print("tank legs", lo, hi, Legs(gfx, rng, legs, lo, hi));
  }
  FreeGame();
  return 0;
}
