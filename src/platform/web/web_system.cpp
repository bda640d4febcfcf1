// Time, message boxes, the player's folder and the process, in the browser.
#include <emscripten.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/web/web_state.h"

namespace {

// The game lies in the browser's memory as an installed game: the page puts its pictures
// into the share folder beside the binary's, and the browser's storage (IndexedDB) is
// mounted at the player's folder, where the best score survives the visit.
constexpr const char* kExecutable = "/zr-ironfall/bin/zr_ironfall";
constexpr const char* kPlayerFolder = "/persist/zr-ironfall";

EM_ASYNC_JS(void, ShowDialog, (const char* caption, const char* text, int error), {
  const c = UTF8ToString(caption), t = UTF8ToString(text);
  if (Module.zrShowMessage) {
    await Module.zrShowMessage(c, t, !!error);
  } else {
    alert(c + '\n\n' + t);
  }
});

}  // namespace

namespace Platform {

uint32_t TickCount() {
  // Whole steps of the 64 Hz system timer, in milliseconds, wrapping at 32 bits.
  const uint64_t steps = FineClockNs() / 15625000ull;
  return static_cast<uint32_t>(steps * 15625ull / 1000ull);
}

// performance.now(), in nanoseconds.
uint64_t FineClockNs() { return static_cast<uint64_t>(emscripten_get_now() * 1e6); }

// Frames wait for the display's refresh. One already late goes on at once, but not for
// long: while every frame is late (a slow device), the browser would get the thread only
// between tasks, and neither draw nor hand over a touch for seconds; each other frame
// then waits for a refresh too.
void SleepUntilNs(uint64_t deadlineNs) {
  constexpr uint64_t kLongestWithoutRefreshNs = 33000000;
  const uint64_t now = FineClockNs();
  if (deadlineNs > now) {
    WebState::WaitForRefresh(static_cast<double>(deadlineNs - now) / 1e6);
  } else if (now - WebState::LastRefreshNs > kLongestWithoutRefreshNs) {
    WebState::WaitForRefresh(0);
  }
}

void ShowMessageBox(const std::string& caption, const std::string& text, bool error) {
  ShowDialog(caption.c_str(), text.c_str(), error ? 1 : 0);
}

void PrintToUser(const std::string& text, bool error) {
  std::FILE* out = error ? stderr : stdout;
  std::fputs(text.c_str(), out);
  std::fflush(out);
}

std::string UserDataDir() { return kPlayerFolder; }
bool ScoreLeavesReadOnlyFolder() { return false; }
std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ExecutablePath() { return kExecutable; }
// WebAssembly's floating point never traps.
void MaskFloatExceptions() {}
std::string LastErrorText() { return WebState::LastError(); }

}  // namespace Platform
