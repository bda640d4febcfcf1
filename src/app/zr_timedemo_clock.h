// The timedemo's clock: the time of each frame drawn, from the first pass after loading
// to the last, kept as a histogram so that a demo of any length costs the same memory.
// A frame's time runs from the end of the pass that presented the one before it to the
// end of the pass that presents it, as a display would see them come.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ZrTimedemoClock {
 public:
  ZrTimedemoClock();
  // After each pass: the pass's number, the frames presented so far, and whether the game
  // has loaded. The clock starts at the end of the loading pass.
  void AfterPass(uint64_t pass, uint64_t framesShown, bool loaded, uint64_t nowNs);

  uint64_t Frames() const { return Count; }
  uint64_t ElapsedNs() const { return LastNs - StartNs; }
  uint64_t LongestNs() const { return Longest; }
  uint64_t LongestPass() const { return LongestAt; }
  // The time that 99 frames in 100 took at most, to the histogram's step.
  uint64_t Percentile99Ns() const;
  // "timedemo: F frames drawn in P passes, S s: R frames/s; 99% of frames within T ms;
  // longest L ms, at pass N"
  std::string Summary() const;

  static constexpr uint64_t StepNs = 10000;  // 10 microseconds
  static constexpr size_t Steps = 100000;    // to a second; longer frames share the last

 private:
  std::vector<uint32_t> Histogram;
  bool Started = false;
  uint64_t StartNs = 0;
  uint64_t LastNs = 0;
  uint64_t LastFrameNs = 0;
  uint64_t LastShown = 0;
  uint64_t Count = 0;
  uint64_t Passes = 0;
  uint64_t Longest = 0;
  uint64_t LongestAt = 0;
};
