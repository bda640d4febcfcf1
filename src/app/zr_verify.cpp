#include "app/zr_verify.h"

#include <cinttypes>
#include <cstdio>

#include "app/zr_loading.h"
#include "app/zr_main_loop.h"
#include "demo/zr_demo_format.h"
#include "demo/zr_demo_player.h"
#include "demo/zr_pass_watcher.h"
#include "platform/platform.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_input_source.h"
#include "shell/zr_random.h"

namespace {

// The player's passes, counted against the limits.
class VerifyPasses : public ZrPassWatcher {
 public:
  VerifyPasses(ZrDemoPlayer& player, ZrGfx& gfx, const ZrVerifyLimits& limits)
      : Player(player), Gfx(gfx), Limits(limits), StartNs(Platform::FineClockNs()) {}

  void BeforePass() override {
    Player.BeforePass();
    if (Gfx.Terminated) return;
    const bool passesSpent = Limits.MaxPasses != 0 && Player.FramesPlayed() >= Limits.MaxPasses;
    const bool timeSpent = Limits.MaxNs != 0 && Platform::FineClockNs() - StartNs >= Limits.MaxNs;
    if (passesSpent || timeSpent) {
      OverLimit = true;
      Gfx.Terminated = true;
    }
  }
  void AfterPass() override { Player.AfterPass(); }

  bool OverLimit = false;

 private:
  ZrDemoPlayer& Player;
  ZrGfx& Gfx;
  ZrVerifyLimits Limits;
  uint64_t StartNs;
};

// At most one byte more than a demo may have, so that a larger file is refused whole.
bool ReadAtMost(const std::string& path, size_t most, std::vector<uint8_t>& bytes) {
  std::FILE* f = Platform::OpenFile(path, "rb");
  if (f == nullptr) return false;
  std::vector<uint8_t> chunk(1 << 16);
  size_t n = 0;
  while (bytes.size() <= most && (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
  }
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

}  // namespace

ZrVerifyResult VerifyDemo(std::vector<uint8_t> bytes, const ZrVerifyLimits& limits) {
  ZrVerifyResult result;
  ZrDemoReader demo;
  if (!demo.Open(std::move(bytes))) {
    result.ExitCode = 2;
    result.Reason = demo.Error();
    return result;
  }
  result.CutShort = demo.CutShort();
  if (demo.Finished()) result.ClaimedScore = demo.End().Score;
  ZrGfx gfx;
  Game.Gfx = &gfx;
  try {
    // The order of a played game's start: the player becomes the game's input, the seed
    // is read, the window opens.
    ZrDemoPlayer player(gfx, demo);
    gfx.WndProc = &InputWindowProc;
    VerifyPasses passes(player, gfx, limits);
    Randomize();
    gfx.OpenHeadless(800, 600);
    MainLoop(gfx, &passes);
    if (passes.OverLimit) {
      result.ExitCode = 4;
      result.Reason = "stopped at its limit, at frame " + std::to_string(player.FramesPlayed());
    } else {
      player.Finish();
    }
    result.Frames = player.FramesPlayed();
    result.StateHash = player.LastHash();
    result.Score = Game.Score;
    result.GameOver = player.EndedInGameOver();
  } catch (const ZrDemoOutOfStep& parted) {
    result.ExitCode = 3;
    result.Reason = parted.what();
    result.Frames = parted.Frame;
  } catch (const std::exception& error) {
    result.ExitCode = 1;
    result.Reason = error.what();
  }
  FreeGame();
  Game.Gfx = nullptr;
  return result;
}

std::string VerifyLine(const ZrVerifyResult& result) {
  char line[128];
  std::snprintf(line, sizeof line, "verify: score %" PRIu32 ", frames %" PRIu64 ", state %016" PRIx64 "\n",
                result.Score, result.Frames, result.StateHash);
  return line;
}

int VerifyDemoFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadAtMost(path, DemoMaxFileBytes, bytes)) {
    Platform::PrintToUser("zr_ironfall: " + path + ": cannot be read\n", true);
    return 2;
  }
  const ZrVerifyResult result = VerifyDemo(std::move(bytes));
  switch (result.ExitCode) {
    case 0:
      if (result.CutShort) {
        std::fprintf(stderr, "demo: the recording was cut short; it played to its last whole frame\n");
      }
      Platform::PrintToUser(VerifyLine(result), false);
      return 0;
    case 2: Platform::PrintToUser("zr_ironfall: " + path + ": not a demo that can be played: " + result.Reason + "\n", true); return 2;
    case 3: Platform::PrintToUser(result.Reason + "\n", false); return 3;
    default: Platform::PrintToUser("zr_ironfall: " + path + ": " + result.Reason + "\n", true); return 1;
  }
}
