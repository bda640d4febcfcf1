// Fireballs: re-use, the blast and its kills; and how fireballs and tanks arrive, against
// the design's own test.
#include <cmath>
#include <random>

#include "arrival_reference.h"
#include "gl/world_fixture.h"

using WorldWeapon = WorldTest;

TEST_F(WorldWeapon, FlightReuseAndAShotAtItsOwnStart) {
  ZrWeapon& first = weapons->GetFreeWeapon();
  first.Launch(400, 300, 700, 300);
  ZrWeapon& second = weapons->GetFreeWeapon();  // the first is in flight: a new one
  EXPECT_NE(&first, &second);
  second.Launch(400, 300, 100, 100);
  Frame(kFireballs);
  EXPECT_NE(CountLitPixels(397, 296, 8, 8), 0);  // drawn where it is, y from the bottom

  first.X = 700;  // on its target: it bursts, and the next shot takes it again
  Frame();
  EXPECT_TRUE(!first.InFlight && second.InFlight);
  EXPECT_TRUE(&weapons->GetFreeWeapon() == &first && weapons->Count == 2);

  // No heading to its target: it bursts at once where it stands, 96 points off the base.
  first.Launch(400, 300, 400, 300);
  Frame();
  EXPECT_TRUE(!first.InFlight && first.X == 400.0f && first.Y == 300.0f);
  EXPECT_TRUE(base->Health == 4.0f && explosions->Count == 2);
  first.Launch(400, 300, 400, 100);  // and flies cleanly when launched again
  Frame();
  EXPECT_NEAR(first.X, 400.0f, 0.01f);
  EXPECT_FLOAT_EQ(first.Y, 298.8f);
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
  EXPECT_TRUE(explosions->Count == 1 && explosions->Items[0]->OriginY == 500.0f);  // y from the bottom
  for (const ZrMonst* t : {&a, &b}) EXPECT_TRUE(t->Health == 100.0f && (t->X <= 0 || t->X >= 800 || t->Y <= 0 || t->Y >= 600));
}

TEST_F(WorldWeapon, FireballsAndTanksArriveByTheDesignsTestUntilASecondCrossingEndsTheWay) {
  // Seeded flights from the base (moved up by a few key presses) to clicks in the window,
  // some on the pixel of the base itself, and tank legs from near one waypoint to the
  // next, each beside the design's own loop. At readings above 64 a step can jump over
  // the test: a fireball then bursts, a tank takes its next waypoint, where its second
  // crossing of the target left it, and a fireball on its target untaken bursts there.
  ZrMonstList tanks(TestGfx());  // apart from the battle's list, out of the blasts' reach
  tanks.AddMonster();
  ZrMonst& t = *tanks.Items[0];
  ZrWeapon w(TestGfx());
  base->X = 5000;  // out of ramming reach
  glEnable(GL_SCISSOR_TEST);  // drawing costs only the rasteriser's time
  glScissor(0, 0, 1, 1);
  std::mt19937 rng(5);
  auto draw = [&rng](uint32_t n) { return static_cast<float>(rng() % n); };
  std::uniform_real_distribution<float> offset(-0.5f, 0.5f);
  int ends[2][3] = {};  // fireballs, tanks: by the design's test, by a second crossing, on the target
  for (int i = 0; i < 12000; ++i) {
    const bool tank = i % 3 == 0, fast = i % 2 == 1;
    const uint32_t fps = fast ? 65 + rng() % 936 : 30 + rng() % 35;
    float x0 = 400, y0 = static_cast<float>(300 - 1.1 * (rng() % 20 == 0 ? 0 : rng() % 60)), speed = 20;
    float tx = draw(800), ty = draw(600);
    if (tank) {
      x0 = tx + draw(81) - 40;
      y0 = ty + draw(81) - 40;
      x0 += offset(rng);
      y0 += offset(rng);
      speed = 5 + draw(10);
    } else if (rng() % 20 == 0) {
      std::tie(tx, ty) = std::pair(x0, std::round(y0));
    }
    const int limit = static_cast<int>(std::hypot(tx - x0, ty - y0) / design::StepOf(fps, speed)) + 2000;
    const design::Arrival d =
        tank ? design::TankLeg(x0, y0, tx, ty, speed, fps, limit) : design::Fireball(x0, y0, tx, ty, fps, limit);
    FixFps(fps);
    t.NewWaypoint();  // a leg starts afresh
    std::tie(t.X, t.Y, t.TargetX, t.TargetY, t.Speed, t.Turning) = std::tuple(x0, y0, tx, ty, speed, false);
    w.Launch(x0, y0, tx, ty);
    int frame = -1;
    float x = 0, y = 0;
    for (int f = 0; f < limit && frame < 0; ++f) {
      std::tie(x, y) = tank ? std::pair(t.X, t.Y) : std::pair(w.X, w.Y);
      tank ? tanks.AnimateOne(0) : w.Fly();
      if (tank ? t.Turning || t.TargetX != tx || t.TargetY != ty : !w.InFlight) frame = f;
    }
    glFinish();  // lets the driver drop the drawing queued so far
    explosions->Clear();
    SCOPED_TRACE(testing::Message() << (tank ? "tank" : "fireball") << " at " << fps << ", speed " << speed << ", from "
                                    << x0 << "," << y0 << " to " << tx << "," << ty << ", frame " << frame);
    const int end = d.NoHeading ? 2 : d.Frame >= 0 && (d.SecondCrossing < 0 || d.Frame <= d.SecondCrossing + 1) ? 0 : 1;
    if (end == 0) {  // on the design's frame, at its point
      ASSERT_TRUE(frame == d.Frame && x == d.X && y == d.Y) << x << "," << y << " vs " << d.Frame;
    } else if (end == 1) {  // to and fro across the target: where the second crossing left it
      ASSERT_TRUE(fast && d.SecondCrossing >= 0 && frame == d.SecondCrossing + 1 && x == d.CrossX && y == d.CrossY);
    } else {  // on its target untaken, where the design's step would give NaN
      ASSERT_TRUE(fast && !tank && frame == d.Frame && x == tx && y == ty) << d.Frame;
    }
    ++ends[tank][end];
  }
  EXPECT_TRUE(ends[0][0] > 3500 && ends[0][1] > 2500 && ends[0][2] > 10 && ends[1][0] > 2000 && ends[1][1] > 1000)
      << ends[0][0] << " " << ends[0][1] << " " << ends[0][2] << " " << ends[1][0] << " " << ends[1][1];
}
