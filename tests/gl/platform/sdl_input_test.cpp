// The Linux keyboard and mouse as Windows reports them.
#include <gtest/gtest.h>

#include "gl/gl_fixture.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/zr_winmsg.h"

namespace {
uint32_t Vk(SDL_Scancode sc, Uint16 mod = KMOD_NONE) {
  SDL_Keysym key{};
  key.scancode = sc;
  key.mod = mod;
  return SdlKeyToVirtualKey(key);
}
}  // namespace

TEST(SdlKeys, GameKeysAndTheKeypadWithAndWithoutNumLock) {
  EXPECT_EQ(Vk(SDL_SCANCODE_UP), VK_UP);
  EXPECT_EQ(Vk(SDL_SCANCODE_RETURN), VK_RETURN);
  EXPECT_EQ(Vk(SDL_SCANCODE_SPACE), VK_SPACE);
  EXPECT_EQ(Vk(SDL_SCANCODE_A, KMOD_SHIFT), static_cast<uint32_t>('A'));
  // Without Num Lock keypad 8 and 2 are Up and Down; with it, the digit keys.
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_8), VK_UP);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_2), VK_DOWN);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_8, KMOD_NUM), 0x68u);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_ENTER, KMOD_NUM), VK_RETURN);
  EXPECT_EQ(Vk(SDL_SCANCODE_APPLICATION), 0u);  // no code for it: not passed on
}

TEST(SdlInput, ThePointersMovesReachTheGameOnlyOverTheWindow) {
  TestGfx();
  ResetTestGfx();
  auto move = [](int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
  };
  // A drag out of the window: X still reports it, Windows would not.
  move(-5, 40);
  move(900, 40);
  move(10, 20);
  ZrMsg msg;
  ASSERT_TRUE(Platform::PollMessage(msg));
  EXPECT_EQ(msg.Message, WM_MOUSEMOVE);
  EXPECT_EQ(msg.LParam, (20 << 16) | 10);
  EXPECT_FALSE(Platform::PollMessage(msg));
}
