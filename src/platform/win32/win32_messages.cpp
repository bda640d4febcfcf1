// The thread's Win32 message queue, handed to the game one message at a time.
#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace {

// The last message taken off the queue, whole: the seam's ZrMsg carries no time or
// cursor point, and DispatchMessageA should see the message exactly as it came.
MSG g_lastMsg{};

MSG ToMsg(const ZrMsg& msg) {
  const bool same = msg.Wnd == g_lastMsg.hwnd && msg.Message == g_lastMsg.message &&
                    msg.WParam == g_lastMsg.wParam && msg.LParam == g_lastMsg.lParam;
  if (same) return g_lastMsg;
  MSG m{};
  m.hwnd = static_cast<HWND>(msg.Wnd);
  m.message = msg.Message;
  m.wParam = msg.WParam;
  m.lParam = msg.LParam;
  m.time = GetMessageTime();
  return m;
}

}  // namespace

namespace Platform {

bool PollMessage(ZrMsg& msg) {
  MSG m{};
  if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) return false;
  g_lastMsg = m;
  msg.Wnd = m.hwnd;
  msg.Message = m.message;
  msg.WParam = m.wParam;
  msg.LParam = m.lParam;
  return true;
}

void WaitForMessage() {
  // Unlike ::WaitMessage, this also returns at once for a message that is already
  // queued but was seen by an earlier look at the queue, as the second of two
  // messages that arrived together is.
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void WaitForMessageNs(uint64_t ns) {
  if (HANDLE timer = Win32::ArmTimer(ns)) {
    MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return;
  }
  const uint64_t ms = (ns + 999999) / 1000000;
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms > 1000000 ? 1000000 : ms), QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
}

void QueueMessage(const ZrMsg& msg) {
  // No window named: the game window, or the thread's own queue before there is one.
  HWND wnd = msg.Wnd != nullptr ? static_cast<HWND>(msg.Wnd) : Win32::MainWnd;
  if (wnd != nullptr) {
    PostMessageA(wnd, msg.Message, msg.WParam, msg.LParam);
  } else {
    PostThreadMessageA(GetCurrentThreadId(), msg.Message, msg.WParam, msg.LParam);
  }
}

void QueueQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

intptr_t DeliverMessage(const ZrMsg& msg) {
  const MSG m = ToMsg(msg);
  TranslateMessage(&m);
  return DispatchMessageA(&m);
}

intptr_t DefaultWindowProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  HWND hwnd = static_cast<HWND>(wnd);
  const LONG_PTR style = hwnd != nullptr ? GetWindowLongPtrA(hwnd, GWL_STYLE) : 0;
  if (message == WM_GETMINMAXINFO && (style & WS_THICKFRAME) != 0 && Win32::MinClient.cx > 0) {
    // A window sized smaller than the picture could not hold the frame it scales.
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
    const RECT frame =
        Win32::FrameAround(hwnd, Win32::MinClient.cx, Win32::MinClient.cy, static_cast<DWORD>(style), exStyle);
    const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
    return result;
  }
  // The whole client area is drawn by every frame: erasing it first only flashes.
  if (message == WM_ERASEBKGND && hwnd == Win32::MainWnd) return 1;
  if (message == WM_DPICHANGED) {
    // Moved to a monitor of another scale: the size Windows suggests keeps the picture
    // as large, to the eye, as it was. Full screen keeps covering its screen.
    if ((style & WS_THICKFRAME) != 0) {
      const RECT* r = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void HidePointer() { ::SetCursor(nullptr); }

}  // namespace Platform
