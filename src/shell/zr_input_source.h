// Everything the game takes from outside, through one door: the tick count, the clock the
// random generator is seeded from, the pass's one look at the message queue, the handing
// on of the message it took, and every message the window procedure gets.
//
// The platform is the default source. Something that must see or replace that input (a
// recorder, a demo being played, a test's clock) is a source of its own, put in place
// with ZrInputScope; a recorder wraps the source it found, so it sees just what the game
// sees, whatever is below it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class ZrInputSource {
 public:
  virtual ~ZrInputSource() = default;
  // The platform's own, unless a derived source says otherwise.
  virtual uint32_t Ticks();
  virtual uint64_t Seed();
  // Takes the pass's message, never waiting; false when none was pending.
  virtual bool Poll(ZrMsg& msg);
  // Hands on the message Poll took (not WM_QUIT): translated and sent to the window, whose
  // procedure then comes back through Window.
  virtual void Dispatch(const ZrMsg& msg);
  // Every message the game window receives, dispatched or sent by the system itself.
  virtual intptr_t Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
  // Sleeps until a message is pending, while the window is minimised.
  virtual void WaitForMessage();
};

// The source in force now: the platform's when none is set.
ZrInputSource& Input();

// Puts source in force for its lifetime and the one it found back afterwards.
class ZrInputScope {
 public:
  explicit ZrInputScope(ZrInputSource& source);
  ~ZrInputScope();
  ZrInputScope(const ZrInputScope&) = delete;
  ZrInputScope& operator=(const ZrInputScope&) = delete;
  // The source that was in force before this one.
  ZrInputSource& Below() const { return *Previous; }

 private:
  ZrInputSource* Previous;
};

// The window procedure the game window is opened with: every message goes to Input().Window.
intptr_t ZR_WNDPROC_CALL InputWindowProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
