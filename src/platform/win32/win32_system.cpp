// Time, message boxes, the player's folder and the process on Windows: kernel32, winmm
// and the C runtime.
#include <float.h>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"
// After windows.h, which it needs.
#include <mmsystem.h>

namespace {

// The performance counter ticks at a fixed rate, read once.
uint64_t CounterFrequency() {
  static const uint64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? static_cast<uint64_t>(f.QuadPart) : 1u;
  }();
  return frequency;
}

}  // namespace

namespace Platform {

uint32_t TickCount() { return GetTickCount(); }

uint64_t FineClockNs() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const uint64_t ticks = static_cast<uint64_t>(now.QuadPart), frequency = CounterFrequency();
  // Split so the product cannot overflow however long the machine has been up.
  return ticks / frequency * 1000000000ull + ticks % frequency * 1000000000ull / frequency;
}

void SleepNs(uint64_t ns) {
  // Without a 1 ms timer period Sleep rounds up to the 15.6 ms system tick, and frame
  // pacing at 60 Hz would fall to 32 frames a second.
  static const bool finePeriod = timeBeginPeriod(1) == TIMERR_NOERROR;
  (void)finePeriod;
  const uint64_t ms = (ns + 500000) / 1000000;
  Sleep(static_cast<DWORD>(ms > 0xFFFFFFF0ull ? 0xFFFFFFF0ull : ms));
}

void ShowMessageBox(const std::string& caption, const std::string& text, bool error) {
  // Owned by the game's window, so that a click on the game cannot lift it above the
  // box the player must read.
  MessageBoxA(Win32::MainWnd, text.c_str(), caption.c_str(), MB_OK | (error ? MB_ICONERROR : 0u));
}

void PrintToUser(const std::string& text, bool error) {
  // A GUI program's standard handles are set only when the caller redirected them; a
  // console it was started from must be joined first.
  HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  DWORD written = 0;
  if (out != nullptr && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0) {
    return;
  }
  MessageBoxA(nullptr, text.c_str(), "Zr Ironfall", MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::string UserDataDir() {
  char buf[MAX_PATH * 4];
  const DWORD n = GetEnvironmentVariableA("APPDATA", buf, sizeof buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) + "\\Zr Ironfall" : std::string();
}

bool ScoreLeavesReadOnlyFolder() { return true; }

std::string ExecutablePath() {
  char buf[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

void MaskFloatExceptions() {
  // Divisions by zero in the geometry are ordinary: they must give inf or NaN, never
  // trap. Precision stays as it is (x64 computes in SSE).
  _control87(_MCW_EM, _MCW_EM);
}

std::string LastErrorText() {
  const DWORD code = GetLastError();
  char buf[512] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                                 sizeof buf, nullptr);
  std::string text(buf, n);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.')) text.pop_back();
  return text.empty() ? "system error " + std::to_string(code) : text;
}

}  // namespace Platform
