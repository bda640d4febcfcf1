// The clock and precise sleeps on Windows: the performance counter, and a
// high-resolution waitable timer (Windows 10 1803 on) or, where the system has none,
// Sleep with the system timer at a 1 ms period for the rest of the run.
#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"
// After windows.h, which it needs.
#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

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

void EndFinePeriod() { timeEndPeriod(1); }

// Made once. Without it, Sleep and the message wait would round up to the 15.6 ms
// system tick, so the 1 ms period is asked for instead, and given back at exit.
HANDLE HighResolutionTimer() {
  static const HANDLE timer = [] {
    HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (t == nullptr && timeBeginPeriod(1) == TIMERR_NOERROR) std::atexit(&EndFinePeriod);
    return t;
  }();
  return timer;
}

// How early the sleep ends, the rest of the way spent watching the clock: the
// high-resolution timer wakes within a fraction of a millisecond, Sleep within about one.
constexpr uint64_t kTimerMarginNs = 500000;
constexpr uint64_t kSleepMarginNs = 1000000;

}  // namespace

namespace Win32 {

HANDLE ArmTimer(uint64_t ns) {
  HANDLE timer = HighResolutionTimer();
  if (timer == nullptr) return nullptr;
  LARGE_INTEGER due{};
  due.QuadPart = -static_cast<LONGLONG>(ns / 100);  // negative: relative, in 100 ns units
  return SetWaitableTimerEx(timer, &due, 0, nullptr, nullptr, nullptr, 0) ? timer : nullptr;
}

}  // namespace Win32

namespace Platform {

uint32_t TickCount() { return GetTickCount(); }

uint64_t FineClockNs() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const uint64_t ticks = static_cast<uint64_t>(now.QuadPart), frequency = CounterFrequency();
  // Split so the product cannot overflow however long the machine has been up.
  return ticks / frequency * 1000000000ull + ticks % frequency * 1000000000ull / frequency;
}

void SleepUntilNs(uint64_t deadlineNs) {
  const bool fine = HighResolutionTimer() != nullptr;
  const uint64_t margin = fine ? kTimerMarginNs : kSleepMarginNs;
  const uint64_t now = FineClockNs();
  if (deadlineNs > now + margin) {
    const uint64_t ns = deadlineNs - now - margin;
    if (HANDLE timer = fine ? Win32::ArmTimer(ns) : nullptr) {
      WaitForSingleObject(timer, INFINITE);
    } else {
      Sleep(static_cast<DWORD>(ns / 1000000 > 1000000 ? 1000000 : ns / 1000000));
    }
  }
  while (FineClockNs() < deadlineNs) YieldProcessor();
}

}  // namespace Platform
