#include "app/zr_timedemo_clock.h"

#include <cinttypes>
#include <cstdio>

ZrTimedemoClock::ZrTimedemoClock() : Histogram(Steps, 0) {}

void ZrTimedemoClock::AfterPass(uint64_t pass, uint64_t framesShown, bool loaded, uint64_t nowNs) {
  if (!Started) {
    if (!loaded) return;
    Started = true;
    StartNs = LastNs = LastFrameNs = nowNs;
    LastShown = framesShown;
    return;
  }
  LastNs = nowNs;
  ++Passes;
  if (framesShown == LastShown) return;
  LastShown = framesShown;
  const uint64_t took = nowNs - LastFrameNs;
  LastFrameNs = nowNs;
  ++Count;
  const uint64_t step = took / StepNs;
  ++Histogram[step < Steps ? step : Steps - 1];
  if (took > Longest) {
    Longest = took;
    LongestAt = pass;
  }
}

uint64_t ZrTimedemoClock::Percentile99Ns() const {
  if (Count == 0) return 0;
  // The smallest time within which at least 99 % of the frames came.
  const uint64_t within = Count - Count / 100;
  uint64_t seen = 0;
  for (size_t step = 0; step < Steps; ++step) {
    seen += Histogram[step];
    if (seen >= within) return step + 1 < Steps ? (step + 1) * StepNs : Longest;
  }
  return Longest;
}

std::string ZrTimedemoClock::Summary() const {
  const double seconds = static_cast<double>(ElapsedNs()) / 1e9;
  char line[256];
  std::snprintf(line, sizeof line,
                "timedemo: %" PRIu64 " frames drawn in %" PRIu64 " passes, %.3f s: %.1f frames/s; 99%% of frames "
                "within %.2f ms; longest %.2f ms, at pass %" PRIu64 "\n",
                Count, Passes, seconds, seconds > 0 ? static_cast<double>(Count) / seconds : 0.0,
                static_cast<double>(Percentile99Ns()) / 1e6, static_cast<double>(Longest) / 1e6, LongestAt);
  return line;
}
