// The command line: full screen or a window, the help and the version.
#pragma once

#include <string>
#include <vector>

struct ZrCommandLine {
  enum class Action { Play, Help, Version, Fail };
  Action What = Action::Play;
  bool FullScreen = false;
  std::string Error;  // what was wrong, for Fail
};

// Reads the arguments after the program's name. The last of --fullscreen and --windowed
// wins; --help and --version end the program before the window opens; anything else
// is a Fail.
ZrCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();
