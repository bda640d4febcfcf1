// The message queue of the browser backend. The game's loop runs as it does on the
// desktop; wherever it waits, the browser gets the thread back (ASYNCIFY) to draw the
// frame and deliver events, which the callbacks put on the queue.
#include <emscripten.h>

#include <cmath>

#include "platform/platform.h"
#include "platform/web/web_state.h"
#include "platform/zr_winmsg.h"

namespace WebState {

EM_ASYNC_JS(void, WaitInBrowser, (double ms, int wakeOnEvent), {
  const start = performance.now();
  await new Promise((resolve) => {
    let done = false;
    const finish = () => {
      if (done) return;
      done = true;
      // The time the game gave away, for whoever measures what its frames cost.
      Module.waitedMs = (Module.waitedMs || 0) + (performance.now() - start);
      if (Module.zrWake === finish) Module.zrWake = null;
      resolve();
    };
    if (wakeOnEvent) Module.zrWake = finish;
    if (ms <= 0) {
      // A message to itself comes back at once, without the clamping of timers.
      const channel = new MessageChannel();
      channel.port1.onmessage = finish;
      channel.port2.postMessage(0);
    } else if (isFinite(ms)) {
      setTimeout(finish, ms);
    }
  });
});

// Frames are shown at the display's refresh: the wait ends on the first refresh whose
// time has come, give or take a few milliseconds, so that a display faster than the
// game's 60 frames a second shows each frame for a whole number of refreshes while the
// game keeps its own schedule. A timer stands behind it where the browser gives no
// refreshes (a frame scrolled out of sight).
EM_ASYNC_JS(void, WaitForRefreshInBrowser, (double ms), {
  const start = performance.now(), due = start + ms;
  await new Promise((resolve) => {
    let done = false, timer = 0;
    const finish = () => {
      if (done) return;
      done = true;
      clearTimeout(timer);
      Module.waitedMs = (Module.waitedMs || 0) + (performance.now() - start);
      resolve();
    };
    const refresh = () => {
      if (performance.now() >= due - 4) finish();
      else if (!done) requestAnimationFrame(refresh);
    };
    requestAnimationFrame(refresh);
    timer = setTimeout(finish, ms + 100);
  });
});

uint64_t LastRefreshNs = 0;

void WaitForRefresh(double ms) {
  WaitForRefreshInBrowser(ms);
  LastRefreshNs = Platform::FineClockNs();
  YieldedSinceSwap = true;
}

void Wait(double ms, bool wakeOnEvent) {
  WaitInBrowser(ms, wakeOnEvent ? 1 : 0);
  YieldedSinceSwap = true;
}

}  // namespace WebState

namespace Platform {

bool PollMessage(ZrMsg& msg) {
  if (WebState::Queue.empty()) return false;
  msg = WebState::Queue.front();
  WebState::Queue.pop_front();
  return true;
}

void WaitForMessage() {
  if (WebState::Queue.empty()) WebState::Wait(INFINITY, true);
}

void WaitForMessageNs(uint64_t ns) {
  if (WebState::Queue.empty()) WebState::Wait(static_cast<double>(ns) / 1e6, true);
}

void QueueMessage(const ZrMsg& msg) { WebState::Queue.push_back(msg); }

void QueueQuitMessage(int exitCode) {
  WebState::Queue.push_back(ZrMsg{nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

intptr_t DeliverMessage(const ZrMsg& msg) {
  // What TranslateMessage does on Windows for the one character the game looks at: the
  // Enter of Alt+Enter, which it answers itself.
  if (msg.Message == WM_SYSKEYDOWN && msg.WParam == VK_RETURN) {
    WebState::Queue.push_front(ZrMsg{msg.Wnd, WM_SYSCHAR, '\r', msg.LParam});
  }
  return WebState::Proc != nullptr ? WebState::Proc(msg.Wnd, msg.Message, msg.WParam, msg.LParam) : 0;
}

intptr_t DefaultWindowProc(ZrWnd, uint32_t, uintptr_t, intptr_t) { return 0; }

// Over the canvas only: the rest of the page keeps the browser's pointer.
void HidePointer() {
  EM_ASM({ if (Module.canvas) Module.canvas.style.cursor = 'none'; });
}

}  // namespace Platform

// The page's own close button: the window's close.
extern "C" EMSCRIPTEN_KEEPALIVE void zr_close_window() { WebState::Post(WM_CLOSE, 0, 0); }
