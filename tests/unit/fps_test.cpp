// The frame-rate reading counts calls that see a new tick, per half second, times two.
#include <gtest/gtest.h>

#include "zr_gfx.h"

namespace {

uint32_t g_tick = 0;

struct FpsCounter : ::testing::Test {
  ZrGfx gfx;
  void SetUp() override {
    gfx.TickSource = [] { return g_tick; };
    g_tick = 1000;
    gfx.StartFps();
  }
};

}  // namespace

TEST_F(FpsCounter, CountsCallsThatSeeANewTickAndDropsTheRest) {
  for (int frame = 0; frame < 31; ++frame) {  // 496 ms, three calls a frame on one tick
    g_tick += (frame % 8 == 0) ? 15 : 16;
    EXPECT_EQ(gfx.GetFps(), 0u);
    gfx.GetFps();
    gfx.GetFps();
  }
  g_tick += 16;
  EXPECT_EQ(gfx.GetFps(), 64u);  // the window closes with 32 counted calls
  EXPECT_EQ(gfx.FpsElapsed, 0u);  // time beyond 500 ms is dropped
  g_tick += 499;  // however long between two calls, a new tick counts once
  EXPECT_EQ(gfx.GetFps(), 64u);
  EXPECT_EQ(gfx.FpsFrames, 1u);
}

TEST_F(FpsCounter, ALongPauseGivesTwoAndTheTickCountMayWrap) {
  g_tick += 5000;  // the menu does not read the counter
  EXPECT_EQ(gfx.GetFps(), 2u);
  g_tick += 100;
  EXPECT_EQ(gfx.GetFps(), 2u);

  g_tick = 0xFFFFFF00u;
  gfx.StartFps();
  gfx.FpsElapsed = gfx.FpsFrames = 0;
  for (int i = 0; i < 32; ++i) {
    g_tick += 16;  // passes 2^32 on the way
    gfx.GetFps();
  }
  EXPECT_EQ(gfx.Fps, 64u);
}
