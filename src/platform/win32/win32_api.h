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

}  // namespace Win32
