// The desktop's own dialog programs, for a message that the window library cannot show:
// each command is a program and its arguments, to be run without a shell.
#pragma once

#include <string>
#include <vector>

using DialogCommand = std::vector<std::string>;

// zenity, kdialog and xmessage, in the order to try them, each showing caption and text
// (an error box when error is set). Windows line ends in text become plain ones.
std::vector<DialogCommand> DesktopDialogCommands(const std::string& caption, const std::string& text, bool error);
