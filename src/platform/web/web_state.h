// State shared by the files of the browser backend: the canvas that is the window, the
// game's window procedure and the queue of translated messages.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/platform.h"

namespace WebState {

// The CSS selector of the canvas the page gives the game.
inline constexpr const char* Canvas = "#canvas";

extern ZrWndProc Proc;
extern std::deque<ZrMsg> Queue;
extern bool Active;      // the window is not minimised: the tab is visible
extern int PictureWidth, PictureHeight;  // the game's picture, which the canvas must hold
extern int CanvasWidth, CanvasHeight;    // the canvas's drawing buffer
extern double CssWidth, CssHeight;       // the canvas's size on the page
extern bool YieldedSinceSwap;            // the browser has had the thread since the last swap
extern bool GameFullScreen;              // full screen as the game last asked for it, or was told

// The window handle the game holds: any pointer that is not null.
ZrWnd Window();
intptr_t PackXY(int x, int y);
void Post(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Calls the window procedure at once, as Win32's SendMessage does.
intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam);
// Sizes the canvas's drawing buffer for its place on the page; true when it changed.
bool FitCanvas();
// Hands the thread to the browser for ms milliseconds (0: just long enough for it to
// draw and handle events), or until an event arrives when wakeOnEvent is set.
void Wait(double ms, bool wakeOnEvent);
// Hands the thread to the browser until its first display refresh within a few
// milliseconds of ms from now.
void WaitForRefresh(double ms);
extern uint64_t LastRefreshNs;  // when the last such wait ended
// Makes the WebGL context current; false, with LastError saying why, when it cannot.
bool MakeContext();
const char* LastError();
void SwapNow();
// Registers the key, mouse, touch, focus, size and visibility callbacks.
void ListenForInput();
void WatchDevicePixels();
// Posts WM_SIZE when the canvas's drawing buffer had to change (not while minimised).
void PostSizeIfChanged();

}  // namespace WebState

// Called by the page, and by the backend's own callbacks.
extern "C" void zr_full_screen_changed(int fullScreen);
