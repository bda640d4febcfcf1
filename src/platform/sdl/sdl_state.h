// State shared by the files of the SDL backend: the one window, its GL context, the
// game's window procedure and the queue of translated messages.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>

#include "platform/platform.h"

namespace SdlState {

extern SDL_Window* Window;
extern SDL_GLContext Context;
extern ZrWndProc Proc;
extern std::deque<ZrMsg> Queue;
extern bool Active;      // the window has the activation, as Windows counts it
extern bool Minimised;

// Win32 delivers client coordinates as two 16-bit words.
intptr_t PackXY(int x, int y);
void Post(uint32_t message, uintptr_t wParam, intptr_t lParam);
// WM_SIZE with the drawable's size.
void PostSize();
// Calls the window procedure at once, as Win32's SendMessage does.
intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace SdlState
