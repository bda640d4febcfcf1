// Tanks: spawning, turning and driving, ramming the base, and waypoint arrival against
// the design's own test.
#include <cmath>
#include <random>

#include "arrival_reference.h"
#include "gl/world_fixture.h"

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

TEST_F(WorldMonst, TurnsOnTheSpotThenDrivesWithTheReading) {
  ZrMonst& t = PlaceTank(100, 100, 200, 100, true, 10);  // heading -0: the hull aims at 0
  t.BodyAngle = 10;
  int frames = 0;
  for (; t.Turning && frames < 100; ++frames) Frame();
  EXPECT_EQ(frames, 17);  // 10 - 16 * 0.6 = 0.4 rounds to 0 and turns no more
  EXPECT_TRUE(t.X == 100.0f && t.Y == 100.0f);  // on the spot
  EXPECT_NEAR(t.BodyAngle, 0.4f, 1e-4);
  Frame();  // driving: the hull snaps to the heading
  EXPECT_TRUE(t.BodyAngle == 0.0f && t.Y == 100.0f);
  EXPECT_FLOAT_EQ(t.X, 100.6f);

  ZrMonst& up = PlaceTank(600, 500, 600, 100, true, 10);  // |h| 90.0457: turns counter-clockwise
  up.BodyAngle = 80;
  Frame();
  EXPECT_FLOAT_EQ(up.BodyAngle, 80.6f);
  FixFps(0);  // no reading yet: a step of 0, nothing turns or moves
  Frame();
  EXPECT_FLOAT_EQ(up.BodyAngle, 80.6f);
  EXPECT_FLOAT_EQ(t.X, 101.2f);  // where the last frame with a reading left it
}

TEST_F(WorldMonst, OvershootWrapsToANearlyFullTurn) {
  FixFps(60);  // step 0.84 at speed 14
  ZrMonst& t = PlaceTank(100, 100, 673, 98, true, 14);  // |h| about 0.2
  t.BodyAngle = 0.8f;
  Frame();
  EXPECT_NEAR(t.BodyAngle, 359.96f, 1e-3);  // 0.8 - 0.84, wrapped
  Frame();
  EXPECT_NEAR(t.BodyAngle, 359.12f, 1e-3);  // clockwise on, the long way round
  EXPECT_TRUE(t.Turning);

  // A turn of 1.4 degrees a frame would swing between 0.6 and -0.8 off |h| for ever.
  FixFps(100);
  ZrMonst& fast = PlaceTank(300, 500, 900, 500, true, 14);
  fast.BodyAngle = 2.0f;
  Frame();
  EXPECT_NEAR(fast.BodyAngle, 0.6f, 1e-4);
  Frame();
  EXPECT_TRUE(!fast.Turning && fast.BodyAngle == 0.0f);

  // 3 degrees a frame, 2.5 off |h|: the turn ends on |h|, not 2.5 off it, where the
  // hull would never snap to the heading and would drive the whole way askew.
  FixFps(300);
  fast.X = 300;
  fast.Speed = 10;
  fast.BodyAngle = 2.5f;
  fast.Turning = true;
  Frame();
  EXPECT_TRUE(!fast.Turning && fast.BodyAngle == 0.0f);
  Frame();
  EXPECT_TRUE(fast.BodyAngle == 0.0f && fast.X == 303.0f);
}

TEST_F(WorldMonst, RammingExplodesHurtsTheBaseAndHidesTheTank) {
  ZrMonst& t = PlaceTank(440, 300, 100, 100, false, 10);  // FastDistance 40 < 64
  Frame(kTanks);
  ASSERT_EQ(explosions->Count, 1);
  EXPECT_TRUE(explosions->Items[0]->OriginX == 440.0f && explosions->Items[0]->OriginY == 300.0f);  // 600 - 300
  EXPECT_EQ(base->Health, 95.0f);
  EXPECT_TRUE(t.X == 440.0f && t.Y == 300.0f && t.Turning && (t.TargetX != 100.0f || t.TargetY != 100.0f));
  EXPECT_EQ(CountLitPixels(0, 0, 800, 600), 0);  // neither the tank nor its waypoint

  t.X = t.Y = 100;  // away from the base both are drawn
  t.TargetX = 600;
  t.TargetY = 400;
  Frame(kTanks);
  EXPECT_TRUE(CountLitPixels(98, 498, 5, 5) != 0 && CountLitPixels(598, 198, 5, 5) != 0);
}

TEST_F(WorldMonst, WaypointArrivalIsTheDesignsTestUntilASecondCrossingTakesTheNext) {
  // Seeded legs from near one waypoint to the next, each followed by the design's own
  // rounding test in a loop of its own.
  base->X = 5000;  // out of ramming reach
  glEnable(GL_SCISSOR_TEST);  // drawing costs only the rasteriser's time
  glScissor(0, 0, 1, 1);
  monsters->AddMonster();
  ZrMonst& t = *monsters->Items[0];
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> offset(-0.5f, 0.5f);
  int byDesign = 0, bySecondCrossing = 0;
  for (const auto& [lo, hi] : {std::pair<uint32_t, uint32_t>{30, 64}, {65, 1000}}) {
    for (int i = 0; i < 2000; ++i) {
      const uint32_t fps = lo + rng() % (hi - lo + 1);
      const float tx = static_cast<float>(rng() % 800), ty = static_cast<float>(rng() % 600);
      const float x0 = tx + static_cast<float>(static_cast<int>(rng() % 81) - 40) + offset(rng);
      const float y0 = ty + static_cast<float>(static_cast<int>(rng() % 81) - 40) + offset(rng);
      const float speed = static_cast<float>(5 + rng() % 10);
      const int limit = static_cast<int>(std::hypot(tx - x0, ty - y0) / design::StepOf(fps, speed)) + 2000;
      const design::Arrival d = design::TankLeg(x0, y0, tx, ty, speed, fps, limit);
      FixFps(fps);
      t.NewWaypoint();  // a leg starts afresh
      std::tie(t.X, t.Y, t.TargetX, t.TargetY, t.Speed, t.Turning) = std::tuple(x0, y0, tx, ty, speed, false);
      int frame = -1;
      float x = 0, y = 0;
      for (int f = 0; f < limit && frame < 0; ++f) {
        x = t.X, y = t.Y;
        monsters->AnimateOne(0);
        if (t.Turning || t.TargetX != tx || t.TargetY != ty) frame = f;  // the next waypoint taken
      }
      glFinish();  // lets the driver drop the drawing queued so far
      SCOPED_TRACE(testing::Message() << "reading " << fps << ", speed " << speed << ", from " << x0 << "," << y0
                                      << " to " << tx << "," << ty);
      if (d.Frame >= 0 && (d.SecondCrossing < 0 || d.Frame <= d.SecondCrossing + 1)) {
        ASSERT_TRUE(frame == d.Frame && x == d.X && y == d.Y) << frame << " " << x << "," << y << " vs " << d.Frame;
        ++byDesign;
      } else {
        ASSERT_TRUE(lo > 64 && d.SecondCrossing >= 0);
        ASSERT_TRUE(frame == d.SecondCrossing + 1 && x == d.CrossX && y == d.CrossY) << frame << " vs " << d.SecondCrossing;
        ++bySecondCrossing;
      }
    }
  }
  EXPECT_TRUE(byDesign > 2000 && bySecondCrossing > 300) << byDesign << " " << bySecondCrossing;
}

TEST_F(WorldMonst, TheFrameATankTakesAWaypointItTurnsAtTheNewSpeed) {
  FixFps(100);
  ZrMonst& at = PlaceTank(200, 100, 200, 100, false, 5);
  at.BodyAngle = 180;
  RandSeed(3);
  Random(800), Random(600);
  const float speed = static_cast<float>(5 + Random(10));
  ASSERT_NE(speed, 5.0f);
  RandSeed(3);
  Frame(kTanks);
  EXPECT_EQ(at.Speed, speed);
  EXPECT_FLOAT_EQ(at.BodyAngle, 180.0f - speed / 10.0f);
}

TEST_F(WorldMonst, AWaypointUnderTheTankTurnsItOnceAndTheNextFrameTakesAnother) {
  // The next draws give the point where the tank stands, so the waypoint it takes on
  // arriving lies under it: no heading, Round(NaN) is negative, the hull turns by +step.
  base->X = 5000;  // out of ramming reach
  RandSeed(77);
  const float x = static_cast<float>(Random(800)), y = static_cast<float>(Random(600));
  const float speed = static_cast<float>(5 + Random(10));
  ZrMonst& t = PlaceTank(x, y, x, y, false, 10);
  t.BodyAngle = 100;
  RandSeed(77);
  Frame(kTanks);
  EXPECT_TRUE(t.X == x && t.Y == y && t.TargetX == x && t.TargetY == y && t.Turning);
  EXPECT_EQ(t.BodyAngle, 100.0f + static_cast<float>(60 * speed / 1000.0));
  Frame(kTanks);
  EXPECT_TRUE(t.X == x && t.Y == y && t.Turning && (t.TargetX != x || t.TargetY != y));
  EXPECT_FALSE(std::isnan(t.BodyAngle));
}
