// Plays a demo: the game runs as usual, but every tick reading, random seed and message
// comes from the recording, and the state after each pass must hash as recorded. The
// player's own keys and mouse do nothing; closing the window or Escape ends playback.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "demo/zr_demo_format.h"
#include "demo/zr_pass_watcher.h"
#include "platform/platform.h"

class ZrGfx;

// The game did something the recording did not: the two runs have parted.
class ZrDemoOutOfStep : public std::runtime_error {
 public:
  explicit ZrDemoOutOfStep(uint64_t frame)
      : std::runtime_error("demo: out of step at frame " + std::to_string(frame)), Frame(frame) {}
  uint64_t Frame;
};

class ZrDemoPlayer : public ZrPassWatcher {
 public:
  // Takes over the seams at once, like the recorder: the first seed comes from the demo.
  ZrDemoPlayer(ZrGfx& gfx, ZrDemoReader& demo);
  ~ZrDemoPlayer() override;
  ZrDemoPlayer(const ZrDemoPlayer&) = delete;
  ZrDemoPlayer& operator=(const ZrDemoPlayer&) = delete;

  static ZrWndProc WindowProc();

  void BeforePass() override;
  void AfterPass() override;
  bool Replaying() const override { return true; }
  // After the last pass: a game that ended before its recording did has parted from it.
  void Finish();

  uint64_t FramesPlayed() const { return Frames; }
  uint64_t LastHash() const { return Hash; }
  bool StoppedByPlayer() const { return Stopped; }
  // The time the passes took, for the timedemo.
  uint64_t PlayNs() const { return TotalNs; }
  uint64_t LongestPassNs() const { return LongestNs; }

 private:
  static uint32_t Ticks();
  static uint64_t Seed();
  static bool Poll(ZrMsg& msg);
  static intptr_t Deliver(const ZrMsg& msg);
  static intptr_t ZR_WNDPROC_CALL PlaybackWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

  // Hands the playing window's own messages to PlaybackWndProc, all that are waiting.
  void PumpRealMessages();
  // Hands the recorded messages that come next to the game's window procedure.
  void ReplayDeliveries();
  // The next record, which must be of the given kind.
  ZrDemoEvent Expect(bool (*fits)(ZrDemoTag));
  void EndPass();

  ZrGfx& Gfx;
  ZrDemoReader& Demo;
  bool FirstPass = true;
  bool Stopped = false;
  uint64_t Frames = 0;
  uint64_t Hash = 0;
  uint32_t LastTicks = 0;
  intptr_t RealClientSize = 0;  // the playing window's own, from its WM_SIZE
  uint64_t PassStartNs = 0;
  uint64_t TotalNs = 0;
  uint64_t LongestNs = 0;
};
