// The Win32 backend in real windows under the game's own procedure. windows.h gives
// the message and key codes here, so zr_winmsg.h stays out.
#include <gtest/gtest.h>

#include <float.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {

// The game window, opened the way the entry opens it.
struct GameWindow {
  GameWindow() {
    // The pointer waits outside the window, so no real mouse message mixes with a test's own.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Gfx->WndProc = &GameWndProc;
    Game.Gfx = Gfx.get();
    Gfx->OpenWindow("Zr Ironfall", 800, 600, 32, false);
    // The game takes what the creation queued; the system gets a moment for what is in flight.
    for (int round = 0; round < 3; ++round, Sleep(50))
      for (int i = 0; i < 10000 && !Gfx->ProcessMessages(); ++i) {
      }
  }
  ~GameWindow() { Game.Gfx = nullptr; }  // the window then closes without the game
  HWND Wnd() const { return static_cast<HWND>(Gfx->Wnd); }

  std::unique_ptr<ZrGfx> Gfx = std::make_unique<ZrGfx>();
};

// Set pixels of the monochrome glyph GDI makes for one character of the selected font.
int GdiGlyphPixels(HDC dc, wchar_t ch) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS gm{};
  std::vector<unsigned char> bits(16384);
  if (GetGlyphOutlineW(dc, ch, GGO_BITMAP, &gm, bits.size(), bits.data(), &identity) == GDI_ERROR) return 0;
  const unsigned stride = (gm.gmBlackBoxX + 31) / 32 * 4;  // rows are DWORD-aligned
  int count = 0;
  for (unsigned y = 0; y < gm.gmBlackBoxY; ++y)
    for (unsigned x = 0; x < gm.gmBlackBoxX; ++x) count += (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
  return count;
}

}  // namespace

TEST(Win32Window, ClientAreaIsTheWholePictureMessagesComeOneAtATimeAndALoneAltDoesNotStopTheGame) {
  // Window creation must hand back the floating-point mode exactly as it found it.
  const unsigned int before = _control87(_MCW_EM | _RC_DOWN, _MCW_EM | _MCW_RC);
  GameWindow window;
  const unsigned int after = _control87(0, 0);
  _control87(_RC_NEAR, _MCW_RC);
  EXPECT_EQ(after & (_MCW_EM | _MCW_RC), before & (_MCW_EM | _MCW_RC));

  ZrGfx& gfx = *window.Gfx;
  RECT client{};
  ASSERT_TRUE(GetClientRect(window.Wnd(), &client));
  EXPECT_TRUE(client.right == 800 && client.bottom == 600) << "the frame is added around the picture, not cut from it";
  EXPECT_EQ(GetWindowLongPtrA(window.Wnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&GameWndProc));
  ASSERT_TRUE(gfx.Active) << "the first activation comes inside OpenWindow";

  // Posted through the seam into the real queue. An arrow key, as TranslateMessage
  // makes no WM_CHAR of it that would queue up too.
  Platform::QueueMessage(ZrMsg{nullptr, WM_KEYDOWN, VK_DOWN, 0});
  Platform::QueueMessage(ZrMsg{nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(300, 65535)});
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Keys[VK_DOWN]);
  EXPECT_EQ(gfx.MouseX, 0);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.MouseX == 300 && gfx.MouseY == 65535);
  EXPECT_TRUE(gfx.ProcessMessages()) << "the queue should be empty now";

  // The close button's WM_CLOSE only asks: the window stays until the game lets it go.
  PostMessageA(window.Wnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_FALSE(gfx.Terminated);
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Terminated);
  EXPECT_TRUE(IsWindow(window.Wnd()));

  // The system menu's keyboard mode would hold this call until Esc.
  SendMessageA(window.Wnd(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  Platform::QueueMessage(ZrMsg{nullptr, WM_KEYDOWN, VK_UP, 0});
  EXPECT_FALSE(gfx.ProcessMessages());
  EXPECT_TRUE(gfx.Keys[VK_UP]);

  HWND owner = nullptr;
  std::thread reader([&owner] {
    for (int i = 0; i < 400; ++i, Sleep(25)) {
      if (HWND box = FindWindowA(nullptr, "Application Error")) {
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_CLOSE, 0, 0);
        return;
      }
    }
  });
  Platform::ShowMessageBox("Application Error", "a test of the box", true);
  reader.join();
  EXPECT_EQ(owner, window.Wnd());
}

TEST(Win32Messages, WaitMessageReturnsForAMessageThatIsAlreadyQueued) {
  // While minimised the loop waits for a message, then handles one. When two came
  // together, the second is already queued at the next wait; a wait that slept on it
  // would stall the game until some other message happened to arrive.
  ZrMsg msg;
  while (Platform::PollMessage(msg)) {
  }
  // No window: the messages go to the thread's own queue.
  Platform::QueueMessage(ZrMsg{nullptr, WM_USER, 1, 0});
  Platform::QueueMessage(ZrMsg{nullptr, WM_USER, 2, 0});
  ASSERT_TRUE(Platform::PollMessage(msg));
  EXPECT_EQ(msg.WParam, 1u);
  // Should the wait wrongly sleep, this timer's message ends it, and the checks below see it.
  const UINT_PTR timer = SetTimer(nullptr, 0, 1500, nullptr);
  Platform::WaitForMessage();
  ASSERT_TRUE(Platform::PollMessage(msg));
  EXPECT_EQ(msg.WParam, 2u);
  EXPECT_FALSE(Platform::PollMessage(msg)) << "the wait slept until the next message";
  KillTimer(nullptr, timer);
}

TEST(Win32Font, Windows1251CodesDrawCyrillicOnAnySystemLocaleAndSpacesKeepTheirAdvance) {
  GameWindow window;
  ZrGfx& gfx = *window.Gfx;
  gfx.BuildFont();
  HDC dc = GetDC(window.Wnd());  // CS_OWNDC: the DC the font was selected into
  EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);

  // 0xC6 is Ж in Windows-1251 and Æ in Latin-1: drawn white on black, it lights Ж's pixels.
  const int zhe = GdiGlyphPixels(dc, 0x0416);
  ASSERT_GT(zhe, 0);
  ASSERT_NE(zhe, GdiGlyphPixels(dc, 0x00C6)) << "the face's Ж and Æ cannot be told apart by their pixels";
  gfx.Begin2D();
  glClear(GL_COLOR_BUFFER_BIT);
  gfx.PrintAt(100, 300, "\xC6");
  std::vector<unsigned char> red(100 * 100);
  glReadPixels(60, 240, 100, 100, GL_RED, GL_UNSIGNED_BYTE, red.data());
  EXPECT_EQ(red.size() - std::count(red.begin(), red.end(), 0), static_cast<size_t>(zhe));

  // An empty glyph still moves the pen: a space must leave a gap between words.
  INT space = 0;
  ASSERT_TRUE(GetCharWidth32A(dc, ' ', ' ', &space));
  ASSERT_GT(space, 0);
  gfx.PrintAt(100, 300, " ");
  GLfloat pos[4] = {};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
  EXPECT_EQ(pos[0], 100.0f + space);
}

TEST(Win32Pointer, HiddenOverThePictureOnlyShownOverTheFrameAndOtherWindowsAfterAnyActivations) {
  GameWindow window;
  HWND wnd = window.Wnd();
  // Lost to another window, won back, minimised and restored, over and over.
  for (int i = 0; i < 4; ++i) {
    for (const WPARAM state : {WPARAM{WA_INACTIVE}, WPARAM{WA_ACTIVE}, MAKEWPARAM(WA_INACTIVE, 1), WPARAM{WA_CLICKACTIVE}})
      SendMessageA(wnd, WM_ACTIVATE, state, 0);
  }
  // The display counter, which hides the pointer over every window of the thread, the
  // game's message boxes among them, still lets it show.
  EXPECT_GE(ShowCursor(TRUE) - 1, 0);
  ShowCursor(FALSE);
  const auto cursorOver = [wnd](WORD hit) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorOver(HTCLIENT), nullptr) << "the picture shows no system pointer";
  EXPECT_EQ(cursorOver(HTCAPTION), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  EXPECT_EQ(cursorOver(HTRIGHT), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
}
