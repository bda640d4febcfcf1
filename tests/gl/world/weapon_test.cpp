// Fireballs: re-use, the blast and its kills, and arrival against the design's own test.
#include <cmath>
#include <random>

#include "arrival_reference.h"
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

TEST_F(WorldWeapon, ArrivalIsTheDesignsTestUntilASecondCrossingEndsTheFlight) {
  // Seeded flights from the base (moved up by a few key presses) to clicks in the
  // window, some on the pixel of the base itself, each followed by the design's own
  // arrival loop.
  std::mt19937 rng(9);
  int byDesign = 0, bySecondCrossing = 0, onTarget = 0;
  ZrWeapon w(TestGfx());
  for (const auto& [lo, hi] : {std::pair<uint32_t, uint32_t>{30, 64}, {65, 1000}}) {
    for (int i = 0; i < 4000; ++i) {
      const uint32_t fps = lo + rng() % (hi - lo + 1);
      const float x0 = 400, y0 = static_cast<float>(300 - 1.1 * (rng() % 20 == 0 ? 0 : rng() % 60));
      const bool atBase = rng() % 20 == 0;
      const float tx = atBase ? x0 : static_cast<float>(rng() % 800);
      const float ty = atBase ? std::round(y0) : static_cast<float>(rng() % 600);
      const int limit = static_cast<int>(std::hypot(tx - x0, ty - y0) / design::StepOf(fps, 20)) + 2000;
      const design::Arrival d = design::Fireball(x0, y0, tx, ty, fps, limit);
      FixFps(fps);
      w.Launch(x0, y0, tx, ty);
      int frame = 0;
      float x = 0, y = 0;
      for (; w.InFlight && frame < limit; ++frame) {
        x = w.X, y = w.Y;
        w.Fly();
      }
      --frame;  // the frame it burst on
      explosions->Clear();
      SCOPED_TRACE(testing::Message() << "reading " << fps << ", from " << x0 << "," << y0 << " to " << tx << "," << ty);
      ASSERT_FALSE(w.InFlight);
      if (d.Frame >= 0 && !d.NoHeading && (d.SecondCrossing < 0 || d.Frame <= d.SecondCrossing + 1)) {
        // The design ends it before a second crossing: on its frame, at its point.
        ASSERT_TRUE(frame == d.Frame && x == d.X && y == d.Y) << frame << " " << x << "," << y << " vs " << d.Frame;
        ++byDesign;
      } else if (d.NoHeading) {
        // Standing on its target untaken, where the design's step would give NaN.
        ASSERT_TRUE(lo > 64 && frame == d.Frame && x == tx && y == ty) << frame << " vs " << d.Frame;
        ++onTarget;
      } else {
        // To and fro across the target: it bursts where the second crossing left it.
        ASSERT_TRUE(lo > 64 && d.SecondCrossing >= 0);
        ASSERT_TRUE(frame == d.SecondCrossing + 1 && x == d.CrossX && y == d.CrossY) << frame << " vs " << d.SecondCrossing;
        ++bySecondCrossing;
      }
    }
  }
  EXPECT_TRUE(byDesign > 4000 && bySecondCrossing > 1000 && onTarget > 10) << byDesign << " " << bySecondCrossing << " " << onTarget;
}
