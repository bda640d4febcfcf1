/* For bench/web_timedemo.sh: makes the native game finish each frame (glFinish) before
   it swaps, as a browser's frame is finished before it is shown, so that the two are
   timed alike. Loaded with LD_PRELOAD into build/zr_ironfall. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>

typedef struct SDL_Window SDL_Window;

void SDL_GL_SwapWindow(SDL_Window* window) {
  static void (*real)(SDL_Window*) = 0;
  if (!real) real = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
  glFinish();
  real(window);
}
