// A real game window for the Win32 backend tests: ZrGfx opened the way the entry
// opens it, with GameWndProc as its window procedure.
#pragma once

#include <memory>

#include "platform/win32/win32_api.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_wndproc.h"

class GameWindow {
 public:
  GameWindow() {
    // The pointer waits outside the window, so no real mouse message mixes with a test's own.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Gfx = std::make_unique<ZrGfx>();
    Gfx->WndProc = &GameWndProc;
    Gfx->MinFrameNs = 0;
    Game.Gfx = Gfx.get();
    Gfx->OpenWindow("Zr Ironfall", 800, 600, 32, false);
  }
  ~GameWindow() { Close(); }

  void Close() {
    Gfx.reset();
    Game.Gfx = nullptr;
  }

  HWND Wnd() const { return static_cast<HWND>(Gfx->Wnd); }

  // Hands every message already waiting to the game (what the window's creation left),
  // giving the system a moment to deliver what it still has in flight.
  void Drain() {
    for (int round = 0; round < 3; ++round) {
      for (int i = 0; i < 10000 && !Gfx->ProcessMessages(); ++i) {
      }
      Sleep(50);
    }
  }

  std::unique_ptr<ZrGfx> Gfx;
};
