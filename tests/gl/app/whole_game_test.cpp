// A whole game in one process, played through posted window messages: menu, a battle
// that scores, game over, the best score saved, and a second battle.
#include <algorithm>
#include <cmath>
#include <fstream>

#include "gl/screens_fixture.h"
#include "platform/platform_hooks.h"
#include "world/zr_utils.h"

namespace {

// One pass, the clock 16 ms on: about 60 frames a second, the pace the game keeps.
void Tick(int passes = 1) {
  for (int i = 0; i < passes; ++i) {
    FakeTickNow += 16;
    RunPasses(1);
  }
}

// A key held over the pass that draws and reads it: the key-down and the character that
// follows a character key take a pass each before it.
void Press(uintptr_t vk) {
  Post(WM_KEYDOWN, vk);
  Tick(3);
  Post(WM_KEYUP, vk);
  Tick();
}

// A tank turning on the spot inside the window, far enough from the base that the blast
// spares it: the nearest is shot where it stands.
bool PickTarget(float& x, float& y) {
  const ZrBase& b = *Game.Base;
  float best = 1e9f;
  for (const auto& t : Game.Monsters->Items) {
    const float flight = std::hypot(t->X - b.X, t->Y - b.Y);
    if (!t->Turning || t->X < 10 || t->X >= 790 || t->Y < 10 || t->Y >= 590 || flight < 130 || flight >= best) continue;
    x = t->X;
    y = t->Y;
    best = flight;
  }
  return best < 1e9f;
}

}  // namespace

using WholeGame = ScreenTest;

TEST_F(WholeGame, PlayedThroughPostedMessages) {
  std::ofstream("bs.zrt") << "2\r\n";
  RandSeed(2024);
  // Explosions reseed from the clock: a counting one makes the game repeat exactly.
  PlatformHooks::SeedClock = []() -> uint64_t { static uint64_t clock = 0; return ++clock; };
  FreeGame();  // loaded again, with the file and the seed
  Game.GameState = gsLoading;
  Tick();
  ASSERT_EQ(Game.GameState, gsMenu);
  EXPECT_EQ(Game.BestScore, 2u);
  Press(VK_RETURN);  // "Играть"
  ASSERT_EQ(Game.GameState, gsBattle);
  Press(VK_UP);

  // Thousands of frames nobody looks at: a one-pixel scissor spares the rasteriser
  // their pixels and changes nothing the game does.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  for (int pass = 0; pass < 20000 && Game.GameState == gsBattle && Game.Score < 3; ++pass) {
    const bool inFlight = std::ranges::any_of(Game.Weapons->Items, [](const auto& w) { return w->InFlight; });
    float x = 0, y = 0;
    if (TestGfx().Fps > 0 && !inFlight && PickTarget(x, y)) PostClick(RoundToInt32(x), RoundToInt32(y));
    Tick();
  }
  ASSERT_EQ(Game.GameState, gsBattle) << "the base fell before three kills";
  ASSERT_GE(Game.Score, 3u);
  // Then hold fire and let the tanks ram the base.
  for (int pass = 0; pass < 20000 && Game.GameState == gsBattle; ++pass) Tick();
  ASSERT_EQ(Game.GameState, gsGameOver);

  Tick(50);
  EXPECT_EQ(FileText("bs.zrt"), "2\r\n") << "nothing is saved before Space";
  Press(VK_SPACE);
  EXPECT_EQ(Game.GameState, gsMenu);
  EXPECT_EQ(FileText("bs.zrt"), IntToText(Game.Score));

  // The second battle starts afresh, with the base where the first left it.
  ASSERT_TRUE(Game.Monsters->Count > 1 && Game.Weapons->Count > 0 && Game.Explosions->Count > 0);
  const float turret = Game.Base->TurretAngle;
  Press(VK_RETURN);
  EXPECT_EQ(Game.GameState, gsBattle);
  EXPECT_TRUE(Game.Score == 0 && Game.Base->Health == 100.0f);
  EXPECT_TRUE(Game.Monsters->Count == 1 && Game.Weapons->Count == 0 && Game.Explosions->Count == 0);
  EXPECT_TRUE(Game.Base->X == 400.0f && Game.Base->Y == 300.0f - 1.1f && Game.Base->TurretAngle == turret);
}
