// The display's scale for the window. The .exe's manifest makes the game aware of each
// monitor's scale (per-monitor v2), so Windows leaves the scaling to the game instead of
// stretching its window; the calls for it came with Windows 10 1607 and are looked up,
// so that older systems run the game at 96 DPI as before.
#include "platform/win32/win32_api.h"

namespace {

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

namespace Win32 {

UINT WindowDpi(HWND wnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = wnd != nullptr && getDpiForWindow != nullptr ? getDpiForWindow(wnd) : 0;
  return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

RECT FrameAround(HWND wnd, int width, int height, DWORD style, DWORD exStyle) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, width, height};
  // The frame and the caption are as large as the monitor's scale makes them.
  if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, WindowDpi(wnd))) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return frame;
}

}  // namespace Win32
