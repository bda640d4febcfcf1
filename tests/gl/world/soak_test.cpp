// Simulated battles: random shots, a changing frame-rate reading, and the world's
// invariants checked on every frame.
#include <algorithm>
#include <cmath>
#include <random>

#include "gl/world_fixture.h"

using WorldSoak = WorldTest;

TEST_F(WorldSoak, BattlesKeepEveryInvariant) {
  std::mt19937 input(2024);  // the player's hand; the game keeps its own generator
  monsters->AddMonster();
  glEnable(GL_SCISSOR_TEST);  // drawing costs only the rasteriser's time: one pixel is kept
  glScissor(0, 0, 1, 1);
  int battles = 0;
  uint32_t kills = 0;
  for (int frame = 0; frame < 2500; ++frame) {
    if (frame % 40 == 0) FixFps(30 + input() % 230);  // slow machines to fast, long steps included
    if (input() % 8 == 0) {
      float x = static_cast<float>(input() % 800), y = static_cast<float>(input() % 600);
      if (input() % 2 == 0) {  // half the shots go where a tank is now, as a player aims
        const ZrMonst& t = *monsters->Items[input() % monsters->Items.size()];
        x = std::clamp(std::floor(t.X), 0.0f, 799.0f);
        y = std::clamp(std::floor(t.Y), 0.0f, 599.0f);
      }
      weapons->GetFreeWeapon().Launch(base->X, base->Y, x, y);
    }
    if (Game.GameState == gsGameOver) {  // the base is gone: the next battle, as the game starts it
      ++battles;
      kills += Game.Score;
      NewGame();
      monsters = Game.Monsters.get();
      weapons = Game.Weapons.get();
    }
    Frame();

    ASSERT_EQ(static_cast<uint32_t>(monsters->Count), Game.Score + 1);
    ASSERT_TRUE(monsters->Count == std::ssize(monsters->Items) && weapons->Count == std::ssize(weapons->Items) &&
                explosions->Count == std::ssize(explosions->Items));
    for (const auto& t : monsters->Items) {
      ASSERT_TRUE(t->BodyAngle >= -360 && t->BodyAngle <= 360 && !std::isnan(t->X + t->Y)) << "frame " << frame;
    }
    for (const auto& w : weapons->Items) ASSERT_FALSE(std::isnan(w->X + w->Y)) << "frame " << frame;
    for (const auto& e : explosions->Items) {
      ASSERT_TRUE(e->FireCount == std::ssize(e->Fire) && e->SmokeCount == std::ssize(e->Smoke));
    }
  }
  kills += Game.Score;
  EXPECT_TRUE(battles > 1 && kills > 5) << battles << " battles, " << kills << " kills";
}
