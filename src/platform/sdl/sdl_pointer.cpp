#include "platform/sdl/sdl_pointer.h"

namespace {

bool g_known = false;
int g_x = 0, g_y = 0;

}  // namespace

void WatchWindowSystemPointer() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

void NoteWindowSystemPointer(const SDL_SysWMmsg& msg) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (msg.subsystem != SDL_SYSWM_X11) return;
  // Coordinates relative to the game's window, outside it as well.
  const XEvent& e = msg.msg.x11.event;
  switch (e.type) {
    case MotionNotify: g_x = e.xmotion.x, g_y = e.xmotion.y; break;
    case EnterNotify:
    case LeaveNotify: g_x = e.xcrossing.x, g_y = e.xcrossing.y; break;
    case ButtonPress:
    case ButtonRelease: g_x = e.xbutton.x, g_y = e.xbutton.y; break;
    default: return;
  }
  g_known = true;
#else
  (void)msg;
#endif
}

bool WindowSystemPointerOutside(int w, int h) { return g_known && (g_x < 0 || g_y < 0 || g_x >= w || g_y >= h); }
