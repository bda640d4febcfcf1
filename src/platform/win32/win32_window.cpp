// The game window and its OpenGL context with user32, gdi32 and WGL.
#include <float.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace Win32 {
HWND MainWnd = nullptr;
HDC MainDC = nullptr;
HGLRC MainRC = nullptr;
SIZE MinClient{0, 0};
}  // namespace Win32

namespace {

// Every floating-point setting that a driver loaded during window creation could
// change behind the game's back: exception masks, rounding, denormal handling.
constexpr unsigned int kFpuSettings = _MCW_EM | _MCW_RC | _MCW_DN;

// A class that cannot be registered shows as a window that cannot be made.
void RegisterGameClass(HINSTANCE instance, ZrWndProc proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  // ZrWndProc has the WNDPROC signature and calling convention, so the game's own
  // procedure is the window procedure; no trampoline stands between them.
  wc.lpfnWndProc = reinterpret_cast<WNDPROC>(proc);
  wc.hInstance = instance;
  wc.hIcon = Win32::GameIcon(instance, false);
  wc.hIconSm = Win32::GameIcon(instance, true);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // Black, as the game's picture is before its first frame; the background is never
  // erased anyway (WM_ERASEBKGND), so no white flashes on opening, Alt+Enter or sizing.
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = Win32::WindowClass;
  RegisterClassExA(&wc);
}

// The display is in the game's mode; it goes back on every way out of the game.
bool g_modeSwitched = false;
// The full-screen window was minimised and the desktop's mode given back while the
// player is elsewhere.
bool g_yielded = false;
bool g_closing = false;

// No mode given: the display returns to the one stored in the system settings.
void RestoreDisplayMode() {
  ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
  g_modeSwitched = false;
}

LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

// A crash leaves the process standing while Windows reports it: the desktop comes
// back first, then whoever filtered before has their say.
LONG WINAPI RestoreModeOnCrash(EXCEPTION_POINTERS* info) {
  if (g_modeSwitched) RestoreDisplayMode();
  return g_previousFilter != nullptr ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

void ChangeDisplayMode(int width, int height, int bits) {
  static const bool filtering = [] {
    g_previousFilter = SetUnhandledExceptionFilter(&RestoreModeOnCrash);
    return true;
  }();
  (void)filtering;
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmBitsPerPel = static_cast<DWORD>(bits);
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) g_modeSwitched = true;
}

// Full screen covers the screen in whatever mode it is now: 800 x 600 when the mode
// could be set, the desktop's own otherwise, where the picture is shown scaled.
RECT ScreenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The outer rectangle of a window at (0, 0) whose client area is width x height.
RECT WindowRectFor(HWND wnd, int width, int height) {
  RECT frame = Win32::FrameAround(wnd, width, height, Win32::WindowStyle, Win32::WindowExStyle);
  OffsetRect(&frame, -frame.left, -frame.top);
  return frame;
}

// The picture's size times the scale of the window's monitor (1200 x 900 at 150%),
// within the monitor's work area, never below the picture itself.
SIZE ScaledClient(HWND wnd, int width, int height) {
  const UINT dpi = Win32::WindowDpi(wnd);
  if (dpi <= USER_DEFAULT_SCREEN_DPI) return SIZE{width, height};
  SIZE client{MulDiv(width, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI),
              MulDiv(height, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    const RECT frame = WindowRectFor(wnd, 0, 0);
    const LONG roomW = monitor.rcWork.right - monitor.rcWork.left - frame.right;
    const LONG roomH = monitor.rcWork.bottom - monitor.rcWork.top - frame.bottom;
    if (client.cx > roomW || client.cy > roomH) {  // as large as fits, in the picture's shape
      const double fit = std::min(static_cast<double>(roomW) / width, static_cast<double>(roomH) / height);
      client = SIZE{static_cast<LONG>(width * fit), static_cast<LONG>(height * fit)};
    }
  }
  return SIZE{std::max<LONG>(client.cx, width), std::max<LONG>(client.cy, height)};
}

// Where the window was before it went full screen, maximised or not.
WINDOWPLACEMENT g_windowPlacement{};

}  // namespace

namespace Platform {

ZrWnd CreateWin(const std::string& title, int width, int height, int bits, bool fullScreen, ZrWndProc proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterGameClass(instance, proc);

  Win32::MinClient = SIZE{width, height};
  g_windowPlacement = WINDOWPLACEMENT{};
  g_yielded = g_closing = false;
  DWORD style = Win32::WindowStyle;
  // The game draws width x height pixels, so that is the client area; the frame
  // and caption come on top, however large this system draws them.
  RECT frame = WindowRectFor(nullptr, width, height);
  if (fullScreen) {
    ChangeDisplayMode(width, height, bits);
    style = Win32::FullScreenStyle;
    frame = ScreenRect();
  }

  const unsigned int savedFpu = _control87(0, 0);
  HWND wnd = CreateWindowExA(Win32::WindowExStyle, Win32::WindowClass, title.c_str(), style, 0, 0,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  _control87(savedFpu, kFpuSettings);
  if (wnd == nullptr) {
    if (fullScreen) RestoreDisplayMode();
    return nullptr;
  }

  Win32::MainWnd = wnd;
  if (!fullScreen) {
    // On a scaled display the picture is shown as large as the desktop's own text,
    // by the game's scaler, not stretched blurred by the system.
    const SIZE client = ScaledClient(wnd, width, height);
    frame = WindowRectFor(wnd, client.cx, client.cy);
    SetWindowPos(wnd, nullptr, 0, 0, frame.right, frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The first WM_SIZE and WM_ACTIVATE reach the game's procedure in here.
  ShowWindow(wnd, SW_SHOW);
  UpdateWindow(wnd);
  return wnd;
}

void* CreateGLContext(ZrWnd wnd) {
  HWND hwnd = static_cast<HWND>(wnd);
  if (hwnd == nullptr) return nullptr;
  HDC dc = GetDC(hwnd);

  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 32;
  pfd.iLayerType = PFD_MAIN_PLANE;
  SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);

  HGLRC rc = wglCreateContext(dc);
  // CS_OWNDC: the window keeps this device context; releasing it gives nothing up.
  ReleaseDC(hwnd, dc);
  if (rc != nullptr) wglMakeCurrent(dc, rc);
  Win32::MainDC = dc;
  Win32::MainRC = rc;
  return rc;
}

void RequestVsync() {
  if (Win32::MainRC == nullptr) return;
  using SwapIntervalFn = BOOL(WINAPI*)(int);
  const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
  if (proc != nullptr) reinterpret_cast<SwapIntervalFn>(reinterpret_cast<void*>(proc))(1);
}

void SwapBuffers(ZrWnd wnd) {
  if (wnd != nullptr && wnd == Win32::MainWnd) ::SwapBuffers(Win32::MainDC);
}

void SetFullScreen(ZrWnd wnd, bool fullScreen, int width, int height, int bits) {
  HWND hwnd = static_cast<HWND>(wnd);
  if (hwnd == nullptr) return;
  // The same window, its device context and its GL context stay; only the style,
  // the place and the display mode change.
  g_yielded = false;
  if (fullScreen) {
    g_windowPlacement.length = sizeof g_windowPlacement;
    GetWindowPlacement(hwnd, &g_windowPlacement);
    ChangeDisplayMode(width, height, bits);
    SetWindowLongPtrA(hwnd, GWL_STYLE, Win32::FullScreenStyle | WS_VISIBLE);
    const RECT screen = ScreenRect();
    SetWindowPos(hwnd, HWND_TOP, 0, 0, screen.right, screen.bottom, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return;
  }
  RestoreDisplayMode();
  SetWindowLongPtrA(hwnd, GWL_STYLE, Win32::WindowStyle | WS_VISIBLE);
  if (g_windowPlacement.length != 0) {
    SetWindowPlacement(hwnd, &g_windowPlacement);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else {  // opened full screen: the window the game opens otherwise
    const SIZE client = ScaledClient(hwnd, width, height);
    const RECT frame = WindowRectFor(hwnd, client.cx, client.cy);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, frame.right, frame.bottom, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  }
}

void YieldFullScreen(ZrWnd wnd) {
  if (wnd == nullptr || g_yielded || g_closing) return;
  g_yielded = true;
  RestoreDisplayMode();
  // Without taking the activation back from the program that has just taken it.
  ShowWindow(static_cast<HWND>(wnd), SW_SHOWMINNOACTIVE);
}

void ReclaimFullScreen(ZrWnd wnd, int width, int height, int bits) {
  if (wnd == nullptr || !g_yielded || g_closing) return;
  g_yielded = false;  // first: the size this sends comes back here
  ChangeDisplayMode(width, height, bits);
  const RECT screen = ScreenRect();
  SetWindowPos(static_cast<HWND>(wnd), HWND_TOP, 0, 0, screen.right, screen.bottom, SWP_SHOWWINDOW);
}

// Alt+Enter is the Windows convention; F11 is not.
uintptr_t FullScreenKey() { return 0; }

void DestroyWin(ZrWnd wnd, bool fullScreen) {
  if (fullScreen || g_modeSwitched) RestoreDisplayMode();
  // The activation leaves with the window: nothing is to be minimised or switched on
  // the way out.
  g_closing = true;
  if (Win32::MainRC != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(Win32::MainRC);
  }
  if (wnd != nullptr) DestroyWindow(static_cast<HWND>(wnd));
  UnregisterClassA(Win32::WindowClass, GetModuleHandleA(nullptr));
  Win32::MainWnd = nullptr;
  Win32::MainDC = nullptr;
  Win32::MainRC = nullptr;
}

}  // namespace Platform
