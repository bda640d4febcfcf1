// Prints how evenly the real game paces its frames: the period between frames presented
// during a battle (mean, standard deviation, median, 99th percentile and the longest, in
// milliseconds) and the frame rate it makes. The game runs as it ships, in its own window,
// with its own pacing; the base is kept alive and a fireball is fired now and then, so
// the frames are battle frames throughout.
// Run it where data/ holds the game's images (the repository root), on a display (Xvfb
// will do): bench_frame_pacing [frames, at least 600; 1200 by default]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/zr_loading.h"
#include "app/zr_main_loop.h"
#include "platform/platform.h"
#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "shell/zr_wndproc.h"
#include "world/zr_base.h"

namespace {

constexpr size_t kWarmUpFrames = 60;  // the first frames of a battle build its textures' caches

void Fire(int frame) {
  const uint16_t x = static_cast<uint16_t>(100 + frame * 37 % 600), y = static_cast<uint16_t>(80 + frame * 53 % 440);
  Platform::QueueMessage(ZrMsg{nullptr, WM_MOUSEMOVE, 0, MakeLParam(x, y)});
  Platform::QueueMessage(ZrMsg{nullptr, WM_LBUTTONDOWN, 0, MakeLParam(x, y)});
  Platform::QueueMessage(ZrMsg{nullptr, WM_LBUTTONUP, 0, MakeLParam(x, y)});
}

double Ms(double ns) { return ns / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  const size_t frames = std::max<size_t>(600, argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1200);
  Randomize();
  ZrGfx gfx;
  gfx.WndProc = &GameWndProc;
  Game.Gfx = &gfx;
  gfx.OpenWindow("Zr Ironfall", 800, 600, 32, false);
  gfx.BuildFont();
  while (Game.GameState != gsMenu && !gfx.Terminated) RunGameStep();
  Game.GameState = gsNewGame;

  std::vector<uint64_t> shown;
  uint64_t seen = gfx.FramesShown;
  while (!gfx.Terminated && shown.size() < kWarmUpFrames + frames + 1) {
    if (Game.GameState != gsBattle && Game.GameState != gsNewGame) Game.GameState = gsNewGame;
    if (Game.Base) Game.Base->Health = 100;
    if (gfx.Active) {
      RunGameStep();
    } else {
      Platform::WaitForMessage();
      gfx.ProcessMessages();
    }
    if (gfx.FramesShown == seen) continue;
    seen = gfx.FramesShown;
    shown.push_back(Platform::FineClockNs());
    if (shown.size() % 20 == 0) Fire(static_cast<int>(shown.size()));
  }
  FreeGame();
  gfx.KillFont();
  if (shown.size() < kWarmUpFrames + frames + 1) {
    std::fprintf(stderr, "the game ended after %zu frames\n", shown.size());
    return 1;
  }

  std::vector<double> periods;
  for (size_t i = kWarmUpFrames + 1; i < shown.size(); ++i) periods.push_back(static_cast<double>(shown[i] - shown[i - 1]));
  double sum = 0;
  for (double p : periods) sum += p;
  const double mean = sum / periods.size();
  double squares = 0;
  for (double p : periods) squares += (p - mean) * (p - mean);
  const double sd = std::sqrt(squares / (periods.size() - 1));
  std::vector<double> sorted = periods;
  std::sort(sorted.begin(), sorted.end());
  const auto at = [&](double q) { return sorted[static_cast<size_t>(std::ceil(q * sorted.size())) - 1]; };
  const double span = static_cast<double>(shown.back() - shown[kWarmUpFrames]);
  std::printf("frame period over %zu battle frames (target %.3f ms):\n", periods.size(), Ms(1e9 / 60));
  std::printf("  mean %.3f ms (%+.2f%%), sd %.3f ms, median %.3f ms, p99 %.3f ms, max %.3f ms, min %.3f ms\n",
              Ms(mean), (mean / (1e9 / 60) - 1) * 100, Ms(sd), Ms(at(0.5)), Ms(at(0.99)), Ms(sorted.back()),
              Ms(sorted.front()));
  std::printf("  %.2f frames a second\n", periods.size() / (span / 1e9));
  Game.Gfx = nullptr;
  return 0;
}
