// Message boxes on Linux: SDL's own, and where SDL cannot show one (no display driver of
// its own, no fonts on the X server, a desktop without X), the desktop's dialog programs.
#include <SDL.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <vector>

#include "platform/desktop_dialogs.h"
#include "platform/platform.h"

extern char** environ;

namespace {

// Runs the program with its arguments, no shell between them, and waits for it to end.
// True when it ended with status 0, that is the player dismissed the box with its button.
bool RunAndWait(const DialogCommand& command) {
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

namespace Platform {

void ShowMessageBox(const std::string& caption, const std::string& text, bool error) {
  const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) == 0) return;
  // A program that is missing, finds no display or is closed by its window's frame hands
  // on to the next: a second box is better than none.
  for (const DialogCommand& command : DesktopDialogCommands(caption, text, error)) {
    if (RunAndWait(command)) return;
  }
}

}  // namespace Platform
