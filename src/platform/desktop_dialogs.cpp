#include "platform/desktop_dialogs.h"

namespace {

// The game's reports end their lines in "\r\n", as Windows writes them; these programs
// would show the "\r".
std::string WithUnixLineEnds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

std::vector<DialogCommand> DesktopDialogCommands(const std::string& caption, const std::string& text, bool error) {
  const std::string body = WithUnixLineEnds(text);
  return {
      // --no-markup: a file name holding "<" or "&" would otherwise spoil the whole text.
      {"zenity", error ? "--error" : "--info", "--no-markup", "--title=" + caption, "--text=" + body},
      {"kdialog", "--title", caption, error ? "--error" : "--msgbox", body},
      {"xmessage", "-title", caption, "-center", "-buttons", "OK:0", "-default", "OK", body},
  };
}
