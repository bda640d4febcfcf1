// windows.h for the Win32 backend, and the state its files share.
//
// windows.h defines PeekMessage, PostMessage, DispatchMessage, DefWindowProc and
// MessageBox as macros for their A/W variants; the seam uses the same names for its
// own functions, so the macros go. The backend calls the A variants by name.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef PeekMessage
#undef PostMessage
#undef DispatchMessage
#undef DefWindowProc
#undef MessageBox

namespace Win32 {

// The one game window, its own device context (CS_OWNDC keeps it valid for the
// window's life) and the OpenGL context made for it.
extern HWND MainWnd;
extern HDC MainDC;
extern HGLRC MainRC;

inline constexpr const char* WindowClass = "ZrGfxWinClass";

}  // namespace Win32
