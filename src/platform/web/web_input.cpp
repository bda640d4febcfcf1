// The page's events, turned into the Win32 messages the game speaks: keys anywhere on the
// page, the mouse and fingers on the canvas, the page's focus, the browser window's size
// and the tab's visibility.
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
intptr_t BufferXY(double cssX, double cssY) {
  const double sx = WebState::CssWidth > 0 ? WebState::CanvasWidth / WebState::CssWidth : 1;
  const double sy = WebState::CssHeight > 0 ? WebState::CanvasHeight / WebState::CssHeight : 1;
  const auto x = static_cast<int>(std::floor(cssX * sx));
  const auto y = static_cast<int>(std::floor(cssY * sy));
  const int maxX = WebState::CanvasWidth - 1, maxY = WebState::CanvasHeight - 1;
  return WebState::PackXY(x < 0 ? 0 : (x > maxX ? maxX : x), y < 0 ? 0 : (y > maxY ? maxY : y));
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*) {
  const intptr_t xy = BufferXY(static_cast<double>(e->targetX), static_cast<double>(e->targetY));
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

// A finger on the canvas is the mouse with its left button: it aims where it lands and
// fires, and the aim follows it while it moves. Only the first finger counts; the
// browser's own gestures (zoom, scroll, the mouse events it would copy) are turned off.
int g_finger = -1;

EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void*) {
  for (int i = 0; i < e->numTouches; ++i) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (!t.isChanged) continue;
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART && g_finger < 0) g_finger = static_cast<int>(t.identifier);
    if (static_cast<int>(t.identifier) != g_finger) continue;
    const intptr_t xy = BufferXY(static_cast<double>(t.targetX), static_cast<double>(t.targetY));
    WebState::Post(WM_MOUSEMOVE, 0, xy);
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART) WebState::Post(WM_LBUTTONDOWN, 0, xy);
    if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
      WebState::Post(WM_LBUTTONUP, 0, xy);
      g_finger = -1;
    }
  }
  return EM_TRUE;
}

// The page's focus is the window's: leaving it deactivates the window and takes the
// keyboard away, so that a key held meanwhile is let go, as on Windows.
bool g_focused = true;

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void*) {
  const bool focused = type == EMSCRIPTEN_EVENT_FOCUS;
  if (focused == g_focused) return EM_FALSE;
  g_focused = focused;
  const uintptr_t minimised = WebState::Active ? 0u : 1u << 16;
  WebState::Post(WM_ACTIVATE, (focused ? WA_ACTIVE : WA_INACTIVE) | minimised, 0);
  if (!focused) WebState::Post(WM_KILLFOCUS, 0, 0);
  return EM_FALSE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
  WebState::PostSizeIfChanged();
  return EM_FALSE;
}

EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent* e, void*) {
  WebState::PostSizeIfChanged();
  zr_full_screen_changed(e->isFullscreen);
  return EM_FALSE;
}

// A hidden tab is a minimised window, told as the desktop tells it: the game stops
// drawing and waits for messages.
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  const bool active = !e->hidden;
  if (active == WebState::Active) return EM_FALSE;
  WebState::Active = active;
  if (!active) {
    WebState::Post(WM_SIZE, SIZE_MINIMIZED, 0);
    WebState::Post(WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
  } else {
    WebState::FitCanvas();
    WebState::Post(WM_ACTIVATE, WA_ACTIVE, 0);
    WebState::Post(WM_SIZE, SIZE_RESTORED, WebState::PackXY(WebState::CanvasWidth, WebState::CanvasHeight));
  }
  return EM_FALSE;
}

}  // namespace

namespace WebState {

void PostSizeIfChanged() {
  if (Active && FitCanvas()) Post(WM_SIZE, SIZE_RESTORED, PackXY(CanvasWidth, CanvasHeight));
}

void ListenForInput() {
  // Keys come from the whole page, as a desktop window has them whatever has its focus;
  // the page's own dialogs keep theirs.
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnKey);
  emscripten_set_mousemove_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mousedown_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mouseup_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_touchstart_callback(Canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchmove_callback(Canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchend_callback(Canvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchcancel_callback(Canvas, nullptr, EM_TRUE, OnTouch);
  // The window's own focus only, not its elements' (they do not bubble without capture).
  emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnFocus);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnFocus);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnResize);
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, OnFullscreen);
  emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibility);
}

}  // namespace WebState

// The page's strip of keys for fingers: the same messages as the keyboard's keys, a key
// pressed again while it is down (the page repeats a key held, as a keyboard does) with
// the repeat bit.
extern "C" EMSCRIPTEN_KEEPALIVE void zr_strip_key(int vk, int down) {
  static bool held[256] = {};
  if (vk <= 0 || vk >= 256) return;
  const intptr_t repeat = down != 0 && held[vk] ? KeyRepeatBit : 0;
  held[vk] = down != 0;
  WebState::Post(down != 0 ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), repeat);
}
