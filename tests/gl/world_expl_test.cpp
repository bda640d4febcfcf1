// Explosions: lifetimes, smoke drift, removal from the list, and Clear.
#include <vector>

#include "world_fixture.h"

using WorldExpl = WorldTest;

TEST_F(WorldExpl, EndedEffectsLeaveTheListAndClearEmptiesIt) {
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
}

TEST_F(WorldExpl, FireLasts101FramesAndTakesTheSmokeWithIt) {
  for (uint32_t fps : {0u, 60u}) {
    FixFps(fps);
    explosions->Clear();
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

TEST_F(WorldExpl, SmokeDriftsAwayFromThePointOnEachAxis) {
  FixFps(100);  // 0.3 pixels a frame on each axis
  explosions->AddExplosion(5, 200, 200, 1);
  const std::vector<ExplParticle> before = explosions->Items[0]->Smoke;
  Frame(kExplosions);
  int quadrants[2][2] = {}, level = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    const ExplParticle &was = before[i], &now = explosions->Items[0]->Smoke[i];
    EXPECT_NEAR(now.X - was.X, was.X < 200 ? -0.3f : 0.3f, 1e-4);  // level with it: +
    EXPECT_NEAR(now.Y - was.Y, was.Y < 200 ? -0.3f : 0.3f, 1e-4);
    ++quadrants[was.X < 200][was.Y < 200];
    level += was.X == 200 || was.Y == 200;
  }
  EXPECT_TRUE(quadrants[0][0] && quadrants[0][1] && quadrants[1][0] && quadrants[1][1] && level);  // every case seen
}
