// The frame-rate reading counts calls that see a new tick, per half second, times two.
#include <gtest/gtest.h>

#include "fixed_input.h"
#include "shell/zr_gfx.h"

TEST(FpsCounter, CountsCallsThatSeeANewTickALongPauseGivesTwoAndTheTickCountMayWrap) {
  FixedInput clock;
  ZrInputScope scope(clock);
  uint32_t& tick = clock.Tick;
  ZrGfx gfx;
  auto restart = [&](uint32_t at) {
    tick = at;
    gfx.StartFps();
    gfx.FpsElapsed = gfx.FpsFrames = 0;
  };
  restart(1000);
  for (int frame = 0; frame < 31; ++frame) {  // 496 ms, three calls a frame on one tick
    tick += (frame % 8 == 0) ? 15 : 16;
    EXPECT_EQ(gfx.GetFps(), 0u);
    gfx.GetFps();
    gfx.GetFps();
  }
  tick += 16;
  EXPECT_TRUE(gfx.GetFps() == 64u && gfx.FpsElapsed == 0u);  // 32 counted calls; time beyond 500 ms dropped
  tick += 499;  // however long between two calls, a new tick counts once
  EXPECT_TRUE(gfx.GetFps() == 64u && gfx.FpsFrames == 1u);

  restart(1000);
  tick += 5000;  // the menu does not read the counter
  EXPECT_EQ(gfx.GetFps(), 2u);

  restart(0xFFFFFF00u);
  for (int i = 0; i < 32; ++i) {
    tick += 16;  // passes 2^32 on the way
    gfx.GetFps();
  }
  EXPECT_EQ(gfx.Fps, 64u);
}
