// The game window and its OpenGL context with user32, gdi32 and WGL.
#include <float.h>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace Win32 {
HWND MainWnd = nullptr;
HDC MainDC = nullptr;
HGLRC MainRC = nullptr;
}  // namespace Win32

namespace {

// Every floating-point setting that a driver loaded during window creation could
// change behind the game's back: exception masks, rounding, denormal handling.
constexpr unsigned int kFpuSettings = _MCW_EM | _MCW_RC | _MCW_DN;

// A class that cannot be registered shows as a window that cannot be made.
void RegisterGameClass(HINSTANCE instance, ZrWndProc proc) {
  WNDCLASSA wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  // ZrWndProc has the WNDPROC signature and calling convention, so the game's own
  // procedure is the window procedure; no trampoline stands between them.
  wc.lpfnWndProc = reinterpret_cast<WNDPROC>(proc);
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = Win32::WindowClass;
  RegisterClassA(&wc);
}

void ChangeDisplayMode(int width, int height, int bits) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmBitsPerPel = static_cast<DWORD>(bits);
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

// No mode given: the display returns to the one stored in the system settings.
void RestoreDisplayMode() { ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN); }

}  // namespace

namespace Platform {

ZrWnd CreateWin(const std::string& title, int width, int height, int bits, bool fullScreen, ZrWndProc proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterGameClass(instance, proc);

  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (fullScreen) {
    ChangeDisplayMode(width, height, bits);
    style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  }
  const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

  // The game draws width x height pixels, so that is the client area; the frame
  // and caption come on top, however large this system draws them.
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);

  const unsigned int savedFpu = _control87(0, 0);
  HWND wnd = CreateWindowExA(exStyle, Win32::WindowClass, title.c_str(), style, 0, 0, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  _control87(savedFpu, kFpuSettings);
  if (wnd == nullptr) return nullptr;

  Win32::MainWnd = wnd;
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

void DestroyWin(ZrWnd wnd, bool fullScreen) {
  if (fullScreen) RestoreDisplayMode();
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
