// Plays a demo: the player is the game's input source, so every tick reading, random seed
// and message comes from the recording, and the state after each pass must hash as
// recorded. Recorded messages reach the game's input (ApplyGameInput) and nothing else: no
// window procedure, no full screen, no pointer from a file. The playing window's own
// keys and mouse do nothing; closing it or Escape ends playback.
//
// It needs no window: with the null backend the same passes play, as fast as the world
// computes. A demo that starts at a new game (the best game) plays after the game has
// loaded, from the state its first record holds.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "demo/zr_demo_format.h"
#include "demo/zr_pass_watcher.h"
#include "shell/zr_input_source.h"

class ZrGfx;

// The game did something the recording did not: the two runs have parted.
class ZrDemoOutOfStep : public std::runtime_error {
 public:
  explicit ZrDemoOutOfStep(uint64_t frame)
      : std::runtime_error("demo: out of step at frame " + std::to_string(frame)), Frame(frame) {}
  uint64_t Frame;
};

class ZrDemoPlayer : public ZrInputSource, public ZrPassWatcher {
 public:
  // Becomes the input source at once: the first seed comes from the demo. demo must be open.
  ZrDemoPlayer(ZrGfx& gfx, ZrDemoReader& demo);
  ~ZrDemoPlayer() override;
  ZrDemoPlayer(const ZrDemoPlayer&) = delete;
  ZrDemoPlayer& operator=(const ZrDemoPlayer&) = delete;

  uint32_t Ticks() override;
  uint64_t Seed() override;
  bool Poll(ZrMsg& msg) override;
  void Dispatch(const ZrMsg& msg) override;
  intptr_t Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // The recording supplies every message: nothing to wait for while it is minimised.
  void WaitForMessage() override {}

  void BeforePass() override;
  void AfterPass() override;
  // After the last pass: a game that ended before its recording did, or that does not end
  // in the state, the score and the game over its end mark claims, has parted from it.
  void Finish();

  uint64_t FramesPlayed() const { return Frames; }
  uint64_t LastHash() const { return Hash; }
  bool StoppedByPlayer() const { return Stopped; }
  // The last battle played ended with the base's fall.
  bool EndedInGameOver() const { return GameOver; }

 private:
  // Hands the playing window's own messages to Window, all that are waiting.
  void PumpRealMessages();
  // Applies the recorded input that comes next to the game.
  void ReplayDeliveries();
  // The next record, which must be of the given kind.
  ZrDemoEvent Expect(bool (*fits)(ZrDemoTag));
  void EndPass();

  ZrGfx& Gfx;
  ZrDemoReader& Demo;
  ZrInputScope Scope;
  // A demo that starts at a new game waits for the game to load first.
  bool Prelude = false;
  bool FirstPass = true;
  bool Stopped = false;
  bool GameOver = false;
  uint64_t Frames = 0;
  uint64_t Hash = 0;
};
