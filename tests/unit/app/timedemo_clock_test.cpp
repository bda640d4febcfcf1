// The timedemo's clock: it starts after loading, times only the passes that present a
// frame (with the message passes before them), and finds the 99th percentile and the
// longest frame with its pass.
#include <gtest/gtest.h>

#include "app/zr_timedemo_clock.h"

TEST(TimedemoClock, TimesFramesFromTheFirstPassAfterLoading) {
  ZrTimedemoClock clock;
  const uint64_t ms = 1000000;
  clock.AfterPass(0, 0, false, 0);           // the window's first messages
  clock.AfterPass(1, 0, true, 500 * ms);     // loading: the clock starts here
  uint64_t now = 500 * ms, shown = 0, pass = 2;
  for (int i = 0; i < 98; ++i) clock.AfterPass(pass++, ++shown, true, now += 2 * ms);
  clock.AfterPass(pass++, shown, true, now += 3 * ms);  // a message: no frame drawn
  clock.AfterPass(pass++, ++shown, true, now += 4 * ms);  // so this frame took 7 ms
  clock.AfterPass(pass++, ++shown, true, now += 40 * ms);

  EXPECT_EQ(clock.Frames(), 100u);
  EXPECT_EQ(clock.ElapsedNs(), (98 * 2 + 7 + 40) * ms);
  EXPECT_EQ(clock.LongestNs(), 40 * ms);
  EXPECT_EQ(clock.LongestPass(), 102u);
  // 99 of the 100 frames came within 7 ms (to the histogram's step).
  EXPECT_EQ(clock.Percentile99Ns(), 7 * ms + ZrTimedemoClock::StepNs);
  EXPECT_NE(clock.Summary().find("100 frames drawn in 101 passes"), std::string::npos) << clock.Summary();
}
