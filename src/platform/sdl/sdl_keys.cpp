#include "platform/sdl/sdl_keys.h"

uint32_t SdlKeyToVirtualKey(const SDL_Keysym& key) {
  const SDL_Scancode sc = key.scancode;
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 0x70 + (sc - SDL_SCANCODE_F1);
  if ((key.mod & KMOD_NUM) == 0) {
    // Without Num Lock the keypad is a second set of arrows and editing keys, as Windows
    // reports it: keypad 8 and 2 work the menu and move the base like Up and Down.
    switch (sc) {
      case SDL_SCANCODE_KP_0: return 0x2D;       // Insert
      case SDL_SCANCODE_KP_1: return 0x23;       // End
      case SDL_SCANCODE_KP_2: return 0x28;       // Down
      case SDL_SCANCODE_KP_3: return 0x22;       // Page Down
      case SDL_SCANCODE_KP_4: return 0x25;       // Left
      case SDL_SCANCODE_KP_5: return 0x0C;       // Clear
      case SDL_SCANCODE_KP_6: return 0x27;       // Right
      case SDL_SCANCODE_KP_7: return 0x24;       // Home
      case SDL_SCANCODE_KP_8: return 0x26;       // Up
      case SDL_SCANCODE_KP_9: return 0x21;       // Page Up
      case SDL_SCANCODE_KP_PERIOD: return 0x2E;  // Delete
      default: break;
    }
  }
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 0x61 + (sc - SDL_SCANCODE_KP_1);
  switch (sc) {
    case SDL_SCANCODE_KP_0: return 0x60;
    case SDL_SCANCODE_BACKSPACE: return 0x08;
    case SDL_SCANCODE_TAB: return 0x09;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return 0x0D;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return 0x10;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return 0x11;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return 0x12;
    case SDL_SCANCODE_PAUSE: return 0x13;
    case SDL_SCANCODE_CAPSLOCK: return 0x14;
    case SDL_SCANCODE_ESCAPE: return 0x1B;
    case SDL_SCANCODE_SPACE: return 0x20;
    case SDL_SCANCODE_PAGEUP: return 0x21;
    case SDL_SCANCODE_PAGEDOWN: return 0x22;
    case SDL_SCANCODE_END: return 0x23;
    case SDL_SCANCODE_HOME: return 0x24;
    case SDL_SCANCODE_LEFT: return 0x25;
    case SDL_SCANCODE_UP: return 0x26;
    case SDL_SCANCODE_RIGHT: return 0x27;
    case SDL_SCANCODE_DOWN: return 0x28;
    case SDL_SCANCODE_INSERT: return 0x2D;
    case SDL_SCANCODE_DELETE: return 0x2E;
    case SDL_SCANCODE_KP_MULTIPLY: return 0x6A;
    case SDL_SCANCODE_KP_PLUS: return 0x6B;
    case SDL_SCANCODE_KP_MINUS: return 0x6D;
    case SDL_SCANCODE_KP_PERIOD: return 0x6E;
    case SDL_SCANCODE_KP_DIVIDE: return 0x6F;
    default: return 0;
  }
}

uint32_t VirtualKeyToChar(uint32_t vk, SDL_Keymod mod) {
  const bool shift = (mod & KMOD_SHIFT) != 0, ctrl = (mod & KMOD_CTRL) != 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return vk - 'A' + 1;
    const bool upper = shift != ((mod & KMOD_CAPS) != 0);
    return upper ? vk : vk + ('a' - 'A');
  }
  switch (vk) {
    case 0x08: return ctrl ? 0x7F : 0x08;  // Backspace
    case 0x0D: return ctrl ? 0x0A : 0x0D;  // Enter
    case 0x1B: return 0x1B;                // Esc
    case 0x20: return ' ';
    default: break;
  }
  if (ctrl) return 0;
  if (vk == 0x09) return 0x09;
  if (vk >= '0' && vk <= '9') return shift ? static_cast<uint32_t>(")!@#$%^&*("[vk - '0']) : vk;
  if (vk >= 0x60 && vk <= 0x69) return '0' + (vk - 0x60);  // the keypad's digits
  switch (vk) {
    case 0x6A: return '*';
    case 0x6B: return '+';
    case 0x6D: return '-';
    case 0x6E: return '.';
    case 0x6F: return '/';
    default: return 0;
  }
}
