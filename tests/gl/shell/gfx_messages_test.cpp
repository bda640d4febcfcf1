// The Win32 message protocol: one message per pass, the window procedure writes the
// input fields, closing ends the loop only after the pass that takes WM_QUIT.
#include <gtest/gtest.h>

#include "app/zr_main_loop.h"
#include "gl/gl_fixture.h"
#include "platform/platform.h"
#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"

namespace {

void Post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
  Platform::QueueMessage(ZrMsg{TestGfx().Wnd, message, wParam, lParam});
}

struct Messages : ::testing::Test {
  void SetUp() override { ResetTestGfx(); }
  void TearDown() override { ResetTestGfx(); }
};

}  // namespace

TEST_F(Messages, OnePerPassAndNoDrawingOnAPassThatHandledOne) {
  ZrGfx& g = TestGfx();
  Post(WM_KEYDOWN, VK_UP);
  Post(WM_MOUSEMOVE, 0, MakeLParam(10, 20));
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);

  EXPECT_FALSE(g.BeginFrame());
  EXPECT_TRUE(g.Keys[VK_UP]);
  EXPECT_EQ(g.MouseX, 0);  // still waiting in the queue
  EXPECT_FALSE(g.BeginFrame());
  EXPECT_TRUE(g.MouseX == 10 && g.MouseY == 20);
  EXPECT_EQ(ReadPixel(400, 300), (std::array<uint8_t, 3>{255, 0, 0})) << "a pass that handled a message cleared";
  EXPECT_TRUE(g.BeginFrame());
  EXPECT_EQ(ReadPixel(400, 300), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST_F(Messages, KeysButtonsAndMouseWords) {
  ZrGfx& g = TestGfx();
  Post(WM_KEYDOWN, VK_SPACE);
  Post(WM_KEYDOWN, VK_SPACE);  // auto-repeat
  Post(WM_KEYDOWN, 256);
  Post(WM_LBUTTONDOWN);
  Post(WM_RBUTTONDOWN);
  Post(WM_MOUSEMOVE, 0, MakeLParam(0xFFFF, 0x8000));  // a drag left of and above the window
  while (!g.ProcessMessages()) {
  }
  EXPECT_TRUE(g.Keys[VK_SPACE]);
  int set = 0;
  for (bool k : g.Keys) set += k;
  EXPECT_EQ(set, 1);  // codes of 256 and more change nothing
  EXPECT_TRUE(g.LeftDown && g.RightDown);
  EXPECT_EQ(g.MouseX, 65535);  // unsigned words: never negative
  EXPECT_EQ(g.MouseY, 32768);

  Post(WM_KEYUP, VK_SPACE);
  Post(WM_LBUTTONUP);
  Post(WM_RBUTTONUP);
  while (!g.ProcessMessages()) {
  }
  EXPECT_FALSE(g.Keys[VK_SPACE] || g.LeftDown || g.RightDown);
}

TEST_F(Messages, MinimiseRestoreAndSize) {
  ZrGfx& g = TestGfx();
  const int cursor = Platform::ShowCursor(true);  // reads the display counter
  Platform::ShowCursor(false);
  Post(WM_SIZE, 0, MakeLParam(0, 0));  // a minimised window has no size
  Post(WM_ACTIVATE, WA_INACTIVE | (1u << 16));
  while (!g.ProcessMessages() && g.Active) {
  }
  EXPECT_TRUE(g.ClientHeight == 0 && g.Height == 600 && g.Projection == 1 && !g.Active);
  EXPECT_EQ(Platform::ShowCursor(true), cursor + 1);  // minimising showed the cursor
  Platform::ShowCursor(false);

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
}

TEST_F(Messages, CloseEndsTheLoopAfterThePassThatTakesQuit) {
  ZrGfx& g = TestGfx();
  Post(WM_CLOSE);
  EXPECT_FALSE(g.ProcessMessages());
  EXPECT_FALSE(g.Terminated);  // only asked: WM_QUIT is now queued
  EXPECT_FALSE(g.ProcessMessages());
  EXPECT_TRUE(g.Terminated);
  EXPECT_EQ(g.Msg.Message, WM_QUIT);

  // The same through the loop, while the window is minimised: messages are still handled.
  ResetTestGfx();
  g.Active = false;
  Post(WM_CLOSE);
  MainLoop(g);
  EXPECT_TRUE(g.Terminated);
  ZrMsg left;
  EXPECT_FALSE(Platform::PollMessage(left));

  // Leaving through the quit state ends the loop on its own pass.
  ResetTestGfx();
  const ZrGameState saved = Game.GameState;
  Game.GameState = gsQuit;
  MainLoop(g);
  EXPECT_TRUE(g.Terminated);
  Game.GameState = saved;
}
