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
    RECT frame{0, 0, Win32::MinClient.cx, Win32::MinClient.cy};
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, static_cast<DWORD>(style), FALSE, exStyle);
    const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
    return result;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

}  // namespace Platform
