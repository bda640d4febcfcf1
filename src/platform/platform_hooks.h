// What tests replace to make the game repeatable and quiet, all in one place: the ticks
// of the frame counter, the clock the random generator is seeded from, and the message
// box. Each is nullptr in the game, which then asks the platform itself.
#pragma once

#include <cstdint>
#include <string>

namespace PlatformHooks {

inline uint32_t (*TickCount)() = nullptr;
inline uint64_t (*SeedClock)() = nullptr;
// Receives what a message box would show; stderr still gets the text.
inline void (*MessageSink)(const std::string& caption, const std::string& text) = nullptr;

// Puts all three back to the platform's own.
inline void Reset() {
  TickCount = nullptr;
  SeedClock = nullptr;
  MessageSink = nullptr;
}

}  // namespace PlatformHooks
