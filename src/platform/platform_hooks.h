// What tests and demos replace to make the game repeatable and quiet, all in one place:
// the ticks of the frame counter, the clock the random generator is seeded from, the
// message box, and the queue the frame's one message comes from. Each is nullptr in the
// game, which then asks the platform itself.
#pragma once

#include <cstdint>
#include <string>

struct ZrMsg;

namespace PlatformHooks {

inline uint32_t (*TickCount)() = nullptr;
inline uint64_t (*SeedClock)() = nullptr;
// Receives what a message box would show; stderr still gets the text.
inline void (*MessageSink)(const std::string& caption, const std::string& text) = nullptr;

// Where ZrGfx takes the pass's message from and hands it on: a demo being played
// gives the recorded message in place of the player's.
inline bool (*PollMessage)(ZrMsg& msg) = nullptr;
inline intptr_t (*DeliverMessage)(const ZrMsg& msg) = nullptr;

// Puts them all back to the platform's own.
inline void Reset() {
  TickCount = nullptr;
  SeedClock = nullptr;
  MessageSink = nullptr;
  PollMessage = nullptr;
  DeliverMessage = nullptr;
}

}  // namespace PlatformHooks
