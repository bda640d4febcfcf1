#include "app/zr_command_line.h"

#include "app/zr_version.h"

namespace {

ZrCommandLine::Demo DemoOption(const std::string& arg) {
  if (arg == "--record") return ZrCommandLine::Demo::Record;
  if (arg == "--play") return ZrCommandLine::Demo::Play;
  if (arg == "--timedemo") return ZrCommandLine::Demo::TimeDemo;
  if (arg == "--verify") return ZrCommandLine::Demo::Verify;
  return ZrCommandLine::Demo::None;
}

}  // namespace

ZrCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ZrCommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (const ZrCommandLine::Demo demo = DemoOption(arg); demo != ZrCommandLine::Demo::None) {
      if (i + 1 == args.size() || args[i + 1].empty()) {
        line.What = ZrCommandLine::Action::Fail;
        line.Error = "option '" + arg + "' needs a file name";
        return line;
      }
      line.DemoMode = demo;
      line.DemoPath = args[++i];
    } else if (arg == "--play-best") {
      line.DemoMode = ZrCommandLine::Demo::PlayBest;
      line.DemoPath.clear();
    } else if (arg == "--fullscreen" || arg == "-f") {
      line.FullScreen = true;
    } else if (arg == "--windowed") {
      line.FullScreen = false;
    } else if (arg == "--help" || arg == "-h") {
      if (line.What == ZrCommandLine::Action::Play) line.What = ZrCommandLine::Action::Help;
    } else if (arg == "--version") {
      if (line.What == ZrCommandLine::Action::Play) line.What = ZrCommandLine::Action::Version;
    } else {
      line.What = ZrCommandLine::Action::Fail;
      line.Error = (arg.starts_with("-") ? "unknown option '" : "unexpected argument '") + arg + "'";
      return line;
    }
  }
  return line;
}

std::string HelpText() {
  return "Zr Ironfall " ZR_VERSION
         ": a top-down tank arcade game. Your base stands in the middle of the\n"
         "battlefield; aim with the mouse and fire with the left button at the tanks that ram it.\n"
         "\n"
         "Usage: zr_ironfall [OPTION]...\n"
         "\n"
         "  -f, --fullscreen     play in full screen\n"
         "      --windowed       play in an 800 x 600 window (the default)\n"
         "      --record FILE    play, and write the game to FILE as a demo\n"
         "      --play FILE      play the demo in FILE back at its own pace (Escape ends it)\n"
         "      --timedemo FILE  play the demo in FILE as fast as it draws, then show the time\n"
         "      --play-best      play back the best game, kept beside the best score as bs.zrd\n"
         "      --verify FILE    play the demo in FILE to its end with no window, as fast as\n"
         "                       it computes, then show its score, frames and state\n"
         "  -h, --help           show this text and end\n"
         "      --version        show the version and end\n"
         "\n"
         "Alt+Enter (F11 too, on Linux) switches between the window and full screen at any time.\n"
         "\n"
         "Files: run from a folder that holds data/ (or with data/ beside the program), the\n"
         "game reads its pictures from data/ and keeps the best result in bs.zrt there. An\n"
         "installed game reads its pictures from its installation and keeps the best result\n"
         "in $XDG_DATA_HOME/zr-ironfall/bs.zrt (~/.local/share/zr-ironfall/ by default; on\n"
         "Windows %APPDATA%\\Zr Ironfall\\ when the game's folder cannot be written).\n"
         "No settings are stored.\n";
}

std::string VersionText() { return "Zr Ironfall " ZR_VERSION "\n"; }
