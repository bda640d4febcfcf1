// Tanks: spawning, turning on the spot, ramming the base, and the waypoint they take.
// How they drive and arrive is checked against the design's own test in weapon_test.cpp.
#include <cmath>

#include "gl/world_fixture.h"
#include "world/zr_collision.h"

using WorldMonst = WorldTest;

TEST_F(WorldMonst, SpawnSidesAndRanges) {
  int sides[4] = {};
  for (int i = 0; i < 2000; ++i) {
    monsters->AddMonster();  // a new list's first tank is spawned the same way
    const ZrMonst& t = *monsters->Items.back();
    const bool across = t.X >= 0 && t.X < 800, down = t.Y >= 0 && t.Y < 600;
    const int side = t.Y <= 0 && t.Y > -100 && across ? 0 : t.X >= 800 && t.X < 900 && down ? 1
                     : t.Y >= 600 && t.Y < 700 && across ? 2 : t.X <= 0 && t.X > -100 && down ? 3 : -1;
    ASSERT_NE(side, -1) << t.X << ", " << t.Y;
    ++sides[side];
    ASSERT_TRUE(t.Turning && t.TargetX >= 0 && t.TargetX < 800 && t.TargetY >= 0 && t.TargetY < 600);
    ASSERT_TRUE(t.Speed >= 5 && t.Speed <= 14) << t.Speed;
  }
  for (int n : sides) EXPECT_GT(n, 400);
}

TEST_F(WorldMonst, TurnsOnTheSpotTowardsTheHeadingThenSnapsToItAndDrivesOff) {
  // A tank at (X, Y) with its waypoint to the right (|h| 0) or above it (|h| 90.0457),
  // its hull at Angle: after Frames frames at a reading and speed, still on the spot.
  const struct { float X, Y, Tx, Ty, Angle; uint32_t Fps; float Speed; int Frames; float After; bool Turning; } cases[] = {
      {100, 100, 200, 100, 10, 60, 10, 17, 0.4f, false},  // 10 - 16 * 0.6 = 0.4 rounds to 0
      {600, 500, 600, 100, 80, 60, 10, 1, 80.6f, true},  // counter-clockwise towards 90
      {600, 500, 600, 100, 80, 0, 10, 1, 80, true},  // no reading yet: a step of 0
      {100, 100, 673, 98, 0.8f, 60, 14, 2, 359.12f, true},  // 0.8 - 0.84 wraps; on the long way round
      // 1.4 a frame would swing between 0.6 and -0.8 off |h| for ever, 3 a frame stop 2.5
      // off it (where the hull would never snap to the heading): within a step, on |h|.
      {300, 500, 900, 500, 2, 100, 14, 2, 0, false},
      {300, 500, 900, 500, 2.5f, 300, 10, 1, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.Angle << " at " << c.Fps);
    ZrMonst& t = PlaceTank(c.X, c.Y, c.Tx, c.Ty, true, c.Speed);
    t.BodyAngle = c.Angle;
    FixFps(c.Fps);
    for (int i = 0; i < c.Frames; ++i) Frame(kTanks);
    EXPECT_TRUE(t.X == c.X && t.Y == c.Y && t.Turning == c.Turning);
    EXPECT_NEAR(t.BodyAngle, c.After, 1e-3);
    if (c.Turning) continue;
    Frame(kTanks);  // driving: the hull snaps to the heading
    EXPECT_TRUE(t.BodyAngle == Heading(c.X, c.Y, c.Tx, c.Ty) && t.X > c.X) << t.BodyAngle;
  }
}

TEST_F(WorldMonst, RammingExplodesHurtsTheBaseAndHidesTheTank) {
  ZrMonst& t = PlaceTank(440, 310, 100, 100, false, 10);  // FastDistance 43 < 64
  Frame(kTanks);
  ASSERT_EQ(explosions->Count, 1);
  EXPECT_TRUE(explosions->Items[0]->OriginX == 440.0f && explosions->Items[0]->OriginY == 290.0f);  // 600 - 310
  EXPECT_EQ(base->Health, 95.0f);
  EXPECT_TRUE(t.X == 440.0f && t.Y == 310.0f && t.Turning && (t.TargetX != 100.0f || t.TargetY != 100.0f));
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);  // neither the tank nor its waypoint

  t.X = t.Y = 100;  // away from the base both are drawn
  t.TargetX = 600;
  t.TargetY = 400;
  Frame(kTanks);
  EXPECT_TRUE(CountLitPixels(98, 498, 5, 5) != 0 && CountLitPixels(598, 198, 5, 5) != 0);
}

TEST_F(WorldMonst, TheFrameATankTakesAWaypointItTurnsAtTheNewSpeedEvenWithNoHeading) {
  // The next draws give the new waypoint and speed. Where they give the point the tank
  // stands on, there is no heading: Round(NaN) is negative, the hull turns by +step, and
  // the next frame takes another waypoint.
  base->X = 5000;  // out of ramming reach
  FixFps(100);
  for (const uint32_t seed : {3u, 77u}) {
    RandSeed(seed);
    const float x = static_cast<float>(Random(800)), y = static_cast<float>(Random(600));
    const float speed = static_cast<float>(5 + Random(10));
    ASSERT_NE(speed, 5.0f);
    const bool under = seed == 77;
    ZrMonst& t = PlaceTank(under ? x : 200, under ? y : 100, under ? x : 200, under ? y : 100, false, 5);
    t.BodyAngle = 180;
    RandSeed(seed);
    Frame(kTanks);
    EXPECT_TRUE(t.TargetX == x && t.TargetY == y && t.Speed == speed && t.Turning);
    EXPECT_FLOAT_EQ(t.BodyAngle, 180.0f + (under ? speed : -speed) / 10.0f) << seed;
  }
  const ZrMonst& t = *monsters->Items.back();
  const float x = t.X, y = t.Y;
  Frame(kTanks);
  EXPECT_TRUE(t.X == x && t.Y == y && t.Turning && (t.TargetX != x || t.TargetY != y) && !std::isnan(t.BodyAngle));
}
