#include "demo/zr_demo_recorder.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>
#include <filesystem>

#include "demo/zr_data_hash.h"
#include "demo/zr_recorded_messages.h"
#include "demo/zr_state_hash.h"
#include "platform/platform_hooks.h"
#include "platform/zr_path.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_errors.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {

ZrDemoRecorder* g_recorder = nullptr;

// The best game keeps one state hash a second: enough to find where a later game parts
// from it, at a few kilobytes a minute.
constexpr uint32_t kBestGameHashEvery = 60;

}  // namespace

ZrDemoRecorder::ZrDemoRecorder(ZrGfx& gfx, const std::string& filePath, const ZrDemoHeader& header)
    : Gfx(gfx), Memory(header, kBestGameHashEvery) {
  if (!filePath.empty()) {
    errno = 0;
    Out = Platform::OpenFile(filePath, "wb");
    if (Out == nullptr) throw EInOutError(errno != 0 ? std::strerror(errno) : "File creation error", filePath);
    File = std::make_unique<ZrDemoWriter>(header, 1);
    File->SetDataHash(DataFolderHash("data"));
  }
  BestBefore = header.BestScore;
  PrevTicks = PlatformHooks::TickCount;
  PrevSeed = PlatformHooks::SeedClock;
  PrevPoll = PlatformHooks::PollMessage;
  PlatformHooks::TickCount = &Ticks;
  PlatformHooks::SeedClock = &Seed;
  PlatformHooks::PollMessage = &Poll;
  g_recorder = this;
}

ZrDemoRecorder::~ZrDemoRecorder() {
  PlatformHooks::TickCount = PrevTicks;
  PlatformHooks::SeedClock = PrevSeed;
  PlatformHooks::PollMessage = PrevPoll;
  g_recorder = nullptr;
  if (Out != nullptr) std::fclose(Out);
}

ZrWndProc ZrDemoRecorder::WindowProc() { return &RecordingWndProc; }

uint32_t ZrDemoRecorder::Ticks() {
  ZrDemoRecorder& r = *g_recorder;
  const uint32_t ticks = r.PrevTicks != nullptr ? r.PrevTicks() : Platform::TickCount();
  r.EachWriter([&](ZrDemoWriter& w) { w.Tick(ticks); });
  return ticks;
}

uint64_t ZrDemoRecorder::Seed() {
  ZrDemoRecorder& r = *g_recorder;
  const uint64_t seed = r.PrevSeed != nullptr ? r.PrevSeed() : Platform::FineClockNs();
  r.EachWriter([&](ZrDemoWriter& w) { w.Seed(seed); });
  return seed;
}

bool ZrDemoRecorder::Poll(ZrMsg& msg) {
  ZrDemoRecorder& r = *g_recorder;
  const bool polled = r.PrevPoll != nullptr ? r.PrevPoll(msg) : Platform::PollMessage(msg);
  r.EachWriter([&](ZrDemoWriter& w) {
    if (!polled) {
      w.PollNone();
    } else if (msg.Message == WM_QUIT) {
      w.PollQuit(static_cast<uint32_t>(msg.WParam));
    } else {
      w.PollMessage();
    }
  });
  return polled;
}

intptr_t ZR_WNDPROC_CALL ZrDemoRecorder::RecordingWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam,
                                                           intptr_t lParam) {
  if (g_recorder != nullptr && IsRecordedMessage(message)) {
    ZrDemoRecorder& r = *g_recorder;
    if (message == WM_MOUSEMOVE) {
      // In the game's pixels, as the game will take them, whatever the window's size.
      const int32_t x = r.Gfx.GameX(LoWord(static_cast<uintptr_t>(lParam)));
      const int32_t y = r.Gfx.GameY(HiWord(static_cast<uintptr_t>(lParam)));
      r.EachWriter([&](ZrDemoWriter& w) { w.GameMouse(x, y); });
    } else {
      r.EachWriter([&](ZrDemoWriter& w) { w.Message(message, wParam, lParam); });
    }
  }
  return GameWndProc(wnd, message, wParam, lParam);
}

void ZrDemoRecorder::BeforePass() {
  // Everything before the first pass (the seed, the window's first messages) is a pass
  // of its own.
  if (FirstPass) {
    FirstPass = false;
    StateBefore = -1;
    AfterPass();
  }
  BestBefore = Game.BestScore;
  StateBefore = Game.GameState;
}

void ZrDemoRecorder::AfterPass() {
  const uint64_t hash = GameStateHash();
  EachWriter([&](ZrDemoWriter& w) { w.EndPass(hash); });
  // The header holds the best score the game started with, known once it has loaded.
  if (!HeaderDone && StateBefore == gsLoading && Game.GameState != gsLoading) {
    HeaderDone = true;
    EachWriter([&](ZrDemoWriter& w) { w.SetBestScore(Game.BestScore); });
  }
  if (HeaderDone) WriteOut();
  if (StateBefore == gsGameOver && Game.BestScore > BestBefore) SaveBestGame();
}

void ZrDemoRecorder::WriteOut() {
  if (Out == nullptr) return;
  const std::vector<uint8_t> bytes = File->Take();
  // Frame by frame, so a run cut short by a crash still plays to its last whole frame.
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), Out);
  std::fflush(Out);
}

void ZrDemoRecorder::Finish() {
  HeaderDone = true;
  const uint64_t hash = GameStateHash();
  Memory.Finish(hash);
  if (!File) return;
  File->Finish(hash);
  WriteOut();
  char line[96];
  std::snprintf(line, sizeof line, "demo: %" PRIu64 " frames, state %016" PRIx64 "\n", File->Passes(), hash);
  Platform::PrintToUser(line, false);
}

namespace {

std::string BesideScore(const std::string& scorePath) {
  return Utf8FromPath(PathFromUtf8(scorePath).replace_filename("bs.zrd"));
}

}  // namespace

std::string ZrDemoRecorder::BestGamePath() {
  // Beside the score file that holds a best game: the game's own folder's, or the
  // player's folder's where the game's own refused the score.
  const std::vector<std::string> places = BestScorePaths();
  for (const std::string& place : places) {
    std::error_code ec;
    if (std::filesystem::exists(PathFromUtf8(BesideScore(place)), ec)) return BesideScore(place);
  }
  return BesideScore(places.front());
}

void ZrDemoRecorder::SaveBestGame() {
  // Only a game that is kept needs the pictures' hash: no start pays for reading them.
  if (!MemoryHasDataHash) {
    MemoryHasDataHash = true;
    Memory.SetDataHash(DataFolderHash("data"));
  }
  const std::vector<uint8_t> bytes = Memory.Snapshot(GameStateHash());
  const std::string path = BesideScore(BestScorePaths().front());
  // Beside the score and never in its place; a best game that cannot be kept costs the
  // player nothing else, so a line on stderr says it.
  const std::string failure = ReplaceFileContents(path, std::string(bytes.begin(), bytes.end()));
  if (!failure.empty()) std::fprintf(stderr, "Zr Ironfall: the best game was not kept (%s)\n", failure.c_str());
}
