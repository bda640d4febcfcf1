// The base: drawn at its place with its turret and health bar, and the end of a battle.
#include "gl/world_fixture.h"

using WorldBase = WorldTest;

TEST_F(WorldBase, HealthBarPlaceAndTurret) {
  base->Health = 50;
  Frame();
  // The frame covers x 8..31, y 8..101; the bar x 10..29, from y 10 up to the health.
  for (auto [x, y] : {std::pair{8, 8}, {31, 101}, {9, 50}, {30, 20}, {20, 50}}) EXPECT_TRUE(PixelIs(x, y, 255, 255, 0));
  for (auto [x, y] : {std::pair{10, 10}, {29, 49}}) EXPECT_TRUE(PixelIs(x, y, 255, 0, 0)) << x << "," << y;
  for (auto [x, y] : {std::pair{7, 50}, {32, 50}, {20, 102}, {20, 7}}) EXPECT_TRUE(PixelIs(x, y, 0, 0, 0));

  base->Health = 5;  // under 10 the bar runs downwards from y = 10, still filled
  Frame();
  EXPECT_TRUE(PixelIs(20, 5, 255, 0, 0) && PixelIs(20, 10, 255, 255, 0));

  base->Y = 200;  // drawn at its place, y counted from the bottom, and aims from there
  TestGfx().MouseX = 700;
  TestGfx().MouseY = 201;  // right, and a little downwards
  Frame();
  EXPECT_TRUE(!PixelIs(400, 400, 0, 0, 0) && PixelIs(400, 300, 0, 0, 0));
  EXPECT_TRUE(base->TurretAngle < 0.0f && base->TurretAngle > -1.0f) << base->TurretAngle;
}

TEST_F(WorldBase, BattleEndsOnTheFrameAfterHealthRunsOut) {
  base->Health = 0.001f;
  Frame();
  EXPECT_EQ(Game.GameState, gsBattle);
  // A ramming tank takes the last 5 points after the base's turn: one more frame.
  base->Health = 5;
  PlaceTank(440, 300, 100, 100, true, 10);
  Frame();
  EXPECT_TRUE(base->Health == 0.0f && Game.GameState == gsBattle);
  Frame();
  EXPECT_EQ(Game.GameState, gsGameOver);
}
