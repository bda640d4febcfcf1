// Messages to the player: a modal box through the platform, and the same text on stderr.
#pragma once

#include <string>

// Shows caption and text in a message box (an error icon when error is set) and writes
// them to stderr.
void ShowMessage(const std::string& caption, const std::string& text, bool error);

// Tests replace the box with a sink; stderr still gets the text. nullptr restores the box.
using ZrMessageSink = void (*)(const std::string& caption, const std::string& text);
void SetMessageSink(ZrMessageSink sink);
