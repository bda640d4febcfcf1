// The window procedure of the game window.
#pragma once

#include "platform/platform.h"

// The only writer of the input fields of Game.Gfx. Handled messages return 0.
intptr_t ZR_WNDPROC_CALL GameWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
