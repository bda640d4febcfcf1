// The game's one SDL window and its OpenGL context.
#include <SDL.h>

#include <cfenv>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/sdl/sdl_pointer.h"
#include "platform/sdl/sdl_state.h"
#include "platform/zr_winmsg.h"

namespace {

// The drivers loaded while the window is made may change the floating-point
// environment; the game's own (every exception masked) is put back afterwards.
class FloatEnvironmentKeeper {
 public:
  FloatEnvironmentKeeper() { fegetenv(&saved_); }
  ~FloatEnvironmentKeeper() { fesetenv(&saved_); }
  FloatEnvironmentKeeper(const FloatEnvironmentKeeper&) = delete;
  FloatEnvironmentKeeper& operator=(const FloatEnvironmentKeeper&) = delete;

 private:
  fenv_t saved_{};
};

// When no display answers, SDL falls back to its offscreen and dummy drivers, and the
// game would run on with a window nobody can see. Those drivers are for tests, which
// ask for them by name.
bool OnRealDisplay() {
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (asked != nullptr && *asked != 0) return true;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) return true;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  const char* display = std::getenv("DISPLAY");
  SDL_SetError("no display could be opened (DISPLAY=%s)", display != nullptr ? display : "");
  return false;
}

}  // namespace

namespace Platform {

ZrWnd CreateWin(const std::string& title, int width, int height, int bits, bool fullScreen, ZrWndProc proc) {
  (void)bits;
  const FloatEnvironmentKeeper floatEnvironment;
  SdlState::Proc = proc;
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
  if (!OnRealDisplay()) return nullptr;
  WatchWindowSystemPointer();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  // Full screen is a borderless window over the whole screen in the desktop's own mode,
  // with the picture scaled: no mode switch that a crash could leave behind.
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SdlState::Window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
  if (SdlState::Window == nullptr) {
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);  // some X servers offer no alpha visual
    SdlState::Window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
  }
  if (SdlState::Window == nullptr) return nullptr;
  // A smaller window could not hold the frame that is scaled to it.
  SDL_SetWindowMinimumSize(SdlState::Window, width, height);
  // Showing a window sends its size and its first activation before anything else.
  SDL_ShowWindow(SdlState::Window);
  int w = 0, h = 0;
  SDL_GetWindowSize(SdlState::Window, &w, &h);
  SdlState::Send(WM_SIZE, 0, SdlState::PackXY(w, h));
  SdlState::Active = true;
  SdlState::Minimised = false;
  SdlState::Send(WM_ACTIVATE, WA_ACTIVE, 0);
  // The pointer over the client area, as Windows asks of a window when it is shown.
  SdlState::Send(WM_SETCURSOR, 0, MakeLParam(HTCLIENT, WM_MOUSEMOVE));
  return SdlState::Window;
}

void* CreateGLContext(ZrWnd wnd) {
  if (wnd == nullptr) return nullptr;
  SdlState::Context = SDL_GL_CreateContext(static_cast<SDL_Window*>(wnd));
  if (SdlState::Context != nullptr) SDL_GL_MakeCurrent(static_cast<SDL_Window*>(wnd), SdlState::Context);
  return SdlState::Context;
}

void RequestVsync() {
  if (SdlState::Context != nullptr) SDL_GL_SetSwapInterval(1);
}

void SwapBuffers(ZrWnd wnd) {
  if (wnd != nullptr) SDL_GL_SwapWindow(static_cast<SDL_Window*>(wnd));
}

void SetFullScreen(ZrWnd wnd, bool fullScreen, int, int, int) {
  // SDL keeps the window, its GL context and the size it had as a window.
  if (wnd == nullptr) return;
  SDL_SetWindowFullscreen(static_cast<SDL_Window*>(wnd), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

uintptr_t FullScreenKey() { return VK_F11; }

// Full screen here is a window in the desktop's own mode: there is nothing to give back.
void YieldFullScreen(ZrWnd) {}
void ReclaimFullScreen(ZrWnd, int, int, int) {}

void DestroyWin(ZrWnd wnd, bool) {
  if (SdlState::Context != nullptr) SDL_GL_DeleteContext(SdlState::Context);
  if (wnd != nullptr) SDL_DestroyWindow(static_cast<SDL_Window*>(wnd));
  SdlState::Context = nullptr;
  SdlState::Window = nullptr;
  SdlState::Proc = nullptr;
  SdlState::Queue.clear();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace Platform
