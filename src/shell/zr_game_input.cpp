#include "shell/zr_game_input.h"

#include <algorithm>
#include <iterator>

#include "platform/zr_winmsg.h"
#include "shell/zr_gfx.h"

void ApplyGameInput(ZrGfx& gfx, uint32_t message, uint64_t wParam) {
  switch (message) {
    case WM_SIZE:
      // A window can be minimised without the activation message (Win+D, Win+M, a
      // window that was not in front): minimised, the game waits all the same.
      gfx.Active = wParam != SIZE_MINIMIZED;
      return;
    case WM_ACTIVATE:
      // Only the minimised state counts: losing the focus to another window keeps the game running.
      gfx.Active = HiWord(static_cast<uintptr_t>(wParam)) == 0;
      return;
    case WM_KILLFOCUS:
      // The key-up of a key held while the focus goes elsewhere comes to that window,
      // and the base would go on moving: what is held is let go, as SDL does.
      std::fill(std::begin(gfx.Keys), std::end(gfx.Keys), false);
      gfx.LeftDown = gfx.RightDown = false;
      return;
    case WM_KEYDOWN:
      if (wParam < 256) gfx.Keys[wParam] = true;
      return;
    case WM_KEYUP:
      if (wParam < 256) gfx.Keys[wParam] = false;
      return;
    case WM_LBUTTONDOWN: gfx.LeftDown = true; return;
    case WM_LBUTTONUP: gfx.LeftDown = false; return;
    case WM_RBUTTONDOWN: gfx.RightDown = true; return;
    case WM_RBUTTONUP: gfx.RightDown = false; return;
    default: return;
  }
}

void ApplyGamePointer(ZrGfx& gfx, int32_t x, int32_t y) {
  gfx.MouseX = x;
  gfx.MouseY = y;
}
