// The Win32 message protocol: one message per pass, the window procedure writes the
// input fields, closing ends the loop only after the pass that takes WM_QUIT.
#include <algorithm>

#include "gl/screens_fixture.h"

using Messages = ScreenTest;

TEST_F(Messages, OnePerPassNoDrawingOnAPassThatHandledOneAndTheKeysButtonsAndMouseWordsTheyWrite) {
  ZrGfx& g = TestGfx();
  Post(WM_KEYDOWN, VK_UP);
  Post(WM_MOUSEMOVE, 0, MakeLParam(10, 20));
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  EXPECT_FALSE(g.BeginFrame());
  EXPECT_TRUE(g.Keys[VK_UP] && g.MouseX == 0);  // the move still waits in the queue
  EXPECT_FALSE(g.BeginFrame());
  EXPECT_TRUE(g.MouseX == 10 && g.MouseY == 20);
  EXPECT_TRUE(PixelIs(400, 300, 255, 0, 0)) << "a pass that handled a message cleared";
  EXPECT_TRUE(g.BeginFrame());
  EXPECT_TRUE(PixelIs(400, 300, 0, 0, 0));

  for (const uintptr_t key : {VK_SPACE, VK_SPACE, uintptr_t{256}}) Post(WM_KEYDOWN, key);  // an auto-repeat, no key
  Post(WM_LBUTTONDOWN);
  Post(WM_RBUTTONDOWN);
  Post(WM_MOUSEMOVE, 0, MakeLParam(0xFFFF, 0x8000));  // a drag left of and above the window
  while (!g.ProcessMessages()) {
  }
  EXPECT_TRUE(g.Keys[VK_SPACE] && std::count(g.Keys, g.Keys + 256, true) == 2 && g.LeftDown && g.RightDown);  // and Up
  EXPECT_TRUE(g.MouseX == 65535 && g.MouseY == 32768);  // unsigned words: never negative
  for (const uint32_t up : {WM_KEYUP, WM_LBUTTONUP, WM_RBUTTONUP}) Post(up, VK_SPACE);
  while (!g.ProcessMessages()) {
  }
  EXPECT_FALSE(g.Keys[VK_SPACE] || g.LeftDown || g.RightDown);
  // The focus goes elsewhere with a key and the button held: their ups go elsewhere too.
  for (const uint32_t down : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_KILLFOCUS}) Post(down, VK_SPACE);
  while (!g.ProcessMessages()) {
  }
  EXPECT_TRUE(std::count(g.Keys, g.Keys + 256, true) == 0 && !g.LeftDown);
}

TEST_F(Messages, MinimisedTheLoopOnlyHandlesMessagesAndClosingEndsItAfterThePassThatTakesQuit) {
  ZrGfx& g = TestGfx();
  // Minimised while another window had the activation: only the size says so.
  Post(WM_SIZE, SIZE_MINIMIZED, MakeLParam(0, 0));  // a minimised window has no size
  EXPECT_FALSE(g.ProcessMessages());
  EXPECT_TRUE(g.ClientHeight == 0 && g.Height == 600 && g.Projection == 1 && !g.Active);
  Post(WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600));
  Post(WM_ACTIVATE, WA_INACTIVE | (1u << 16));
  while (!g.ProcessMessages() && g.Active) {
  }
  EXPECT_FALSE(g.Active);
  Post(WM_CLOSE);
  MainLoop(g);
  ZrMsg left;
  EXPECT_TRUE(g.Terminated && !Platform::PollMessage(left));

  ResetTestGfx();
  Post(WM_ACTIVATE, WA_ACTIVE);
  Post(WM_SIZE, 0, MakeLParam(700, 400));
  Post(WM_ACTIVATE, WA_INACTIVE);  // another window takes the focus: the game goes on
  while (!g.ProcessMessages()) {
  }
  EXPECT_TRUE(g.Active);
  // Too small to hold the frame: the picture is drawn straight into its fitted place.
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_TRUE(viewport[0] == 83 && viewport[1] == 0 && viewport[2] == 533 && viewport[3] == 400);

  Post(WM_CLOSE);
  EXPECT_FALSE(g.ProcessMessages() || g.Terminated);  // only asked: WM_QUIT is now queued
  EXPECT_FALSE(g.ProcessMessages());
  EXPECT_TRUE(g.Terminated && g.Msg.Message == WM_QUIT);
  g.Terminated = false;
  Game.GameState = gsQuit;  // leaving through the quit state ends the loop on its own pass
  MainLoop(g);
  EXPECT_TRUE(g.Terminated);
}
