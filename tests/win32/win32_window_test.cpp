#include <gtest/gtest.h>

#include <float.h>
#include <thread>

// windows.h gives the message and key codes here, so zr_winmsg.h stays out.
#include "win32_test_window.h"

TEST(Win32Window, ClientAreaIsTheRequestedSizeAndTheGameProcedureRunsIt) {
  // Window creation must hand back the floating-point mode exactly as it found it.
  const unsigned int before = _control87(_MCW_EM | _RC_DOWN, _MCW_EM | _MCW_RC);
  GameWindow window;
  const unsigned int after = _control87(0, 0);
  _control87(_RC_NEAR, _MCW_RC);
  EXPECT_EQ(after & (_MCW_EM | _MCW_RC), before & (_MCW_EM | _MCW_RC));

  HWND wnd = window.Wnd();
  ASSERT_NE(wnd, nullptr);
  ASSERT_NE(window.Gfx->RC, nullptr);
  RECT client{};
  ASSERT_TRUE(GetClientRect(wnd, &client));
  // The whole 800 x 600 picture is visible: the frame is added around it, not cut from it.
  EXPECT_EQ(client.right - client.left, 800);
  EXPECT_EQ(client.bottom - client.top, 600);
  EXPECT_EQ(window.Gfx->Width, 800);
  EXPECT_EQ(window.Gfx->Height, 600);
  // The first activation came inside OpenWindow.
  EXPECT_TRUE(window.Gfx->Active);

  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&GameWndProc));

  // A real WM_SIZE from the system reaches Resize through the game's procedure.
  SetWindowPos(wnd, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  window.Drain();
  GetClientRect(wnd, &client);
  EXPECT_EQ(window.Gfx->Width, client.right);
  EXPECT_EQ(window.Gfx->Height, client.bottom);

  // The destructor takes the window and its class away, so a second run could register again.
  window.Close();
  WNDCLASSA wc{};
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "ZrGfxWinClass", &wc));
}

TEST(Win32Window, MessagesAreHandledOneAtATimeAndCloseEndsTheLoop) {
  GameWindow window;
  ZrGfx& gfx = *window.Gfx;
  window.Drain();
  ASSERT_TRUE(gfx.Active);

  // Driven through the seam the way tests and tools post input into the real queue.
  // Arrow keys: TranslateMessage makes no WM_CHAR of them that would queue up too.
  Platform::PostMessage(ZrMsg{nullptr, WM_KEYDOWN, VK_DOWN, 0});
  Platform::PostMessage(ZrMsg{nullptr, WM_KEYDOWN, VK_UP, 0});
  Platform::PostMessage(ZrMsg{nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(300, 65535)});

  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Keys[VK_DOWN]);
  EXPECT_FALSE(gfx.Keys[VK_UP]);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Keys[VK_UP]);
  EXPECT_EQ(gfx.MouseX, 0);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_EQ(gfx.MouseX, 300);
  EXPECT_EQ(gfx.MouseY, 65535);
  EXPECT_TRUE(gfx.ProcessMessages()) << "the queue should be empty now";

  // The close button's WM_CLOSE only asks: the window stays until the destructor.
  PostMessageA(window.Wnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_FALSE(gfx.Terminated);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Terminated);
  EXPECT_TRUE(IsWindow(window.Wnd()));
}

TEST(Win32Messages, WaitMessageReturnsForAMessageThatIsAlreadyQueued) {
  // While minimised the loop waits for a message, then handles one. When two came
  // together, the second is already queued at the next wait; a wait that slept on it
  // would stall the game until some other message happened to arrive.
  // No window: the messages go to the thread's own queue.
  ZrMsg msg;
  while (Platform::PeekMessage(msg)) {
  }
  Platform::PostMessage(ZrMsg{nullptr, WM_USER, 1, 0});
  Platform::PostMessage(ZrMsg{nullptr, WM_USER, 2, 0});
  ASSERT_TRUE(Platform::PeekMessage(msg));
  EXPECT_EQ(msg.WParam, 1u);

  // Should the wait wrongly sleep, this late message ends it, and the checks below see it.
  const DWORD thread = GetCurrentThreadId();
  std::thread rescue([thread] {
    Sleep(1500);
    PostThreadMessageA(thread, WM_USER, 3, 0);
  });
  Platform::WaitMessage();
  ASSERT_TRUE(Platform::PeekMessage(msg));
  EXPECT_EQ(msg.WParam, 2u);
  EXPECT_FALSE(Platform::PeekMessage(msg)) << "the wait slept until the next message";
  rescue.join();
  while (Platform::PeekMessage(msg)) {
  }
}
