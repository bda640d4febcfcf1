// The command line: full screen or a window, the help and the version.
#pragma once

#include <string>
#include <vector>

struct ZrCommandLine {
  enum class Action { Play, Help, Version, Fail };
  // Play as usual (and keep the best game); write the run to DemoPath as well; or play
  // a demo back: at its own pace, as fast as it draws, or the kept best game; or
  // verify one, with no window.
  enum class Demo { None, Record, Play, TimeDemo, PlayBest, Verify };
  Action What = Action::Play;
  bool FullScreen = false;
  Demo DemoMode = Demo::None;
  std::string DemoPath;
  std::string Error;  // what was wrong, for Fail
};

// Reads the arguments after the program's name. The last of --fullscreen and --windowed
// wins, and so does the last demo option; --help and --version end the program before the
// window opens; anything else is a Fail.
ZrCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();
