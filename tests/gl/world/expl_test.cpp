// Explosions: removal from the list, Clear, and lifetimes.
#include "gl/world_fixture.h"

using WorldExpl = WorldTest;

TEST_F(WorldExpl, EndedEffectsLeaveTheListClearEmptiesItAndFireLasts101Frames) {
  for (int32_t count : {5, 0, 5, 0}) explosions->AddExplosion(count, 400, 300, 1);
  const ZrExpl* first = explosions->Items[0].get();
  const ZrExpl* third = explosions->Items[2].get();
  Frame(kExplosions);  // the two empty ones end together, and both go
  ASSERT_EQ(explosions->Items.size(), 2u);
  EXPECT_TRUE(explosions->Items[0].get() == first && explosions->Items[1].get() == third);
  for (const ZrExpl* e : {first, third}) {
    for (const ExplParticle& p : e->Fire) EXPECT_EQ(p.Life, 99.0f);  // advanced once
  }
  EXPECT_GT(CountLitPixels(0, 0, 800, 600), 1000);

  explosions->Clear();
  EXPECT_TRUE(explosions->Count == 0 && explosions->Items.empty());
  Frame(kExplosions);
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D));

  // Fire lasts 101 frames at any reading, and takes the smoke with it.
  for (uint32_t fps : {0u, 60u}) {
    FixFps(fps);
    explosions->AddExplosion(5, 400, 300, 1);
    const ZrExpl& e = *explosions->Items[0];
    EXPECT_TRUE(e.FireCount == 5 && e.SmokeCount == 10);
    for (int frame = 1; frame <= 101; ++frame) {
      Frame(kExplosions);
      ASSERT_EQ(explosions->Count, 1) << frame;
    }
    ASSERT_TRUE(e.FireCount == 0 && e.Fire.empty() && e.SmokeCount == 10);
    // Without a reading smoke stays as it was; at 60 it has lost 101 * 0.42.
    EXPECT_NEAR(e.Smoke[0].Life, fps == 0 ? 100.0 : 100 - 101 * 0.42, 0.01);
    Frame(kExplosions);  // the 102nd call finds the fire gone
    EXPECT_EQ(explosions->Count, 0);
  }
}
