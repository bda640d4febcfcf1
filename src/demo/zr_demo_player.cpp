#include "demo/zr_demo_player.h"

#include "demo/zr_game_start.h"
#include "demo/zr_state_hash.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_game.h"
#include "shell/zr_game_input.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {

bool IsTick(ZrDemoTag t) { return t == dtTick; }
bool IsSeed(ZrDemoTag t) { return t == dtSeed; }
bool IsPoll(ZrDemoTag t) { return t == dtPollNone || t == dtPollMessage || t == dtPollQuit; }
bool IsPassEnd(ZrDemoTag t) { return t == dtPassEnd || t == dtPassHash; }

}  // namespace

ZrDemoPlayer::ZrDemoPlayer(ZrGfx& gfx, ZrDemoReader& demo)
    : Gfx(gfx), Demo(demo), Scope(*this), Prelude(demo.StartsAtNewGame()) {
  KeepBestScoreInMemory(demo.Header().BestScore);
}

ZrDemoPlayer::~ZrDemoPlayer() { KeepBestScoreInFile(); }

ZrDemoEvent ZrDemoPlayer::Expect(bool (*fits)(ZrDemoTag)) {
  ReplayDeliveries();
  ZrDemoEvent event;
  if (!Demo.Next(event) || !fits(event.Tag)) throw ZrDemoOutOfStep(Frames);
  return event;
}

void ZrDemoPlayer::ReplayDeliveries() {
  ZrDemoEvent event;
  while (Demo.Peek(event) && (event.Tag == dtMessage || event.Tag == dtGameMouse)) {
    Demo.Next(event);
    if (event.Tag == dtGameMouse) {
      ApplyGamePointer(Gfx, static_cast<int32_t>(event.Value), static_cast<int32_t>(event.Y));
    } else {
      ApplyGameInput(Gfx, event.Message, event.Value);
    }
  }
}

// While a demo that starts at a new game waits for the game to load, what loading reads
// does not matter: the demo's first record sets it all afterwards.
uint32_t ZrDemoPlayer::Ticks() { return Prelude ? 0 : static_cast<uint32_t>(Expect(IsTick).Value); }

uint64_t ZrDemoPlayer::Seed() { return Prelude ? 0 : Expect(IsSeed).Value; }

bool ZrDemoPlayer::Poll(ZrMsg& msg) {
  if (Prelude) return false;
  const ZrDemoEvent event = Expect(IsPoll);
  if (event.Tag == dtPollNone) return false;
  msg = ZrMsg{Gfx.Wnd, event.Tag == dtPollQuit ? WM_QUIT : 0u, event.Message, 0};
  return true;
}

void ZrDemoPlayer::Dispatch(const ZrMsg&) { ReplayDeliveries(); }

intptr_t ZrDemoPlayer::Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_SIZE:
      // The window it plays in keeps its own size; only the recording stops the game.
      if (wParam == SIZE_MINIMIZED) return 0;
      Gfx.Resize(LoWord(static_cast<uintptr_t>(lParam)), HiWord(static_cast<uintptr_t>(lParam)));
      Gfx.InvalidatePicture();
      return 0;
    case WM_ACTIVATE:
      Gfx.InvalidatePicture();
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_SYSKEYDOWN:
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam != VK_ESCAPE) return 0;
      [[fallthrough]];
    case WM_CLOSE:
      Stopped = true;
      Gfx.Terminated = true;
      return 0;
    default:
      // The player's input is the recording's; what only the window itself shows (its
      // painting, its pointer) goes on as in the game.
      if (IsGameInput(message)) return 0;
      return GameWndProc(wnd, message, wParam, lParam);
  }
}

void ZrDemoPlayer::EndPass() {
  const ZrDemoEvent event = Expect(IsPassEnd);
  Hash = GameStateHash();
  if (event.Tag == dtPassHash && event.Value != Hash) throw ZrDemoOutOfStep(Frames);
  if (Game.GameState == gsGameOver) GameOver = true;
  if (Game.GameState == gsNewGame || Game.GameState == gsBattle) GameOver = false;
  ++Frames;
}

void ZrDemoPlayer::BeforePass() {
  if (FirstPass) {
    FirstPass = false;
    if (Prelude) {
      Gfx.Active = true;  // this pass loads the game
    } else {
      EndPass();  // the pass before the loop: the seed, the window's first messages
    }
  }
  PumpRealMessages();
  ZrDemoEvent next;
  if (!Prelude && !Demo.Peek(next)) Gfx.Terminated = true;  // the recording is over
}

void ZrDemoPlayer::PumpRealMessages() {
  if (Gfx.Headless) return;  // no window, and no player to stop it
  ZrMsg msg;
  while (Platform::PollMessage(msg)) {
    if (msg.Message == WM_QUIT) {
      Stopped = true;
      Gfx.Terminated = true;
    } else {
      Platform::DeliverMessage(msg);
    }
  }
}

void ZrDemoPlayer::AfterPass() {
  if (Stopped) return;
  if (Prelude) {
    if (Game.GameState == gsLoading) return;
    RestoreGameStart(Gfx, Demo.Start(), Demo.Header().BestScore);
    Prelude = false;
    return;
  }
  EndPass();
}

void ZrDemoPlayer::Finish() {
  if (Stopped) return;
  ZrDemoEvent next;
  if (Demo.Peek(next)) throw ZrDemoOutOfStep(Frames);
  if (!Demo.Finished()) return;
  const ZrDemoEnd& end = Demo.End();
  if (end.StateHash != Hash || end.Score != Game.Score || end.GameOver != GameOver) throw ZrDemoOutOfStep(Frames);
}
