// The frame-rate reading counts calls that see a new tick, per half second, times two.
#include <gtest/gtest.h>

#include "zr_gfx.h"

namespace {

uint32_t g_tick = 0;
uint32_t FakeTicks() { return g_tick; }

struct FpsCounter : ::testing::Test {
  ZrGfx gfx;
  void SetUp() override {
    gfx.TickSource = &FakeTicks;
    g_tick = 1000;
    gfx.StartFps();
  }
};

}  // namespace

TEST_F(FpsCounter, ReadsZeroUntilHalfASecondIsGathered) {
  EXPECT_EQ(gfx.LastTick, 1000u);
  for (int i = 0; i < 31; ++i) {
    g_tick += 16;  // 31 frames: 496 ms
    EXPECT_EQ(gfx.GetFps(), 0u);
  }
  g_tick += 16;  // 512 ms: the window closes with 32 counted calls
  EXPECT_EQ(gfx.GetFps(), 64u);
  EXPECT_EQ(gfx.FpsElapsed, 0u);  // time beyond 500 ms is dropped
  EXPECT_EQ(gfx.FpsFrames, 0u);
}

TEST_F(FpsCounter, CountsOnlyCallsThatSeeANewTick) {
  // Three calls per frame on the same tick count once; a timer step of 15 or 16 ms.
  for (int frame = 0; frame < 32; ++frame) {
    g_tick += (frame % 8 == 0) ? 15 : 16;
    gfx.GetFps();
    gfx.GetFps();
    gfx.GetFps();
  }
  EXPECT_EQ(gfx.Fps, 64u);
  // However many milliseconds lie between two calls, a new tick counts once.
  g_tick += 499;
  EXPECT_EQ(gfx.GetFps(), 64u);
  EXPECT_EQ(gfx.FpsFrames, 1u);
}

TEST_F(FpsCounter, ALongPauseClosesTheWindowWithOneCall) {
  g_tick += 5000;  // the menu does not read the counter
  EXPECT_EQ(gfx.GetFps(), 2u);
  g_tick += 100;
  EXPECT_EQ(gfx.GetFps(), 2u);  // stays until the next window closes
}

TEST_F(FpsCounter, SurvivesTheWrapOfTheTickCount) {
  g_tick = 0xFFFFFF00u;
  gfx.StartFps();
  for (int i = 0; i < 40; ++i) {
    g_tick += 16;  // passes 2^32 on the way
    gfx.GetFps();
  }
  EXPECT_EQ(gfx.Fps, 64u);
  EXPECT_LT(gfx.FpsElapsed, 500u);
}
