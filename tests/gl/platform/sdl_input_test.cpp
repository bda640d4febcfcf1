// The Linux keyboard as Windows reports it (the mouse and the characters, through real
// X events, are in tests/x11).
#include <gtest/gtest.h>

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
  // The arrows, Enter and Space drive the game end to end (tests/e2e); here the codes beside them.
  EXPECT_EQ(Vk(SDL_SCANCODE_A, KMOD_SHIFT), static_cast<uint32_t>('A'));
  // Without Num Lock keypad 8 and 2 are Up and Down; with it, the digit keys.
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_8), VK_UP);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_2), VK_DOWN);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_8, KMOD_NUM), 0x68u);
  EXPECT_EQ(Vk(SDL_SCANCODE_KP_ENTER, KMOD_NUM), VK_RETURN);
  EXPECT_EQ(Vk(SDL_SCANCODE_APPLICATION), 0u);  // no code for it: not passed on
}
