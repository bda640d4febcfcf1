#include "demo/zr_demo_recorder.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

#include "demo/zr_game_start.h"
#include "demo/zr_state_hash.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_errors.h"
#include "shell/zr_game.h"
#include "shell/zr_game_input.h"
#include "shell/zr_gfx.h"

namespace {

std::string ErrnoText(const char* otherwise) { return errno != 0 ? std::strerror(errno) : otherwise; }

}  // namespace

ZrDemoRecorder::ZrDemoRecorder(ZrGfx& gfx, const std::string& filePath, const std::string& gameVersion)
    : Gfx(gfx), Scope(*this), GameVersion(gameVersion), Path(filePath) {
  if (!filePath.empty()) {
    errno = 0;
    Out = Platform::OpenFile(filePath, "wb");
    if (Out == nullptr) throw EInOutError(ErrnoText("File creation error"), filePath);
    File = std::make_unique<ZrDemoWriter>(ZrDemoHeader{gameVersion, 0}, 1);
  }
  SetBestGameSource([this](uint32_t, std::vector<uint8_t>& bytes, std::string& whyNot) { return BestGame(bytes, whyNot); });
}

ZrDemoRecorder::~ZrDemoRecorder() {
  SetBestGameSource(nullptr);
  if (Out != nullptr) std::fclose(Out);
}

uint32_t ZrDemoRecorder::Ticks() {
  const uint32_t ticks = Scope.Below().Ticks();
  EachWriter([&](ZrDemoWriter& w) { w.Tick(ticks); });
  return ticks;
}

uint64_t ZrDemoRecorder::Seed() {
  const uint64_t seed = Scope.Below().Seed();
  EachWriter([&](ZrDemoWriter& w) { w.Seed(seed); });
  return seed;
}

bool ZrDemoRecorder::Poll(ZrMsg& msg) {
  const bool polled = Scope.Below().Poll(msg);
  EachWriter([&](ZrDemoWriter& w) {
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

intptr_t ZrDemoRecorder::Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (IsGameInput(message)) {
    if (message == WM_MOUSEMOVE) {
      // In the game's pixels, as the game will take them, whatever the window's size.
      const int32_t x = Gfx.GameX(LoWord(static_cast<uintptr_t>(lParam)));
      const int32_t y = Gfx.GameY(HiWord(static_cast<uintptr_t>(lParam)));
      EachWriter([&](ZrDemoWriter& w) { w.GameMouse(x, y); });
    } else {
      EachWriter([&](ZrDemoWriter& w) { w.Message(message, wParam); });
    }
  }
  return Scope.Below().Window(wnd, message, wParam, lParam);
}

void ZrDemoRecorder::BeforePass() {
  // Everything before the first pass (the seed, the window's first messages) is a pass
  // of its own.
  if (FirstPass) {
    FirstPass = false;
    StateBefore = -1;
    AfterPass();
  }
  // The best game begins here, with all that the game depends on from now on.
  if (Game.GameState == gsNewGame) {
    Kept = std::make_unique<ZrDemoWriter>(ZrDemoHeader{GameVersion, Game.BestScore}, 1);
    Kept->Start(CaptureGameStart(Gfx));
  }
  StateBefore = Game.GameState;
}

void ZrDemoRecorder::AfterPass() {
  const uint64_t hash = GameStateHash();
  if (Game.GameState == gsGameOver) GameOver = true;
  if (Game.GameState == gsNewGame || Game.GameState == gsBattle) GameOver = false;
  if (File && !FileEnded) {
    if (!File->EndPass(hash)) {
      EndFile(true);
    } else {
      FileScore = Game.Score;
      FileGameOver = GameOver;
    }
  }
  // A game too long to keep stops growing; it is said if it sets a best score.
  if (Kept) Kept->EndPass(hash);
  // The header holds the best score the game started with, known once it has loaded.
  if (!HeaderDone && StateBefore == gsLoading && Game.GameState != gsLoading) {
    HeaderDone = true;
    if (File) File->SetBestScore(Game.BestScore);
  }
  if (HeaderDone) WriteOut();
}

bool ZrDemoRecorder::BestGame(std::vector<uint8_t>& bytes, std::string& whyNot) const {
  if (!Kept) {
    whyNot = "it was not recorded";
    return false;
  }
  if (Kept->Full()) {
    whyNot = "it is longer than a demo can hold";
    return false;
  }
  // Asked while the pass that saves the score is under way: the game's passes are all
  // whole, and it ends in its game over.
  bytes = Kept->Snapshot(Game.Score, GameOver);
  return true;
}

void ZrDemoRecorder::WriteOut() {
  if (Out == nullptr) return;
  const std::vector<uint8_t> bytes = File->Take();
  // Frame by frame, so a run cut short by a crash still plays to its last whole frame. A
  // full disk or a lost folder ends the game with its message: a recording with holes
  // would be no recording.
  errno = 0;
  if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), Out) != bytes.size()) || std::fflush(Out) != 0) {
    throw EInOutError(ErrnoText("Write error"), Path);
  }
}

void ZrDemoRecorder::EndFile(bool atLimit) {
  FileEnded = true;
  File->Finish(FileScore, FileGameOver);
  WriteOut();
  errno = 0;
  const bool closed = std::fclose(Out) == 0;
  Out = nullptr;
  if (!closed) throw EInOutError(ErrnoText("Write error"), Path);
  if (atLimit) {
    std::fprintf(stderr, "demo: the recording is as long as a demo can be; it ends at frame %" PRIu64 "\n",
                 File->Passes());
  }
}

void ZrDemoRecorder::Finish() {
  HeaderDone = true;
  if (!File) return;
  if (!FileEnded) EndFile(false);
  char line[96];
  std::snprintf(line, sizeof line, "demo: %" PRIu64 " frames, state %016" PRIx64 "\n", File->Passes(),
                File->LastPassHash());
  Platform::PrintToUser(line, false);
}
