// The canvas as the game's window, with a WebGL context through EGL, drawn into by the GL
// compatibility layer. A context the browser takes away (a GPU reset, too many tabs) is
// asked back, and the layer gives the new one what the old one held.
#include <EGL/egl.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "platform/platform.h"
#include "platform/web/gl_compat.h"
#include "platform/web/web_state.h"
#include "platform/zr_winmsg.h"

namespace WebState {

ZrWndProc Proc = nullptr;
std::deque<ZrMsg> Queue;
bool Active = false;
int PictureWidth = 800, PictureHeight = 600;
int CanvasWidth = 0, CanvasHeight = 0;
double CssWidth = 0, CssHeight = 0;
bool YieldedSinceSwap = false;
bool GameFullScreen = false;

namespace {

int g_windowTag = 0;
EGLDisplay g_display = EGL_NO_DISPLAY;
EGLSurface g_surface = EGL_NO_SURFACE;
EGLContext g_context = EGL_NO_CONTEXT;
const char* g_error = "";

}  // namespace

ZrWnd Window() { return &g_windowTag; }

intptr_t PackXY(int x, int y) {
  const uint32_t lo = static_cast<uint32_t>(x) & 0xFFFF, hi = static_cast<uint32_t>(y) & 0xFFFF;
  return static_cast<intptr_t>(lo | (hi << 16));
}

void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Queue.push_back(ZrMsg{Window(), message, wParam, lParam});
  EM_ASM({
    if (Module.zrWake) Module.zrWake();
  });
}

intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Proc != nullptr ? Proc(Window(), message, wParam, lParam) : 0;
}

// The drawing buffer has the canvas's size in device pixels, so that a picture scaled by
// a whole number lands pixel for pixel. A canvas smaller than the picture gets a buffer
// of its shape that holds the picture, and the page shrinks it. The browser tells the
// exact device pixels where it can (fractional pixel ratios round either way); elsewhere
// they are the CSS size times the ratio.
bool FitCanvas() {
  double cssW = 0, cssH = 0;
  emscripten_get_element_css_size(Canvas, &cssW, &cssH);
  const double ratio = emscripten_get_device_pixel_ratio();
  double w = std::round(cssW * ratio), h = std::round(cssH * ratio);
  const int observedW = EM_ASM_INT({ return Module.zrDevicePixels ? Module.zrDevicePixels[0] : 0; });
  const int observedH = EM_ASM_INT({ return Module.zrDevicePixels ? Module.zrDevicePixels[1] : 0; });
  // A reading that is not this size's (an old one, or an emulated ratio) is not taken.
  if (std::fabs(observedW - w) <= 1 && std::fabs(observedH - h) <= 1) {
    w = observedW;
    h = observedH;
  }
  if (w < 1 || h < 1) {
    w = PictureWidth;
    h = PictureHeight;
  } else if (w < PictureWidth || h < PictureHeight) {
    const double k = std::fmax(PictureWidth / w, PictureHeight / h);
    w = std::ceil(w * k - 1e-9);
    h = std::ceil(h * k - 1e-9);
  }
  CssWidth = cssW > 0 ? cssW : w;
  CssHeight = cssH > 0 ? cssH : h;
  const int newW = static_cast<int>(w), newH = static_cast<int>(h);
  if (newW == CanvasWidth && newH == CanvasHeight) return false;
  CanvasWidth = newW;
  CanvasHeight = newH;
  emscripten_set_canvas_element_size(Canvas, newW, newH);
  return true;
}

// Watches the canvas's size in device pixels, which also changes with the pixel ratio
// alone (another monitor, the browser's zoom), and has the window resized for it.
void WatchDevicePixels() {
  EM_ASM({
    const resized = () => { if (Module._zr_canvas_resized) Module._zr_canvas_resized(); };
    // The ratio alone can change, the CSS size staying: watched at each ratio it takes.
    const watchRatio = () => {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
        resized();
        watchRatio();
      }, {once: true});
    };
    watchRatio();
    if (!window.ResizeObserver) return;
    const observer = new ResizeObserver((entries) => {
      const box = entries[0].devicePixelContentBoxSize;
      if (!box || !box[0]) return;
      Module.zrDevicePixels = [box[0].inlineSize, box[0].blockSize];
      resized();
    });
    try {
      observer.observe(Module.canvas, {box: 'device-pixel-content-box'});
    } catch (e) {
      // An older browser: the CSS size times the ratio.
    }
  });
}

const char* LastError() { return g_error; }

// The browser gives a lost context back only when its loss is taken (the event's default
// prevented): until then nothing reaches the GPU.
EM_BOOL OnContextLost(int, const void*, void*) {
  GlCompat::LoseContext();
  return EM_TRUE;
}

bool MakeContext() {
  g_display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  if (g_display == EGL_NO_DISPLAY || !eglInitialize(g_display, nullptr, nullptr)) {
    g_error = "the browser offers no WebGL";
    return false;
  }
  // No alpha: the page must not show through where the game draws translucent pixels.
  const EGLint attributes[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 0,
                               EGL_DEPTH_SIZE, 24, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  if (!eglChooseConfig(g_display, attributes, &config, 1, &configs) || configs < 1) {
    g_error = "no WebGL drawing buffer with a depth buffer";
    return false;
  }
  g_surface = eglCreateWindowSurface(g_display, config, 0, nullptr);
  const EGLint version[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  g_context = eglCreateContext(g_display, config, EGL_NO_CONTEXT, version);
  if (g_surface == EGL_NO_SURFACE || g_context == EGL_NO_CONTEXT) {
    g_error = "the browser could not make a WebGL context (is WebGL switched off?)";
    return false;
  }
  if (!eglMakeCurrent(g_display, g_surface, g_surface, g_context)) {
    g_error = "the WebGL context could not be made current";
    return false;
  }
  GlCompat::Reset();
  emscripten_set_webglcontextlost_callback(Canvas, nullptr, false, OnContextLost);
  return true;
}

void SwapNow() {
  GlCompat::Flush();
  if (g_surface == EGL_NO_SURFACE) return;
  // The swap says whether the context is there; the first one that finds it back has the
  // layer make again what the GPU held, before the next frame draws.
  if (eglSwapBuffers(g_display, g_surface) == EGL_TRUE) {
    if (GlCompat::ContextLost()) GlCompat::RestoreContext();
  } else if (eglGetError() == EGL_CONTEXT_LOST) {
    GlCompat::LoseContext();
  }
}

}  // namespace WebState

namespace Platform {

ZrWnd CreateWin(const std::string& title, int width, int height, int, bool fullScreen, ZrWndProc proc) {
  WebState::Proc = proc;
  WebState::PictureWidth = width;
  WebState::PictureHeight = height;
  emscripten_set_window_title(title.c_str());
  WebState::ListenForInput();
  WebState::WatchDevicePixels();
  if (fullScreen) SetFullScreen(WebState::Window(), true, width, height, 32);
  WebState::FitCanvas();
  // Showing a window sends its size and its first activation before anything else.
  WebState::Send(WM_SIZE, 0, WebState::PackXY(WebState::CanvasWidth, WebState::CanvasHeight));
  WebState::Active = !static_cast<bool>(EM_ASM_INT({ return document.hidden ? 1 : 0; }));
  WebState::Send(WM_ACTIVATE, WebState::Active ? WA_ACTIVE : (WA_INACTIVE | (1u << 16)), 0);
  // The pointer comes to rest over the canvas, as the pointer's own first move would say.
  WebState::Send(WM_SETCURSOR, 0, MakeLParam(HTCLIENT, WM_MOUSEMOVE));
  return WebState::Window();
}

void* CreateGLContext(ZrWnd wnd) {
  if (wnd == nullptr || !WebState::MakeContext()) return nullptr;
  return wnd;
}

// The browser shows a frame when the program gives it the thread, at the display's pace.
void RequestVsync() {}

void SwapBuffers(ZrWnd) {
  WebState::SwapNow();
  // For the page, and for whoever measures it: frames shown, when the first one was, and
  // when the recent ones were, and the draw calls sent so far.
  EM_ASM({
    const now = performance.now();
    Module.frames = (Module.frames || 0) + 1;
    if (!Module.firstFrameAt) Module.firstFrameAt = now;
    const times = Module.swapTimes || (Module.swapTimes = []);
    times.push(now);
    if (times.length > 1200) times.splice(0, 600);
    Module.drawCalls = $0;
  }, static_cast<double>(GlCompat::DrawCalls()));
  // The frame reaches the screen only once the browser has the thread; the game's own
  // pacing usually gives it, a slow frame does not.
  if (!WebState::YieldedSinceSwap) WebState::Wait(0, false);
  WebState::YieldedSinceSwap = false;
}

void DestroyWin(ZrWnd, bool) {
  WebState::Proc = nullptr;
  WebState::Queue.clear();
  EM_ASM({
    if (Module.zrGameEnded) Module.zrGameEnded();
  });
}

// The page asks the browser for the state the game asks for. The browser also leaves full
// screen by itself (Esc) or refuses it; the page then tells zr_full_screen_changed.
void SetFullScreen(ZrWnd, bool fullScreen, int, int, int) {
  WebState::GameFullScreen = fullScreen;
  EM_ASM({ if (Module.zrFullScreen) Module.zrFullScreen.set(!!$0); }, fullScreen ? 1 : 0);
}

// The browser's full screen never changes the display's mode: there is nothing to give back.
void YieldFullScreen(ZrWnd) {}
void ReclaimFullScreen(ZrWnd, int, int, int) {}

uintptr_t FullScreenKey() { return VK_F11; }

// The page shows the game's icon itself.
void SetWindowIcon(const uint8_t*, int, int) {}

}  // namespace Platform

// The browser's full screen has changed, or stayed as it was against the game's wish: the
// game's own state follows it through the key that switches it, Alt+Enter, as the player
// would press it. Its flag then matches, so its answer asks the browser for nothing.
extern "C" EMSCRIPTEN_KEEPALIVE void zr_full_screen_changed(int fullScreen) {
  if ((fullScreen != 0) == WebState::GameFullScreen || WebState::Proc == nullptr) return;
  WebState::GameFullScreen = fullScreen != 0;
  const intptr_t altDown = intptr_t{1} << 29;
  WebState::Post(WM_SYSKEYDOWN, VK_RETURN, altDown);
  WebState::Post(WM_SYSKEYUP, VK_RETURN, altDown | (intptr_t{3} << 30));
}

// The canvas's device pixels have changed: a new size for the window.
extern "C" EMSCRIPTEN_KEEPALIVE void zr_canvas_resized() { WebState::PostSizeIfChanged(); }
