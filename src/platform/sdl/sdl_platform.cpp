// Linux backend of the platform seam: SDL2 for the window, the GL context and input,
// turned into the Win32 message protocol the game speaks.
#include <SDL.h>
#include <cfenv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_keys.h"

namespace {

constexpr uint32_t kWmSize = 0x0005, kWmActivate = 0x0006, kWmClose = 0x0010, kWmQuit = 0x0012;
constexpr uint32_t kWmKeyDown = 0x0100, kWmKeyUp = 0x0101, kWmSysKeyDown = 0x0104, kWmSysKeyUp = 0x0105;
constexpr uint32_t kWmMouseMove = 0x0200, kWmLButtonDown = 0x0201, kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204, kWmRButtonUp = 0x0205;
constexpr uintptr_t kWaInactive = 0, kWaActive = 1;

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
ZrWndProc g_proc = nullptr;
std::deque<ZrMsg> g_queue;
int g_cursorCount = 0;  // Win32 display counter: the cursor shows while it is >= 0

intptr_t PackXY(int x, int y) {
  // Win32 delivers client coordinates as two 16-bit words.
  const uint32_t lo = static_cast<uint32_t>(x) & 0xFFFF, hi = static_cast<uint32_t>(y) & 0xFFFF;
  return static_cast<intptr_t>(lo | (hi << 16));
}

void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  g_queue.push_back(ZrMsg{g_window, message, wParam, lParam});
}

void PostSize() {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(g_window, &w, &h);
  Post(kWmSize, 0, PackXY(w, h));
}

void Translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:  // the window manager's close, Ctrl+C, SIGTERM
      Post(kWmClose, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: PostSize(); break;
        case SDL_WINDOWEVENT_MINIMIZED:
          Post(kWmSize, 0, 0);
          Post(kWmActivate, kWaInactive | (1u << 16), 0);
          break;
        case SDL_WINDOWEVENT_RESTORED:
          Post(kWmActivate, kWaActive, 0);
          PostSize();
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Post(kWmActivate, kWaActive, 0); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if ((SDL_GetWindowFlags(g_window) & SDL_WINDOW_MINIMIZED) == 0) Post(kWmActivate, kWaInactive, 0);
          break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const uint32_t vk = SdlKeyToVirtualKey(e.key.keysym);
      if (vk == 0) break;
      // Alt combinations and F10 are system keys on Windows: the game never sees them.
      const bool sys = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == 0x79 || vk == 0x12;
      const bool down = e.type == SDL_KEYDOWN;
      Post(sys ? (down ? kWmSysKeyDown : kWmSysKeyUp) : (down ? kWmKeyDown : kWmKeyUp), vk, 0);
      break;
    }
    case SDL_MOUSEMOTION: {
      // Windows tells a window of the pointer's moves only while it is over the client
      // area (the game never captures the mouse); X goes on telling during a drag.
      int w = 0, h = 0;
      SDL_GetWindowSize(g_window, &w, &h);
      if (e.motion.x >= 0 && e.motion.y >= 0 && e.motion.x < w && e.motion.y < h) {
        Post(kWmMouseMove, 0, PackXY(e.motion.x, e.motion.y));
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (e.button.button == SDL_BUTTON_LEFT) Post(down ? kWmLButtonDown : kWmLButtonUp, 0, PackXY(e.button.x, e.button.y));
      if (e.button.button == SDL_BUTTON_RIGHT) Post(down ? kWmRButtonDown : kWmRButtonUp, 0, PackXY(e.button.x, e.button.y));
      break;
    }
    default: break;
  }
}

void PumpSdl() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) Translate(e);
}

intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return g_proc != nullptr ? g_proc(g_window, message, wParam, lParam) : 0;
}

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
  g_proc = proc;
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
  if (!OnRealDisplay()) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= fullScreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
  g_window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
  if (g_window == nullptr) {
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);  // some X servers offer no alpha visual
    g_window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
  }
  if (g_window == nullptr) return nullptr;
  // Showing a window sends its size and its first activation before anything else.
  SDL_ShowWindow(g_window);
  int w = 0, h = 0;
  SDL_GetWindowSize(g_window, &w, &h);
  Send(kWmSize, 0, PackXY(w, h));
  Send(kWmActivate, kWaActive, 0);
  return g_window;
}

void* CreateGLContext(ZrWnd wnd) {
  if (wnd == nullptr) return nullptr;
  g_context = SDL_GL_CreateContext(static_cast<SDL_Window*>(wnd));
  if (g_context != nullptr) SDL_GL_MakeCurrent(static_cast<SDL_Window*>(wnd), g_context);
  return g_context;
}

void RequestVsync() {
  if (g_context != nullptr) SDL_GL_SetSwapInterval(1);
}

void SwapBuffers(ZrWnd wnd) {
  if (wnd != nullptr) SDL_GL_SwapWindow(static_cast<SDL_Window*>(wnd));
}

void DestroyWin(ZrWnd wnd, bool fullScreen) {
  if (fullScreen) RestoreDisplayMode();
  if (g_context != nullptr) SDL_GL_DeleteContext(g_context);
  if (wnd != nullptr) SDL_DestroyWindow(static_cast<SDL_Window*>(wnd));
  g_context = nullptr;
  g_window = nullptr;
  g_proc = nullptr;
  g_queue.clear();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// SDL switches the mode itself for a full-screen window of the requested size.
void ChangeDisplayMode(int, int, int) {}
void RestoreDisplayMode() {}

void ClientSize(ZrWnd wnd, int& width, int& height) {
  width = height = 0;
  if (wnd != nullptr) SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(wnd), &width, &height);
}

bool PeekMessage(ZrMsg& msg) {
  PumpSdl();
  if (g_queue.empty()) return false;
  msg = g_queue.front();
  g_queue.pop_front();
  return true;
}

void WaitMessage() {
  PumpSdl();
  if (!g_queue.empty() || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event e;
  if (SDL_WaitEvent(&e)) Translate(e);
}

void PostMessage(const ZrMsg& msg) { g_queue.push_back(msg); }

void PostQuitMessage(int exitCode) { g_queue.push_back(ZrMsg{nullptr, kWmQuit, static_cast<uintptr_t>(exitCode), 0}); }

intptr_t DispatchMessage(const ZrMsg& msg) {
  return g_proc != nullptr ? g_proc(msg.Wnd, msg.Message, msg.WParam, msg.LParam) : 0;
}

intptr_t DefWindowProc(ZrWnd, uint32_t, uintptr_t, intptr_t) { return 0; }

int ShowCursor(bool show) {
  g_cursorCount += show ? 1 : -1;
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return g_cursorCount;
}

uint32_t TickCount() {
  // Whole steps of the 64 Hz system timer, in milliseconds, wrapping at 32 bits.
  const uint64_t steps = FineClockNs() / 15625000ull;
  return static_cast<uint32_t>(steps * 15625ull / 1000ull);
}

uint64_t FineClockNs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

void SleepNs(uint64_t ns) { std::this_thread::sleep_for(std::chrono::nanoseconds(ns)); }

void MessageBox(const std::string& caption, const std::string& text, bool error) {
  const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
}

std::string ExecutablePath() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

void MaskFloatExceptions() {
  // Already the default on x86-64 Linux; said explicitly because the game relies on it.
  fedisableexcept(FE_ALL_EXCEPT);
}

std::string LastErrorText() { return SDL_GetError(); }

}  // namespace Platform
