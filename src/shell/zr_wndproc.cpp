#include "shell/zr_wndproc.h"

#include <algorithm>
#include <iterator>

#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"

intptr_t ZR_WNDPROC_CALL GameWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  ZrGfx* gfx = Game.Gfx;
  if (gfx == nullptr) return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      // A window can be minimised without the activation message (Win+D, Win+M, a
      // window that was not in front): minimised, the game waits all the same.
      gfx->Active = wParam != SIZE_MINIMIZED;
      gfx->Resize(LoWord(static_cast<uintptr_t>(lParam)), HiWord(static_cast<uintptr_t>(lParam)));
      gfx->InvalidatePicture();
      if (gfx->Active && gfx->FullScreen) Platform::ReclaimFullScreen(wnd, gfx->Width, gfx->Height, gfx->Bits);
      return 0;
    case WM_PAINT:
      // The default procedure marks the window painted; the next pass draws it.
      gfx->InvalidatePicture();
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_ACTIVATE:
      gfx->InvalidatePicture();
      // Only the minimised state counts: losing the focus to another window keeps the game running.
      gfx->Active = HiWord(wParam) == 0;
      return 0;
    case WM_ACTIVATEAPP:
      // Another program takes the activation: a full screen that switched the display
      // mode gives the desktop back. Its own message boxes do not count.
      if (wParam == 0 && gfx->FullScreen) Platform::YieldFullScreen(wnd);
      return 0;
    case WM_SETCURSOR:
      // The game never shows the system pointer over its picture. Over the frame, the
      // title bar and every other window, the system's own pointer stays: a display
      // counter (ShowCursor) would hide it over the game's message boxes too.
      if (LoWord(static_cast<uintptr_t>(lParam)) != HTCLIENT) return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
      Platform::HidePointer();
      return 1;
    case WM_KILLFOCUS:
      // The key-up of a key held while the focus goes elsewhere comes to that window,
      // and the base would go on moving: what is held is let go, as SDL does.
      std::fill(std::begin(gfx->Keys), std::end(gfx->Keys), false);
      gfx->LeftDown = gfx->RightDown = false;
      return 0;
    case WM_CLOSE:
      Platform::QueueQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      // The desktop's own full-screen key, where it has one (F11 on Linux).
      if (wParam != 0 && wParam == Platform::FullScreenKey() && !IsKeyRepeat(lParam)) {
        gfx->SetFullScreen(!gfx->FullScreen);
      }
      if (wParam < 256) gfx->Keys[wParam] = true;
      return 0;
    case WM_KEYUP:
      if (wParam < 256) gfx->Keys[wParam] = false;
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+Enter: once per press, however long it is held.
      if (wParam != VK_RETURN) return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
      if (!IsKeyRepeat(lParam)) gfx->SetFullScreen(!gfx->FullScreen);
      return 0;
    case WM_SYSCHAR:
      // The character of Alt+Enter, which the default procedure would answer with a beep.
      if (wParam == '\r') return 0;
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
      // The game aims in its own pixels, however large the picture is shown.
      gfx->MouseX = gfx->GameX(LoWord(static_cast<uintptr_t>(lParam)));
      gfx->MouseY = gfx->GameY(HiWord(static_cast<uintptr_t>(lParam)));
      return 0;
    case WM_ZR_GAMEMOUSEMOVE:
      gfx->MouseX = static_cast<int32_t>(static_cast<uint32_t>(wParam));
      gfx->MouseY = static_cast<int32_t>(static_cast<uint32_t>(lParam));
      return 0;
    case WM_LBUTTONDOWN: gfx->LeftDown = true; return 0;
    case WM_LBUTTONUP: gfx->LeftDown = false; return 0;
    case WM_RBUTTONDOWN: gfx->RightDown = true; return 0;
    case WM_RBUTTONUP: gfx->RightDown = false; return 0;
    case WM_SYSCOMMAND:
      // A lone Alt or F10 would open the window's menu mode, and the game would stand
      // still, its arrow keys and Enter taken by that menu, until Esc. Alt+Space (a menu
      // key in lParam) and every other system command go on as usual.
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) return 0;
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
    default:
      return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
  }
}
