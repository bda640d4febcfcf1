// Where tests send what a message box would show, so that a test runs quiet and can see
// it; nullptr in the game, which then asks the platform itself.
#pragma once

#include <string>

namespace PlatformHooks {

// Receives what a message box would show; stderr still gets the text.
inline void (*MessageSink)(const std::string& caption, const std::string& text) = nullptr;

inline void Reset() { MessageSink = nullptr; }

}  // namespace PlatformHooks
