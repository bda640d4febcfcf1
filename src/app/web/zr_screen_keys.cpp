// What the browser page asks of the game beside its window: the keys the screen at hand
// acts on, so that a touch screen's strip of keys shows those and no others. Read only;
// the game's screens know nothing of it.
#include <emscripten.h>

#include "platform/zr_winmsg.h"
#include "shell/zr_game.h"

// True when the current screen acts on the key (a Windows virtual-key code): the menu
// moves with Up and Down and chooses with Enter, the score screens go back with Space,
// the battle moves the base with Up. Loading and the end take none.
extern "C" EMSCRIPTEN_KEEPALIVE int zr_screen_takes_key(int code) {
  const auto vk = static_cast<uintptr_t>(code);
  switch (Game.GameState) {
    case gsMenu: return vk == VK_UP || vk == VK_DOWN || vk == VK_RETURN;
    case gsRecords:
    case gsGameOver: return vk == VK_SPACE;
    case gsNewGame:
    case gsBattle: return vk == VK_UP;
    default: return 0;
  }
}
