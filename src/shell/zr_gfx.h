// ZrGfx: the game's one window, OpenGL context and input object, with its bitmap
// font and frame-rate counter.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "shell/zr_frame_pacer.h"
#include "shell/zr_scaled_frame.h"

class ZrGfx {
 public:
  ZrGfx();
  virtual ~ZrGfx();
  ZrGfx(const ZrGfx&) = delete;
  ZrGfx& operator=(const ZrGfx&) = delete;

  // Window and projections. The game always draws Width x Height pixels (800 x 600);
  // Resize records the client area's size, and a client area of another size shows
  // that picture scaled to fit.
  void OpenWindow(const std::string& title, int32_t width, int32_t height, int32_t bits, bool fullScreen);
  // No window and no GL context, for a game that is computed but never shown (a demo
  // being verified): the window procedure gets the WM_SIZE a window of width x height
  // would send, frames are neither paced nor presented, and pictures are not loaded.
  // The screens' GL calls still run, with no context current, where the GL library
  // ignores them; nothing needs a display.
  void OpenHeadless(int32_t width, int32_t height);
  void Resize(int32_t clientWidth, int32_t clientHeight);
  void SetProjection(uint8_t mode);  // 0 pixel orthographic, 1 perspective, 2 previous

  // Frames: each pass handles at most one message; a frame is drawn only when none was pending.
  bool ProcessMessages();
  bool BeginFrame();
  // The drawing half of BeginFrame: clears the buffers and the model-view matrix.
  void ClearFrame();
  void EndFrame();
  // For a screen whose picture has not changed: sleeps until the next frame is due or
  // a message arrives, whichever is first, in place of drawing it again.
  void WaitForNextFrame();
  // The picture on screen may be spoilt (uncovered, resized, restored): every screen
  // must draw again.
  void InvalidatePicture() { ++PictureEpoch; }
  void Begin2D();
  void End2D();

  // Switches the open window between a window and full screen; the game, its textures
  // and display lists stay as they are.
  void SetFullScreen(bool fullScreen);
  // Where the picture lies in the client area.
  ZrPictureRect PictureRect() const;
  // The game pixel under a client pixel, for the mouse.
  int32_t GameX(int32_t clientX) const;
  int32_t GameY(int32_t clientY) const;

  // Text and frame rate.
  void BuildFont();
  void PrintAt(int32_t x, int32_t y, const char* text);
  void KillFont();
  void StartFps();
  uint32_t GetFps();

  // Fields, in the order the game's design lays them out.
  ZrMsg Msg{};
  ZrWnd Wnd = nullptr;
  void* DC = nullptr;
  void* RC = nullptr;
  bool Active = false;
  bool Terminated = false;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t CaptionHeight = 0;
  int32_t Bits = 0;
  uint8_t Projection = 0;
  uint8_t PrevProjection = 0;
  uint32_t FontBase = 0;
  std::string Title;
  bool FullScreen = false;
  uint32_t LastTick = 0;
  uint32_t Fps = 0;
  uint32_t FpsElapsed = 0;
  uint32_t FpsFrames = 0;
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  bool LeftDown = false;
  bool RightDown = false;
  bool Keys[256] = {};
  ZrWndProc WndProc = nullptr;

  // Opened by OpenHeadless: nothing is drawn.
  bool Headless = false;

  // Frames presented so far. PictureEpoch moves on with every frame presented and every
  // event that may have spoilt the picture on screen: a screen that kept its value from
  // its own last frame knows that frame is still what the player sees.
  uint64_t FramesShown = 0;
  uint64_t PictureEpoch = 0;

  // The size of the client area, from WM_SIZE; 0 x 0 while minimised.
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;

  // The shortest time between two presented frames (0: no pacing).
  uint64_t MinFrameNs = 1000000000ull / 60;

  // The font covers every Windows-1251 code, 0 to 255.
  static constexpr int FontGlyphs = 256;
  static constexpr int FontCharHeight = 18;

 private:
  // The viewport and the perspective projection for the game's picture.
  void LoadPerspective();
  bool IsUnscaled() const { return ClientWidth == Width && ClientHeight == Height; }
  // The client area holds the whole frame beside the one shown, so it can be scaled.
  bool HoldsFrame() const { return ClientWidth >= Width && ClientHeight >= Height; }

  ZrFramePacer Pacer;  // when the frames are due
  ZrScaledFrame ScaledFrame;
};
