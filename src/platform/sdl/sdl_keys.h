// SDL key symbols to Windows virtual-key codes.
#pragma once

#include <SDL.h>
#include <cstdint>

// 0 for keys the Windows keyboard has no virtual-key code for.
uint32_t SdlKeyToVirtualKey(const SDL_Keysym& key);
