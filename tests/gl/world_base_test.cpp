// The base: its health bar read back from the frame, the end of a battle, the turret.
#include <array>

#include "gl_fixture.h"
#include "world_fixture.h"
#include "zr_game.h"
#include "zr_gfx.h"

using WorldBase = WorldTest;
using Rgb = std::array<uint8_t, 3>;

TEST_F(WorldBase, HealthBarGeometryAndColours) {
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

  base->Y = 200;  // drawn at its place, y counted from the bottom
  Frame();
  EXPECT_NE(ReadPixel(400, 400), black);
  EXPECT_EQ(ReadPixel(400, 300), black);
}

TEST_F(WorldBase, BattleEndsOnTheFrameAfterHealthRunsOut) {
  base->Health = 0.001f;
  Frame();
  EXPECT_EQ(Game.GameState, gsBattle);
  base->Health = 0.0f;
  base->Animate();
  EXPECT_EQ(Game.GameState, gsGameOver);

  // A ramming tank takes the last 5 points after the base's turn: one more frame.
  Game.GameState = gsBattle;
  base->Health = 5;
  PlaceTank(440, 300, 100, 100, true, 10);
  Frame();
  EXPECT_EQ(base->Health, 0.0f);
  EXPECT_EQ(Game.GameState, gsBattle);
  Frame();
  EXPECT_EQ(Game.GameState, gsGameOver);
}

TEST_F(WorldBase, TurretFollowsTheCursor) {
  ZrGfx& g = TestGfx();
  g.MouseX = 400;
  g.MouseY = 100;  // straight above
  Frame();
  EXPECT_EQ(base->TurretAngle, 90.04564666748047f);
  g.MouseX = 700;
  g.MouseY = 300;  // straight right
  Frame();
  EXPECT_EQ(base->TurretAngle, 0.0f);
  base->Y -= 1.1f;  // moved up, it aims from its new place: a little downwards
  Frame();
  EXPECT_LT(base->TurretAngle, 0.0f);
  EXPECT_GT(base->TurretAngle, -1.0f);
}
