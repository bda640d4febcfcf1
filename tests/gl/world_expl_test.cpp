// Explosions: lifetimes, smoke drift, removal from the list, and Clear.
#include <vector>

#include "gl_fixture.h"
#include "world_fixture.h"
#include "zr_gfx.h"
#include "zr_gl.h"

class WorldExpl : public WorldTest {
 protected:
  void Explode() {
    TestGfx().Begin2D();
    glClear(GL_COLOR_BUFFER_BIT);
    explosions->Animate();
    TestGfx().End2D();
  }
};

TEST_F(WorldExpl, EmptyOrClearedEffectsDrawNothing) {
  explosions->AddExplosion(0, 100, 100, 1);
  ASSERT_EQ(explosions->Count, 1);
  EXPECT_TRUE(explosions->Items[0]->Fire.empty() && explosions->Items[0]->Smoke.empty());
  Explode();
  EXPECT_EQ(explosions->Count, 0);
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);

  explosions->AddExplosion(5, 400, 300, 1);
  explosions->AddExplosion(5, 200, 300, 1);
  Explode();
  EXPECT_GT(CountLitPixels(0, 0, 800, 600), 1000);
  explosions->Clear();
  EXPECT_TRUE(explosions->Count == 0 && explosions->Items.empty());
  Explode();
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(WorldExpl, FireLasts101FramesAndTakesTheSmokeWithIt) {
  for (uint32_t fps : {0u, 60u}) {
    FixFps(fps);
    explosions->Clear();
    explosions->AddExplosion(5, 400, 300, 1);
    const ZrExpl& e = *explosions->Items[0];
    EXPECT_TRUE(e.FireCount == 5 && e.SmokeCount == 10);
    for (int frame = 1; frame <= 101; ++frame) {
      Explode();
      ASSERT_EQ(explosions->Count, 1) << frame;
    }
    EXPECT_TRUE(e.FireCount == 0 && e.Fire.empty());
    ASSERT_EQ(e.SmokeCount, 10);
    // Without a reading smoke stays as it was; at 60 it has lost 101 * 0.42.
    EXPECT_NEAR(e.Smoke[0].Life, fps == 0 ? 100.0 : 100 - 101 * 0.42, 0.01);
    Explode();  // the 102nd call finds the fire gone
    EXPECT_EQ(explosions->Count, 0);
  }
}

TEST_F(WorldExpl, SmokeDriftsAwayFromThePointOnEachAxis) {
  FixFps(100);  // 0.3 pixels a frame on each axis
  for (int i = 0; i < 40; ++i) explosions->AddExplosion(5, 200, 200, 1);
  // Every start reseeds from the (fixed) clock, so every effect starts alike.
  EXPECT_EQ(explosions->Items[0]->Fire[3].X, explosions->Items[39]->Fire[3].X);
  std::vector<std::vector<ExplParticle>> before;
  for (const auto& e : explosions->Items) before.push_back(e->Smoke);
  Explode();
  bool sawZero = false;
  for (size_t i = 0; i < before.size(); ++i) {
    for (size_t j = 0; j < before[i].size(); ++j) {
      const ExplParticle &was = before[i][j], &now = explosions->Items[i]->Smoke[j];
      EXPECT_TRUE(was.X - 200 >= -5 && was.X - 200 <= 4);
      EXPECT_NEAR(now.X - was.X, was.X < 200 ? -0.3f : 0.3f, 1e-4);  // level with it: +
      EXPECT_NEAR(now.Y - was.Y, was.Y < 200 ? -0.3f : 0.3f, 1e-4);
      EXPECT_FLOAT_EQ(now.Life, 99.3f);
      EXPECT_TRUE(now.Angle >= was.Angle && now.Angle < was.Angle + 1);
      sawZero |= was.X == 200 || was.Y == 200;
    }
  }
  EXPECT_TRUE(sawZero);
}

TEST_F(WorldExpl, EffectsEndingTogetherAreBothRemovedAndTheRestDrawnOnce) {
  explosions->AddExplosion(5, 100, 100, 1);
  explosions->AddExplosion(0, 200, 100, 1);
  explosions->AddExplosion(5, 300, 100, 1);
  explosions->AddExplosion(0, 400, 100, 1);
  ZrExpl* first = explosions->Items[0].get();
  ZrExpl* third = explosions->Items[2].get();
  Explode();
  ASSERT_EQ(explosions->Count, 2);
  ASSERT_EQ(explosions->Items.size(), 2u);
  EXPECT_EQ(explosions->Items[0].get(), first);
  EXPECT_EQ(explosions->Items[1].get(), third);
  for (const ZrExpl* e : {first, third}) {
    for (const ExplParticle& p : e->Fire) EXPECT_EQ(p.Life, 99.0f);  // advanced once
  }
}
