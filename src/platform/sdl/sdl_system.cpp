// Time, the player's folder and the process, on Linux.
#include <SDL.h>

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/platform.h"
#include "platform/xdg_data_dir.h"

namespace {

// $HOME, or the home directory of the account when HOME is not an absolute path.
const char* HomeDir() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* account = getpwuid(getuid());
  return account != nullptr ? account->pw_dir : nullptr;
}

}  // namespace

namespace Platform {

uint32_t TickCount() {
  // Whole steps of the 64 Hz system timer, in milliseconds, wrapping at 32 bits.
  const uint64_t steps = FineClockNs() / 15625000ull;
  return static_cast<uint32_t>(steps * 15625ull / 1000ull);
}

// CLOCK_MONOTONIC, read and slept on directly, so the deadlines and the clock agree.
uint64_t FineClockNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000ull + static_cast<uint64_t>(now.tv_nsec);
}

void SleepUntilNs(uint64_t deadlineNs) {
  // To an absolute time: a wake-up that comes late, or a signal that breaks the sleep,
  // costs nothing more than itself.
  const timespec until{static_cast<time_t>(deadlineNs / 1000000000ull), static_cast<long>(deadlineNs % 1000000000ull)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

std::string UserDataDir() { return XdgDataDir(std::getenv("XDG_DATA_HOME"), HomeDir(), "zr-ironfall"); }

bool ScoreLeavesReadOnlyFolder() { return false; }

void PrintToUser(const std::string& text, bool error) {
  std::FILE* out = error ? stderr : stdout;
  std::fputs(text.c_str(), out);
  std::fflush(out);
}

std::vector<std::string> CommandLineArgs(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
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
