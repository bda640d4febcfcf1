// Where the window system itself last saw the pointer. SDL pins a pointer that has left
// the window to the window's edge; the window system's own events still say where it is.
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

// Asks SDL to hand over the window system's events, ahead of its own for each.
void WatchWindowSystemPointer();
// Takes the pointer's place from one such event, where it carries one.
void NoteWindowSystemPointer(const SDL_SysWMmsg& msg);
// True when the last place noted lies outside a w x h client area. False when no place
// is known (a window system that does not tell, like the offscreen driver).
bool WindowSystemPointerOutside(int w, int h);
