// The window messages a demo keeps: those that change the game. Painting, the cursor,
// the frame and the rest only change what the player's own window shows.
#pragma once

#include <cstdint>

#include "platform/zr_winmsg.h"

inline bool IsRecordedMessage(uint32_t message) {
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
