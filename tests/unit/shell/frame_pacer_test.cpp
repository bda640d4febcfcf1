// Frames are due at even times: a late wake-up is taken back, a stall starts afresh.
#include <gtest/gtest.h>

#include "platform/null/null_platform.h"
#include "platform/platform.h"
#include "shell/zr_frame_pacer.h"

TEST(FramePacer, EachFrameIsDueAFrameAfterTheLastDeadlineUntilTheGameFallsMoreThanAFrameBehind) {
  constexpr uint64_t frame = 16666667;
  NullPlatform::Reset();
  NullPlatform::SetClockNs(1000);
  ZrFramePacer pacer;
  pacer.WaitForFrame(frame);  // the first frame goes at once
  EXPECT_EQ(NullPlatform::ClockNs(), 1000u);
  // Drawing took 5 ms, then 3 ms more than a frame: the frame after a late one is
  // due on the old schedule, not a whole frame after it.
  for (const uint64_t work : {5000000ull, frame + 3000000ull, 1000000ull}) {
    NullPlatform::SetClockNs(NullPlatform::ClockNs() + work);
    pacer.WaitForFrame(frame);
  }
  EXPECT_EQ(pacer.Deadline, 1000 + 3 * frame);
  EXPECT_EQ(NullPlatform::ClockNs(), pacer.Deadline);
  // A stall of more than two frames: no burst of frames to catch up.
  NullPlatform::SetClockNs(pacer.Deadline + 2 * frame + 1);
  const uint64_t late = NullPlatform::ClockNs();
  pacer.WaitForFrame(frame);
  EXPECT_EQ(pacer.Deadline, late);
  // A message ends the wait early: the frame is not booked, its deadline stands.
  Platform::QueueMessage(ZrMsg{});
  pacer.WaitForFrameOrMessage(frame);
  EXPECT_TRUE(NullPlatform::ClockNs() == late && pacer.Deadline == late);
  ZrMsg msg;
  Platform::PollMessage(msg);
  pacer.WaitForFrameOrMessage(frame);
  EXPECT_TRUE(NullPlatform::ClockNs() == late + frame && pacer.Deadline == late + frame);
  NullPlatform::Reset();
}
