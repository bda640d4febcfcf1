// SDL key symbols to Windows virtual-key codes.
#pragma once

#include <SDL.h>
#include <cstdint>

// 0 for keys the Windows keyboard has no virtual-key code for.
uint32_t SdlKeyToVirtualKey(const SDL_Keysym& key);
// The character Windows makes of a key-down with these modifiers (a US layout), or 0
// for a key that makes none.
uint32_t VirtualKeyToChar(uint32_t vk, SDL_Keymod mod);
