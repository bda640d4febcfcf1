// The page's events, turned into the Win32 messages the game speaks: keys and the mouse
// on the canvas, the browser window's size, and the tab's visibility.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "platform/web/web_state.h"
#include "platform/zr_winmsg.h"

namespace {

constexpr uintptr_t kVkAlt = 0x12, kVkF10 = 0x79;

// Keys the browser would act on itself (scroll the page, open its menu, go full screen)
// while they are the game's.
bool GameOwnsKey(uintptr_t vk) {
  return vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_SPACE || vk == VK_RETURN ||
         vk == VK_F11 || vk == kVkF10 || vk == kVkAlt;
}

// The browser's key codes are Windows' virtual-key codes, the keypad without Num Lock
// included.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
  const auto vk = static_cast<uintptr_t>(e->keyCode);
  if (vk == 0 || vk > 255) return EM_FALSE;
  const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  // Alt combinations and F10 are system keys on Windows: the game never sees them.
  const bool sys = e->altKey || vk == kVkF10 || vk == kVkAlt;
  WebState::Post(sys ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP), vk,
                 e->repeat ? KeyRepeatBit : 0);
  return GameOwnsKey(vk) ? EM_TRUE : EM_FALSE;
}

// A point of the canvas in the pixels of its drawing buffer, which is the client area.
intptr_t BufferXY(const EmscriptenMouseEvent* e) {
  const double sx = WebState::CssWidth > 0 ? WebState::CanvasWidth / WebState::CssWidth : 1;
  const double sy = WebState::CssHeight > 0 ? WebState::CanvasHeight / WebState::CssHeight : 1;
  const auto x = static_cast<int>(std::floor(static_cast<double>(e->targetX) * sx));
  const auto y = static_cast<int>(std::floor(static_cast<double>(e->targetY) * sy));
  const int maxX = WebState::CanvasWidth - 1, maxY = WebState::CanvasHeight - 1;
  return WebState::PackXY(x < 0 ? 0 : (x > maxX ? maxX : x), y < 0 ? 0 : (y > maxY ? maxY : y));
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*) {
  const intptr_t xy = BufferXY(e);
  switch (type) {
    case EMSCRIPTEN_EVENT_MOUSEMOVE: WebState::Post(WM_MOUSEMOVE, 0, xy); return EM_FALSE;
    case EMSCRIPTEN_EVENT_MOUSEDOWN:
    case EMSCRIPTEN_EVENT_MOUSEUP: {
      const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
      // Windows tells of the place before the button.
      WebState::Post(WM_MOUSEMOVE, 0, xy);
      if (e->button == 0) WebState::Post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0, xy);
      if (e->button == 2) WebState::Post(down ? WM_RBUTTONDOWN : WM_RBUTTONUP, 0, xy);
      return EM_FALSE;  // the canvas still takes the focus
    }
    default: return EM_FALSE;
  }
}

void PostSizeIfChanged() {
  if (WebState::Active && WebState::FitCanvas()) {
    WebState::Post(WM_SIZE, 0, WebState::PackXY(WebState::CanvasWidth, WebState::CanvasHeight));
  }
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
  PostSizeIfChanged();
  return EM_FALSE;
}

EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent*, void*) {
  PostSizeIfChanged();
  return EM_FALSE;
}

// A hidden tab is a minimised window: the game stops drawing and waits for messages.
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  const bool active = !e->hidden;
  if (active == WebState::Active) return EM_FALSE;
  WebState::Active = active;
  if (!active) {
    WebState::Post(WM_SIZE, 0, 0);
    WebState::Post(WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
  } else {
    WebState::FitCanvas();
    WebState::Post(WM_ACTIVATE, WA_ACTIVE, 0);
    WebState::Post(WM_SIZE, 0, WebState::PackXY(WebState::CanvasWidth, WebState::CanvasHeight));
  }
  return EM_FALSE;
}

}  // namespace

namespace WebState {

void ListenForInput() {
  emscripten_set_keydown_callback(Canvas, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(Canvas, nullptr, EM_TRUE, OnKey);
  emscripten_set_mousemove_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mousedown_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mouseup_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnResize);
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, OnFullscreen);
  emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibility);
}

}  // namespace WebState
