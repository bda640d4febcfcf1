// Verifies a demo: plays it to its end as fast as the world computes, with no window
// and nothing drawn, and says where it ended. `zr_ironfall --verify FILE` prints it; a
// server that accepts a score only with the game that made it links the game's core and
// the null backend and calls VerifyDemo on each game it is sent.
//
// How nothing is drawn: ZrGfx opens headless (no window, no GL context, no pictures
// loaded, frames neither paced nor presented), the demo's player supplies every tick,
// seed and message, and the screens' GL calls, made with no context current, are
// ignored by the GL library. So it runs the same whichever backend is linked, the
// game's own (SDL, Win32) or the null one, and needs no display.
//
// The game's objects are the process's global state: one verification at a time per
// process, on one thread. A caller that must bound a hostile file's cost in memory or
// time beyond the limits below runs it in a child process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ZrVerifyLimits {
  // Stop after this many passes (0: no limit but the file's own).
  uint64_t MaxPasses = 0;
  // Stop once the play has taken this long on the fine clock (0: no limit).
  uint64_t MaxNs = 0;
};

struct ZrVerifyResult {
  // 0: played to its end, every kept hash in step. 2: not a demo that can be played
  // (Reason says why). 3: a sound demo that this build plays differently (Reason says
  // at which frame). 4: stopped at a limit of ZrVerifyLimits before its end. 1: the
  // game failed in another way (Reason).
  int ExitCode = 0;
  std::string Reason;
  // The score the file says its game ended with, where the file carries one.
  std::optional<uint32_t> ClaimedScore;
  // Where play ended: the score of the last battle, whether that battle ended with the
  // base's fall, the passes played and the state hash after the last one.
  uint32_t Score = 0;
  bool GameOver = false;
  uint64_t Frames = 0;
  uint64_t StateHash = 0;
  // The demo is cut short after its last whole pass: it played to there.
  bool CutShort = false;
};

ZrVerifyResult VerifyDemo(std::vector<uint8_t> bytes, const ZrVerifyLimits& limits = {});

// --verify FILE: reads the file, verifies it and tells whoever started the program;
// returns the exit code (0, 2 or 3, as playback gives them).
int VerifyDemoFile(const std::string& path);

// The line --verify prints for a demo that played: "verify: score N, frames F, state H".
std::string VerifyLine(const ZrVerifyResult& result);
