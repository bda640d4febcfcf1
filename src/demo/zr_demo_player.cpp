#include "demo/zr_demo_player.h"

#include "demo/zr_recorded_messages.h"
#include "demo/zr_state_hash.h"
#include "platform/platform_hooks.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {

ZrDemoPlayer* g_player = nullptr;

bool IsTick(ZrDemoTag t) { return t == dtTick; }
bool IsSeed(ZrDemoTag t) { return t == dtSeed; }
bool IsPoll(ZrDemoTag t) { return t == dtPollNone || t == dtPollMessage || t == dtPollQuit; }
bool IsPassEnd(ZrDemoTag t) { return t == dtPassEnd || t == dtPassHash; }
bool IsDelivery(ZrDemoTag t) { return t == dtMessage || t == dtGameMouse; }

}  // namespace

ZrDemoPlayer::ZrDemoPlayer(ZrGfx& gfx, ZrDemoReader& demo) : Gfx(gfx), Demo(demo) {
  g_player = this;
  PlatformHooks::TickCount = &Ticks;
  PlatformHooks::SeedClock = &Seed;
  PlatformHooks::PollMessage = &Poll;
  PlatformHooks::DeliverMessage = &Deliver;
  KeepBestScoreInMemory(demo.Header().BestScore);
  PassStartNs = Platform::FineClockNs();
}

ZrDemoPlayer::~ZrDemoPlayer() {
  PlatformHooks::TickCount = nullptr;
  PlatformHooks::SeedClock = nullptr;
  PlatformHooks::PollMessage = nullptr;
  PlatformHooks::DeliverMessage = nullptr;
  KeepBestScoreInFile();
  g_player = nullptr;
}

ZrWndProc ZrDemoPlayer::WindowProc() { return &PlaybackWndProc; }

ZrDemoEvent ZrDemoPlayer::Expect(bool (*fits)(ZrDemoTag)) {
  ReplayDeliveries();
  ZrDemoEvent event;
  if (!Demo.Next(event) || !fits(event.Tag)) throw ZrDemoOutOfStep(Frames);
  return event;
}

void ZrDemoPlayer::ReplayDeliveries() {
  ZrDemoEvent event;
  while (Demo.Peek(event) && IsDelivery(event.Tag)) {
    Demo.Next(event);
    if (event.Tag == dtGameMouse) {
      GameWndProc(Gfx.Wnd, WM_ZR_GAMEMOUSEMOVE, static_cast<uint32_t>(event.Value),
                  static_cast<uint32_t>(event.LParam));
      continue;
    }
    intptr_t lParam = event.LParam;
    // The window it plays in keeps its own size; only a minimised one stops the game.
    if (event.Message == WM_SIZE && event.Value != SIZE_MINIMIZED) lParam = RealClientSize;
    // The desktop's full-screen key would switch the playing window; nothing else reads it.
    const bool fullScreenKey = (event.Message == WM_KEYDOWN || event.Message == WM_KEYUP) && event.Value != 0 &&
                               event.Value == Platform::FullScreenKey();
    if (!fullScreenKey) GameWndProc(Gfx.Wnd, event.Message, static_cast<uintptr_t>(event.Value), lParam);
  }
}

uint32_t ZrDemoPlayer::Ticks() {
  g_player->LastTicks = static_cast<uint32_t>(g_player->Expect(IsTick).Value);
  return g_player->LastTicks;
}

uint64_t ZrDemoPlayer::Seed() { return g_player->Expect(IsSeed).Value; }

bool ZrDemoPlayer::Poll(ZrMsg& msg) {
  const ZrDemoEvent event = g_player->Expect(IsPoll);
  if (event.Tag == dtPollNone) return false;
  msg = ZrMsg{g_player->Gfx.Wnd, event.Tag == dtPollQuit ? WM_QUIT : 0u, event.Message, 0};
  return true;
}

intptr_t ZrDemoPlayer::Deliver(const ZrMsg&) {
  g_player->ReplayDeliveries();
  return 0;
}

intptr_t ZR_WNDPROC_CALL ZrDemoPlayer::PlaybackWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam,
                                                        intptr_t lParam) {
  ZrDemoPlayer* p = g_player;
  if (p == nullptr) return GameWndProc(wnd, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) return 0;
      p->RealClientSize = lParam;
      p->Gfx.Resize(LoWord(static_cast<uintptr_t>(lParam)), HiWord(static_cast<uintptr_t>(lParam)));
      p->Gfx.InvalidatePicture();
      return 0;
    case WM_ACTIVATE:
      p->Gfx.InvalidatePicture();
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_SYSKEYDOWN:  // Alt+Enter is the player's input too
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam != VK_ESCAPE) return 0;
      [[fallthrough]];
    case WM_CLOSE:
      p->Stopped = true;
      p->Gfx.Terminated = true;
      return 0;
    default:
      // The player's input is the recording's; what only the window itself shows (its
      // painting, its menu keys) goes on as in the game.
      if (IsRecordedMessage(message)) return 0;
      return GameWndProc(wnd, message, wParam, lParam);
  }
}

void ZrDemoPlayer::EndPass() {
  const ZrDemoEvent event = Expect(IsPassEnd);
  Hash = GameStateHash();
  if (event.Tag == dtPassHash && event.Value != Hash) throw ZrDemoOutOfStep(Frames);
  ++Frames;
  const uint64_t now = Platform::FineClockNs();
  const uint64_t took = now - PassStartNs;
  TotalNs += took;
  if (took > LongestNs) LongestNs = took;
  PassStartNs = now;
}

void ZrDemoPlayer::BeforePass() {
  if (FirstPass) {
    FirstPass = false;
    EndPass();
  }
  PumpRealMessages();
  ZrDemoEvent next;
  if (!Demo.Peek(next)) Gfx.Terminated = true;  // the recording is over
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
  EndPass();
}

void ZrDemoPlayer::Finish() {
  ZrDemoEvent next;
  if (!Stopped && Demo.Peek(next)) throw ZrDemoOutOfStep(Frames);
}
