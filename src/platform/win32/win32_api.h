// windows.h for the Win32 backend, and the state its files share.
// The window and its messages use the A variants of the Win32 functions, by name; every
// path and every text shown to the player goes through the W variants, as UTF-16.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string>

namespace Win32 {

// The one game window, its own device context (CS_OWNDC keeps it valid for the
// window's life) and the OpenGL context made for it.
extern HWND MainWnd;
extern HDC MainDC;
extern HGLRC MainRC;

inline constexpr const char* WindowClass = "ZrGfxWinClass";

// The smallest client area a window may be sized to: the game's picture.
extern SIZE MinClient;

inline constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD FullScreenStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD WindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
// The game's icon from the resources of the .exe (small: the title bar's size), or the
// stock application icon where the program has none.
HICON GameIcon(HINSTANCE instance, bool small);
// The high-resolution timer, set to fire ns from now, to wait on; null where the system
// has no such timer.
HANDLE ArmTimer(uint64_t ns);

// The DPI of the window's monitor as the window sees it: 96 (100%) where the program is
// not aware of monitors' scales or the system cannot tell.
UINT WindowDpi(HWND wnd);
// The outer rectangle around a client area of width x height, frame and caption as
// large as they are on the window's monitor (wnd may be null: 100%).
RECT FrameAround(HWND wnd, int width, int height, DWORD style, DWORD exStyle);

// UTF-8, the game's own text for paths and messages, to and from UTF-16.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* wide, size_t length);

}  // namespace Win32
