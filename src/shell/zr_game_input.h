// The game's input vocabulary: the window messages that change the game, and what each
// does to the input fields of ZrGfx. The window procedure applies them as they come; a
// demo keeps exactly these, its reader refuses any other, and its player applies them
// here and nowhere else. What a message does to the window itself (its size on screen,
// full screen, the pointer, painting) is the window procedure's, never a demo's.
#pragma once

#include <cstdint>

#include "platform/zr_winmsg.h"

class ZrGfx;

inline constexpr bool IsGameInput(uint32_t message) {
  switch (message) {
    case WM_SIZE:  // a minimised window stops the game
    case WM_ACTIVATE:
    case WM_KILLFOCUS:  // lets go of the keys and buttons held
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return true;
    default:
      return false;
  }
}

// Applies a message of the list but the pointer's: numbers only, whatever they hold.
void ApplyGameInput(ZrGfx& gfx, uint32_t message, uint64_t wParam);
// The pointer's move, already in the game's own pixels.
void ApplyGamePointer(ZrGfx& gfx, int32_t x, int32_t y);
