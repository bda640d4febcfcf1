// windows.h for the Win32 backend, and the state its files share.
// The backend calls the A variants of the Win32 functions by name.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

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

}  // namespace Win32
