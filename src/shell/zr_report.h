// Messages to the player: a modal box through the platform, and the same text on stderr.
#pragma once

#include <string>

// Shows caption and text in a message box (an error icon when error is set) and writes
// them to stderr.
void ShowMessage(const std::string& caption, const std::string& text, bool error);
