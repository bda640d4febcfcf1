// The base: drawn at its place with its turret and health bar, and the end of a battle.
#include <array>

#include "gl/world_fixture.h"

using WorldBase = WorldTest;
using Rgb = std::array<uint8_t, 3>;

TEST_F(WorldBase, HealthBarPlaceAndTurret) {
  const Rgb yellow = {255, 255, 0}, red = {255, 0, 0}, black = {0, 0, 0};
  base->Health = 50;
  Frame();
  // The frame covers x 8..31, y 8..101; the bar x 10..29, from y 10 up to the health.
  for (auto [x, y] : {std::pair{8, 8}, {31, 101}, {9, 50}, {30, 20}, {20, 50}}) EXPECT_EQ(ReadPixel(x, y), yellow);
  for (auto [x, y] : {std::pair{10, 10}, {29, 49}}) EXPECT_EQ(ReadPixel(x, y), red);
  for (auto [x, y] : {std::pair{7, 50}, {32, 50}, {20, 102}, {20, 7}}) EXPECT_EQ(ReadPixel(x, y), black);

  base->Health = 5;  // under 10 the bar runs downwards from y = 10, still filled
  Frame();
  EXPECT_EQ(ReadPixel(20, 5), red);
  EXPECT_EQ(ReadPixel(20, 10), yellow);

  base->Y = 200;  // drawn at its place, y counted from the bottom, and aims from there
  TestGfx().MouseX = 700;
  TestGfx().MouseY = 201;  // right, and a little downwards
  Frame();
  EXPECT_NE(ReadPixel(400, 400), black);
  EXPECT_EQ(ReadPixel(400, 300), black);
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
