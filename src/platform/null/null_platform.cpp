// Stubs of every seam function, a plain queue and a clock that tests set.
#include "platform/null/null_platform.h"

#include <cfenv>
#include <cstdio>
#include <deque>

#include "platform/platform.h"
#include "platform/zr_winmsg.h"

namespace {

std::deque<ZrMsg> g_queue;
uint64_t g_clockNs = 0;
std::vector<std::string> g_boxes;
NullPlatform::Icon g_icon;

}  // namespace

namespace NullPlatform {

void SetClockNs(uint64_t ns) { g_clockNs = ns; }
uint64_t ClockNs() { return g_clockNs; }
std::vector<std::string>& MessageBoxes() { return g_boxes; }
Icon& WindowIcon() { return g_icon; }

void Reset() {
  g_queue.clear();
  g_clockNs = 0;
  g_boxes.clear();
  g_icon = {};
}

}  // namespace NullPlatform

namespace Platform {

ZrWnd CreateWin(const std::string&, int, int, int, bool, ZrWndProc) { return nullptr; }
void* CreateGLContext(ZrWnd) { return nullptr; }
void RequestVsync() {}
void SwapBuffers(ZrWnd) {}
void DestroyWin(ZrWnd, bool) {}
void SetFullScreen(ZrWnd, bool, int, int, int) {}
uintptr_t FullScreenKey() { return 0; }
void YieldFullScreen(ZrWnd) {}
void ReclaimFullScreen(ZrWnd, int, int, int) {}
void SetWindowIcon(const uint8_t* rgba, int width, int height) {
  g_icon = {width, height, std::vector<uint8_t>(rgba, rgba + static_cast<size_t>(width) * height * 4)};
}

bool PollMessage(ZrMsg& msg) {
  if (g_queue.empty()) return false;
  msg = g_queue.front();
  g_queue.pop_front();
  return true;
}

void WaitForMessage() {}
void WaitForMessageNs(uint64_t ns) {
  if (g_queue.empty()) g_clockNs += ns;
}
void QueueMessage(const ZrMsg& msg) { g_queue.push_back(msg); }
void QueueQuitMessage(int exitCode) { g_queue.push_back(ZrMsg{nullptr, WM_QUIT, static_cast<uintptr_t>(exitCode), 0}); }
intptr_t DeliverMessage(const ZrMsg&) { return 0; }
intptr_t DefaultWindowProc(ZrWnd, uint32_t, uintptr_t, intptr_t) { return 0; }

void HidePointer() {}

uint32_t TickCount() {
  // Whole steps of the 64 Hz system timer, as the real backends count.
  return static_cast<uint32_t>(g_clockNs / 15625000ull * 15625ull / 1000ull);
}
uint64_t FineClockNs() { return g_clockNs; }
void SleepUntilNs(uint64_t deadlineNs) {
  if (deadlineNs > g_clockNs) g_clockNs = deadlineNs;
}

void ShowMessageBox(const std::string& caption, const std::string& text, bool) {
  g_boxes.push_back(caption + "|" + text);
}

void PrintToUser(const std::string& text, bool error) { std::fputs(text.c_str(), error ? stderr : stdout); }

void BuildFontLists(ZrWnd, uint32_t, int, int) {}
std::string UserDataDir() { return {}; }
bool ScoreLeavesReadOnlyFolder() { return false; }
std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
std::string ExecutablePath() { return {}; }
void MaskFloatExceptions() {
  // Non-stop mode: every exception masked, the portable way.
  std::fenv_t previous;
  std::feholdexcept(&previous);
}
std::string LastErrorText() { return "the null backend has no window"; }

}  // namespace Platform
