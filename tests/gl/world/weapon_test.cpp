// Fireballs: re-use, the blast and its kills, and the mended arrival faults.
#include "gl/world_fixture.h"

using WorldWeapon = WorldTest;

TEST_F(WorldWeapon, FlightAndReuse) {
  ZrWeapon& first = weapons->GetFreeWeapon();
  first.Launch(400, 300, 700, 300);
  ZrWeapon& second = weapons->GetFreeWeapon();  // the first is in flight: a new one
  EXPECT_NE(&first, &second);
  second.Launch(400, 300, 100, 100);
  Frame(kFireballs);  // 1.2 pixels a frame at 60
  EXPECT_FLOAT_EQ(first.X, 401.2f);
  EXPECT_EQ(first.Y, 300.0f);
  EXPECT_NE(CountLitPixels(397, 296, 8, 8), 0);  // drawn where it is, y from the bottom

  first.X = 700;  // on its target: it bursts, and the next shot takes it again
  Frame();
  EXPECT_TRUE(!first.InFlight && second.InFlight);
  EXPECT_TRUE(&weapons->GetFreeWeapon() == &first && weapons->Count == 2);
}

TEST_F(WorldWeapon, AShotAtItsOwnStartBurstsAtOnceAndRelaunchesCleanly) {
  ZrWeapon& w = weapons->GetFreeWeapon();
  w.Launch(400, 300, 400, 300);  // no heading to its target
  Frame();
  EXPECT_TRUE(!w.InFlight && w.X == 400.0f && w.Y == 300.0f);
  EXPECT_TRUE(base->Health == 4.0f && explosions->Count == 1);
  w.Launch(400, 300, 400, 100);
  Frame();
  EXPECT_NEAR(w.X, 400.0f, 0.01f);
  EXPECT_FLOAT_EQ(w.Y, 298.8f);
}

TEST_F(WorldWeapon, BlastFallsOffWithDistanceAndKills) {
  ZrMonst& near = PlaceTank(110, 100, 50, 50, true, 10);
  ZrMonst& edge = PlaceTank(195, 100, 50, 50, true, 10);
  ZrMonst& out = PlaceTank(100, 196, 50, 50, true, 10);
  ZrMonst& a = PlaceTank(95, 100, 50, 50, true, 10);
  ZrMonst& b = PlaceTank(100, 105, 50, 50, true, 10);
  a.Health = b.Health = 90;
  weapons->GetFreeWeapon().Launch(100, 100, 100, 100);
  Frame();
  EXPECT_EQ(near.Health, 14.0f);  // d = 10
  EXPECT_EQ(edge.Health, 99.0f);  // d = 95
  EXPECT_EQ(out.Health, 100.0f);  // d = 96
  EXPECT_EQ(base->Health, 100.0f);
  EXPECT_TRUE(Game.Score == 2 && monsters->Count == 7);  // two kills in one burst
  for (const ZrMonst* t : {&a, &b}) EXPECT_TRUE(t->Health == 100.0f && (t->X <= 0 || t->X >= 800 || t->Y <= 0 || t->Y >= 600));
}

TEST_F(WorldWeapon, ALongStepStillBurstsWithinAStepOfItsTarget) {
  // At 102 frames per second (2.04 pixels a frame) this shot jumps across the per-axis
  // arrival window of its target on every frame.
  FixFps(102);
  ZrWeapon& w = weapons->GetFreeWeapon();
  w.Launch(400, 300, 116, 150);
  int frames = 0;
  for (; w.InFlight && frames < 1000; ++frames) Frame();
  EXPECT_LE(frames, 159);  // 321 pixels at 2.04 a frame
  EXPECT_EQ(explosions->Count, 1);
}
