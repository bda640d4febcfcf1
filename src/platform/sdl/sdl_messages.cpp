// The SDL event queue, turned into the Win32 message protocol the game speaks, and
// handed to the game one message at a time.
#include <SDL.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_pointer.h"
#include "platform/sdl/sdl_state.h"
#include "platform/zr_winmsg.h"

namespace SdlState {

SDL_Window* Window = nullptr;
SDL_GLContext Context = nullptr;
ZrWndProc Proc = nullptr;
std::deque<ZrMsg> Queue;
bool Active = false;
bool Minimised = false;

intptr_t PackXY(int x, int y) {
  const uint32_t lo = static_cast<uint32_t>(x) & 0xFFFF, hi = static_cast<uint32_t>(y) & 0xFFFF;
  return static_cast<intptr_t>(lo | (hi << 16));
}

void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) { Queue.push_back(ZrMsg{Window, message, wParam, lParam}); }

void PostSize() {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(Window, &w, &h);
  Post(WM_SIZE, Minimised ? SIZE_MINIMIZED : SIZE_RESTORED, PackXY(w, h));
}

intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Proc != nullptr ? Proc(Window, message, wParam, lParam) : 0;
}

}  // namespace SdlState

namespace {

void ChangeActivation(bool active) {
  if (active == SdlState::Active) return;
  SdlState::Active = active;
  const uintptr_t minimised = SdlState::Minimised ? 1u << 16 : 0u;
  SdlState::Post(WM_ACTIVATE, (active ? WA_ACTIVE : WA_INACTIVE) | minimised, 0);
}

bool PointerOverClientArea(int x, int y) {
  int w = 0, h = 0;
  SDL_GetWindowSize(SdlState::Window, &w, &h);
  if (x < 0 || y < 0 || x >= w || y >= h) return false;
  // SDL pins a pointer that has left the window to the window's edge: a place on the
  // edge is asked of the window system's own last word.
  const bool onEdge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
  return !onEdge || !WindowSystemPointerOutside(w, h);
}

void Translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:  // the window manager's close, Ctrl+C, SIGTERM
      SdlState::Post(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        // Windows sends WM_ACTIVATE once per change of activation; SDL reports a
        // minimise, a restore and the focus each on its own, so they are folded here.
        case SDL_WINDOWEVENT_SIZE_CHANGED: SdlState::PostSize(); break;
        case SDL_WINDOWEVENT_MINIMIZED:
          SdlState::Minimised = true;
          SdlState::Post(WM_SIZE, SIZE_MINIMIZED, 0);
          ChangeActivation(false);
          break;
        case SDL_WINDOWEVENT_RESTORED:
          // Also sent when a maximised window returns to its size: only a size then.
          if (SdlState::Minimised) {
            SdlState::Minimised = false;
            ChangeActivation(true);
          }
          SdlState::PostSize();
          break;
        // Uncovered: Windows asks for the picture again with WM_PAINT.
        case SDL_WINDOWEVENT_EXPOSED: SdlState::Post(WM_PAINT, 0, 0); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: ChangeActivation(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: ChangeActivation(false); break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const uint32_t vk = SdlKeyToVirtualKey(e.key.keysym);
      if (vk == 0) break;
      // Alt combinations and F10 are system keys on Windows: the game never sees them.
      const bool sys = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == 0x79 || vk == 0x12;
      const bool down = e.type == SDL_KEYDOWN;
      SdlState::Post(sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP), vk,
                     e.key.repeat != 0 ? KeyRepeatBit : 0);
      break;
    }
    case SDL_SYSWMEVENT:
      NoteWindowSystemPointer(*e.syswm.msg);
      break;
    case SDL_MOUSEMOTION:
      // Windows tells a window of the pointer's moves only while it is over the client
      // area (the game never captures the mouse); X goes on telling during a drag.
      if (PointerOverClientArea(e.motion.x, e.motion.y)) {
        SdlState::Post(WM_MOUSEMOVE, 0, SdlState::PackXY(e.motion.x, e.motion.y));
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      // Nor does a window that holds no capture hear of a button let go outside it:
      // the button stays down for the game, as on Windows.
      if (!down && !PointerOverClientArea(e.button.x, e.button.y)) break;
      if (e.button.button == SDL_BUTTON_LEFT) SdlState::Post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0, SdlState::PackXY(e.button.x, e.button.y));
      if (e.button.button == SDL_BUTTON_RIGHT) SdlState::Post(down ? WM_RBUTTONDOWN : WM_RBUTTONUP, 0, SdlState::PackXY(e.button.x, e.button.y));
      break;
    }
    default: break;
  }
}

void PumpSdl() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) Translate(e);
}

}  // namespace

namespace Platform {

bool PollMessage(ZrMsg& msg) {
  PumpSdl();
  if (SdlState::Queue.empty()) return false;
  msg = SdlState::Queue.front();
  SdlState::Queue.pop_front();
  return true;
}

void WaitForMessage() {
  PumpSdl();
  if (!SdlState::Queue.empty() || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  if (SDL_WaitEvent(&e)) Translate(e);
}

void WaitForMessageNs(uint64_t ns) {
  PumpSdl();
  if (!SdlState::Queue.empty() || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  // Whole milliseconds, rounded up, so that the frame is never early.
  const uint64_t ms = (ns + 999999) / 1000000;
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, static_cast<int>(ms > 1000000 ? 1000000 : ms))) Translate(e);
}

void QueueMessage(const ZrMsg& msg) { SdlState::Queue.push_back(msg); }

void QueueQuitMessage(int exitCode) { SdlState::Queue.push_back(ZrMsg{nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0}); }

intptr_t DeliverMessage(const ZrMsg& msg) {
  // What TranslateMessage does on Windows: the key-down of a character key is followed
  // at once by its character, ahead of anything else waiting.
  if (msg.Message == WM_KEYDOWN || msg.Message == WM_SYSKEYDOWN) {
    const uint32_t ch = VirtualKeyToChar(static_cast<uint32_t>(msg.WParam), SDL_GetModState());
    if (ch != 0) SdlState::Queue.push_front(ZrMsg{msg.Wnd, msg.Message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch, msg.LParam});
  }
  return SdlState::Proc != nullptr ? SdlState::Proc(msg.Wnd, msg.Message, msg.WParam, msg.LParam) : 0;
}

intptr_t DefaultWindowProc(ZrWnd, uint32_t, uintptr_t, intptr_t) { return 0; }

// SDL hides the pointer over its own window only, as the answer to WM_SETCURSOR does.
void HidePointer() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(SDL_DISABLE);
}

}  // namespace Platform
