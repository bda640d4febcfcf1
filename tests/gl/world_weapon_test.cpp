// Fireballs: re-use, flight, the blast and its kills, and the mended arrival fault.
#include <cmath>

#include "gl_fixture.h"
#include "world_fixture.h"
#include "zr_collision.h"
#include "zr_game.h"
#include "zr_gfx.h"

using WorldWeapon = WorldTest;

TEST_F(WorldWeapon, FlightAndReuse) {
  ZrWeapon& first = weapons->GetFreeWeapon();
  EXPECT_FALSE(first.InFlight);
  first.Launch(400, 300, 700, 300);
  ZrWeapon& second = weapons->GetFreeWeapon();  // the first is in flight: a new one
  EXPECT_NE(&first, &second);
  second.Launch(400, 300, 100, 100);
  EXPECT_EQ(weapons->Count, 2);

  FixFps(0);  // no reading yet: they stand still and do not spin
  Frame();
  EXPECT_TRUE(first.X == 400.0f && first.SpinAngle == 0.0f);
  FixFps(60);  // 1.2 pixels a frame
  Frame();
  EXPECT_FLOAT_EQ(first.X, 401.2f);
  EXPECT_EQ(first.Y, 300.0f);
  EXPECT_FLOAT_EQ(first.SpinAngle, 2.4f);
  EXPECT_NE(CountLitPixels(397, 296, 8, 8), 0);  // drawn where it is, y from the bottom

  first.X = 700;  // on its target: it bursts, and the next shot takes it again
  Frame();
  EXPECT_FALSE(first.InFlight);
  EXPECT_TRUE(second.InFlight);
  EXPECT_EQ(&weapons->GetFreeWeapon(), &first);
  EXPECT_EQ(weapons->Count, 2);
}

TEST_F(WorldWeapon, AShotAtTheBaseItselfBurstsAtOnceAndHurtsIt) {
  ZrWeapon& w = weapons->GetFreeWeapon();
  w.Launch(400, 300, 400, 300);
  Frame();
  EXPECT_FALSE(w.InFlight);
  EXPECT_EQ(base->Health, 4.0f);
  EXPECT_EQ(explosions->Count, 1);
  EXPECT_TRUE(w.X == 400.0f && w.Y == 300.0f);  // no heading to step along: it stays
  w.Launch(400, 300, 400, 100);  // and flies normally when launched again
  Frame();
  EXPECT_NEAR(w.X, 400.0f, 0.01f);
  EXPECT_FLOAT_EQ(w.Y, 298.8f);
}

TEST_F(WorldWeapon, DamageFallsOffWithDistance) {
  ZrMonst& near = PlaceTank(100, 100, 50, 50, true, 10);
  ZrMonst& far = PlaceTank(195, 100, 50, 50, true, 10);
  ZrMonst& out = PlaceTank(100, 196, 50, 50, true, 10);
  ZrWeapon& w = weapons->GetFreeWeapon();
  w.Launch(110, 100, 110, 100);
  Frame();
  EXPECT_EQ(near.Health, 14.0f);  // d = 10
  EXPECT_EQ(far.Health, 89.0f);   // d = 85
  EXPECT_EQ(out.Health, 100.0f);
  EXPECT_EQ(base->Health, 100.0f);
  w.Launch(100, 100, 100, 100);
  near.Health = far.Health = 100;
  Frame();
  EXPECT_EQ(far.Health, 99.0f);   // d = 95
  EXPECT_EQ(out.Health, 100.0f);  // d = 96
  EXPECT_EQ(near.Health, 4.0f);   // right on it
  EXPECT_EQ(Game.Score, 0u);
}

TEST_F(WorldWeapon, KillsScoreRespawnAndAddTanks) {
  ZrMonst& a = PlaceTank(300, 100, 50, 50, true, 10);
  ZrMonst& b = PlaceTank(310, 100, 50, 50, true, 10);
  a.Health = b.Health = 50;
  weapons->GetFreeWeapon().Launch(305, 100, 305, 100);
  Frame();
  EXPECT_EQ(Game.Score, 2u);
  EXPECT_EQ(monsters->Count, 4);
  for (const ZrMonst* t : {&a, &b}) {
    EXPECT_EQ(t->Health, 100.0f);
    EXPECT_TRUE(t->X <= 0 || t->X >= 800 || t->Y <= 0 || t->Y >= 600);
  }

  // Twelve kills give thirteen tanks, each showing its own waypoint.
  NewLists();
  monsters->AddMonster();
  Game.Score = 0;
  for (int kill = 0; kill < 12; ++kill) {
    ZrMonst& t = *monsters->Items[0];
    t.X = 200;
    t.Y = 500;
    t.Health = 1;
    weapons->GetFreeWeapon().Launch(200, 500, 200, 500);
    Frame();
  }
  EXPECT_EQ(Game.Score, 12u);
  ASSERT_EQ(monsters->Count, 13);
  SetTankAlpha(0);  // hulls invisible: only the dots are left
  TanksOnly();
  for (const auto& t : monsters->Items) {
    const int x = static_cast<int>(t->TargetX), y = std::min(599, 600 - static_cast<int>(t->TargetY));
    EXPECT_NE(ReadPixel(x, y), (std::array<uint8_t, 3>{0, 0, 0})) << x << ", " << y;
  }
}

TEST_F(WorldWeapon, ALongStepCannotJumpOverTheTargetForEver) {
  // At 102 frames per second (2.04 pixels a frame) this shot keeps jumping across the
  // per-axis arrival window of its target.
  const float tx = 116, ty = 150, step = 2.04f;
  float x = 400, y = 300;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_FALSE(CoordReached(x, tx, step / 2) && CoordReached(y, ty, step / 2));
    StepAlong(x, y, Heading(x, y, tx, ty), step);
  }
  FixFps(102);
  ZrWeapon& w = weapons->GetFreeWeapon();
  w.Launch(400, 300, tx, ty);
  int frames = 0;
  for (; w.InFlight && frames < 1000; ++frames) Frame();
  EXPECT_LE(frames, 159);  // 321 pixels at 2.04 a frame
  EXPECT_EQ(explosions->Count, 1);
}
