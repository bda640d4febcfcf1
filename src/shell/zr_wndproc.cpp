#include "shell/zr_wndproc.h"

#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_game_input.h"
#include "shell/zr_gfx.h"

intptr_t ZR_WNDPROC_CALL GameWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  ZrGfx* gfx = Game.Gfx;
  if (gfx == nullptr) return Platform::DefaultWindowProc(wnd, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      ApplyGameInput(*gfx, message, wParam);
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
      ApplyGameInput(*gfx, message, wParam);
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
    case WM_CLOSE:
      Platform::QueueQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      // The desktop's own full-screen key, where it has one (F11 on Linux).
      if (wParam != 0 && wParam == Platform::FullScreenKey() && !IsKeyRepeat(lParam)) {
        gfx->SetFullScreen(!gfx->FullScreen);
      }
      ApplyGameInput(*gfx, message, wParam);
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
      ApplyGamePointer(*gfx, gfx->GameX(LoWord(static_cast<uintptr_t>(lParam))),
                       gfx->GameY(HiWord(static_cast<uintptr_t>(lParam))));
      return 0;
    case WM_KILLFOCUS:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      ApplyGameInput(*gfx, message, wParam);
      return 0;
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
