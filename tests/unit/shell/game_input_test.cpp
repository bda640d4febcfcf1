// The game's input vocabulary: whatever the window procedure acts on for the game is in
// it, and a demo holding anything else is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "demo/zr_demo_format.h"
#include "platform/null/null_platform.h"
#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"
#include "shell/zr_game_input.h"
#include "shell/zr_gfx.h"
#include "shell/zr_wndproc.h"

namespace {

// The input fields a message may change, and the game's own state.
std::vector<uint8_t> InputState(const ZrGfx& gfx) {
  std::vector<uint8_t> bytes;
  auto add = [&](const auto& v) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    bytes.insert(bytes.end(), p, p + sizeof v);
  };
  add(gfx.Active), add(gfx.Terminated), add(gfx.MouseX), add(gfx.MouseY), add(gfx.LeftDown), add(gfx.RightDown);
  add(gfx.Keys), add(gfx.Width), add(gfx.Height);
  add(Game.GameState), add(Game.Score), add(Game.BestScore), add(Game.MenuIndex);
  return bytes;
}

bool DemoWithMessageOpens(uint32_t message) {
  ZrDemoWriter w(ZrDemoHeader{"1", 0}, 1);
  w.Message(message, 1);
  w.EndPass(0);
  w.Finish(0, false);
  ZrDemoReader r;
  return r.Open(w.Take());
}

}  // namespace

TEST(GameInput, EveryMessageTheWindowProcedureActsOnIsInTheListAndDemosHoldNothingElse) {
  std::vector<uint32_t> messages;
  for (uint32_t m = 0; m <= 0x0400; ++m) messages.push_back(m);
  for (uint32_t n = 0; n <= 0x40; ++n) messages.push_back(WM_APP + n);
  // Key codes (the full-screen ones among them), a minimised and a restored state, a
  // pointer position, and the high word an activation reads.
  const uintptr_t wParams[] = {0, SIZE_MINIMIZED, VK_RETURN, VK_SPACE, VK_F11, 0x41, 0x10000};
  const intptr_t lParams[] = {0, MakeLParam(10, 20), KeyRepeatBit};
  for (const uint32_t message : messages) {
    bool acts = false;
    for (const uintptr_t w : wParams) {
      for (const intptr_t l : lParams) {
        NullPlatform::Reset();
        ZrGfx gfx;
        gfx.Width = 800;
        gfx.Height = 600;
        gfx.ClientWidth = 800;
        gfx.ClientHeight = 600;
        gfx.Active = true;
        gfx.Keys[0x41] = gfx.LeftDown = true;  // held, for what lets go
        Game.Gfx = &gfx;
        const std::vector<uint8_t> before = InputState(gfx);
        GameWndProc(nullptr, message, w, l);
        acts = acts || InputState(gfx) != before;
        Game.Gfx = nullptr;
      }
    }
    EXPECT_TRUE(!acts || IsGameInput(message)) << "message 0x" << std::hex << message << " acts but is not recorded";
    // The pointer has a record of its own, in the game's pixels.
    EXPECT_EQ(DemoWithMessageOpens(message), IsGameInput(message) && message != WM_MOUSEMOVE) << std::hex << message;
  }
}
