// The game's icon on its SDL window: the window manager shows it on the title bar and
// the task bar.
#include <SDL.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

namespace Platform {

void SetWindowIcon(const uint8_t* rgba, int width, int height) {
  if (SdlState::Window == nullptr || rgba == nullptr || width <= 0 || height <= 0) return;
  // SDL copies the pixels for the window system; the surface only lends them.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                         SDL_PIXELFORMAT_RGBA32);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(SdlState::Window, icon);
  SDL_FreeSurface(icon);
}

}  // namespace Platform
