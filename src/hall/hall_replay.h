// One replay of a submitted demo by the game itself, with nothing drawn, and what it
// found. The game's objects are the process's globals, so a process replays one demo at a
// time: the server runs each in a child process of its own (hall_replay_child.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HallReplay {
  // As the game's own playback ends: 0 played in step to its end, 2 not a sound demo,
  // 3 played differently. The two others are the child's fate, told by its parent.
  enum Exit : int { InStep = 0, Malformed = 2, OutOfStep = 3, TimedOut = 4, Crashed = 5 };
  int Code = Malformed;
  std::string Reason;        // what was wrong, for all but InStep
  std::string GameVersion;   // from the file's header
  bool Finished = false;     // the file has its end mark (not cut short)
  bool HasClaimedScore = false;
  uint32_t ClaimedScore = 0;  // the score the file says its game ended with
  uint32_t Score = 0;         // the score the replay ended with
  bool GameOver = false;      // the replay ended on a lost battle
  uint64_t Frames = 0;
  uint64_t State = 0;         // the state hash after the last frame
  uint64_t LengthMs = 0;      // from the first tick reading to the last
};

// Replays the demo in this process, for at most the given seconds. Not reentrant.
HallReplay ReplayDemo(std::vector<uint8_t> bytes, int seconds);

// The one line a child writes for its parent, and its reading (Crashed when unreadable).
std::string ReplayToLine(const HallReplay& replay);
HallReplay ReplayFromLine(const std::string& line);

// "0123456789abcdef" for a state hash.
std::string StateHex(uint64_t state);
