// The SDL backend's input as Windows would give it, through real X events: xdotool
// drives a real pointer and keyboard under Xvfb and a window manager, and SDL handles
// them in its own way (it pins a pointer that left the window to the edge, reports a
// minimise, a restore and the focus each on its own) before the backend turns them
// into window messages.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/zr_winmsg.h"

namespace {

std::vector<ZrMsg> g_seen;

intptr_t ZR_WNDPROC_CALL Record(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  g_seen.push_back(ZrMsg{wnd, message, wParam, lParam});
  return 0;
}

void Xdo(const std::string& args) {
  ASSERT_EQ(std::system(("xdotool search --name '^Zr Ironfall$' " + args).c_str()), 0) << args;
}

// Lets the window system and SDL settle, delivering every message as the game would.
std::vector<ZrMsg> Drain(int ms = 400) {
  for (int t = 0; t < ms; t += 10) {
    ZrMsg msg;
    while (Platform::PollMessage(msg)) Platform::DeliverMessage(msg);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<ZrMsg> seen;
  seen.swap(g_seen);
  return seen;
}

std::vector<ZrMsg> Only(const std::vector<ZrMsg>& seen, uint32_t message) {
  std::vector<ZrMsg> out;
  for (const ZrMsg& m : seen)
    if (m.Message == message) out.push_back(m);
  return out;
}

std::vector<uint32_t> Kinds(const std::vector<ZrMsg>& seen) {
  std::vector<uint32_t> out;
  for (const ZrMsg& m : seen) out.push_back(m.Message);
  return out;
}

intptr_t XY(int x, int y) { return static_cast<intptr_t>(static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16)); }

class X11Input : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Wnd = Platform::CreateWin("Zr Ironfall", 800, 600, 32, false, &Record);
    ASSERT_NE(Wnd, nullptr) << Platform::LastErrorText();
    ASSERT_NE(Platform::CreateGLContext(Wnd), nullptr);
    FirstMessages = Drain(1000);
  }
  static void TearDownTestSuite() { Platform::DestroyWin(Wnd, false); }

  static inline ZrWnd Wnd = nullptr;
  static inline std::vector<ZrMsg> FirstMessages;
};

TEST_F(X11Input, OneActivationAtStartOneForAMinimiseOneForTheRestore) {
  // The one sent while the window was shown, and no second one for the focus after it.
  EXPECT_EQ(Only(FirstMessages, WM_ACTIVATE).size(), 1u);

  Xdo("windowminimize --sync");
  const std::vector<ZrMsg> minimised = Drain();
  ASSERT_EQ(Only(minimised, WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(Only(minimised, WM_ACTIVATE)[0].WParam, WA_INACTIVE | (1u << 16));
  ASSERT_FALSE(Only(minimised, WM_SIZE).empty());
  EXPECT_TRUE(Only(minimised, WM_SIZE)[0].LParam == 0 && Only(minimised, WM_SIZE)[0].WParam == SIZE_MINIMIZED);

  Xdo("windowactivate --sync");
  const std::vector<ZrMsg> restored = Drain();
  ASSERT_EQ(Only(restored, WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(Only(restored, WM_ACTIVATE)[0].WParam, WA_ACTIVE);
}

TEST_F(X11Input, ThePointerIsHeardOnlyOverTheWindowAndAReleaseOutsideIsNot) {
  Xdo("windowactivate --sync mousemove --window %1 --sync 101 120");
  EXPECT_EQ(Only(Drain(), WM_MOUSEMOVE).back().LParam, XY(101, 120));
  // A jump out of the window: SDL would report it pinned to the edge.
  ASSERT_EQ(std::system("xdotool mousemove --sync 1020 760"), 0);
  EXPECT_TRUE(Only(Drain(), WM_MOUSEMOVE).empty());

  // A drag that ends outside: the press counts, the moves and the release outside do not.
  Xdo("mousemove --window %1 --sync 200 210 mousedown 1");
  ASSERT_EQ(std::system("xdotool mousemove --sync 1020 760 sleep 0.1 mouseup 1"), 0);
  const std::vector<ZrMsg> drag = Drain();
  ASSERT_EQ(Only(drag, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Only(drag, WM_MOUSEMOVE).back().LParam, XY(200, 210));
  EXPECT_TRUE(Only(drag, WM_LBUTTONUP).empty());
}

TEST_F(X11Input, ACharacterKeyIsFollowedByItsCharacterAnArrowKeyIsNot) {
  Xdo("windowactivate --sync key space key Down");
  const std::vector<ZrMsg> keys = Drain();
  const std::vector<uint32_t> expected{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
  EXPECT_EQ(Kinds(keys), expected);
  ASSERT_EQ(Only(keys, WM_CHAR).size(), 1u);
  EXPECT_EQ(Only(keys, WM_CHAR)[0].WParam, static_cast<uintptr_t>(' '));
}

}  // namespace
