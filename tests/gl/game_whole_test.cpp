// A whole game in one process, played through posted window messages: menu, a battle
// that scores, game over, the best score saved, records, and "Выход".
#include <gtest/gtest.h>

#include <cmath>

#include "gl_fixture.h"
#include "screens_fixture.h"
#include "zr_base.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_monst.h"
#include "zr_random.h"
#include "zr_utils.h"
#include "zr_weapon.h"
#include "zr_winmsg.h"

namespace {

uint64_t g_clock = 0;
uint64_t CountingClock() { return ++g_clock; }

// One pass, the clock 16 ms on: about 60 frames a second, the pace the game keeps.
void Tick() {
  FakeTickNow += 16;
  RunPasses(1);
}

// A key held over the pass that draws and reads it.
void Press(uintptr_t vk) {
  PostKeyDown(vk);
  Tick();
  Tick();
  PostKeyUp(vk);
  Tick();
}

// Where a fireball meets a tank: a tank turning on the spot inside the window is shot
// where it stands; a driving tank at its waypoint, if the fireball gets there no sooner
// than the tank, which then turns there. Points the blast would share with the base
// are left alone. Shortest flight first.
bool PickTarget(float& x, float& y) {
  const ZrBase& b = *Game.Base;
  const double fps = TestGfx().Fps;
  double best = 1e9;
  for (const auto& t : Game.Monsters->Items) {
    const bool inside = t->X >= 10 && t->X < 790 && t->Y >= 10 && t->Y < 590;
    float aimX = t->X, aimY = t->Y;
    if (!t->Turning || !inside) {
      const double tankTime = std::hypot(t->TargetX - t->X, t->TargetY - t->Y) / (fps * t->Speed / 1000);
      const double ballTime = std::hypot(t->TargetX - b.X, t->TargetY - b.Y) / (fps * 20 / 1000);
      if (t->Turning || ballTime < tankTime) continue;
      aimX = t->TargetX;
      aimY = t->TargetY;
    }
    const double flight = std::hypot(aimX - b.X, aimY - b.Y);
    if (flight < 130 || flight >= best) continue;
    x = aimX;
    y = aimY;
    best = flight;
  }
  return best < 1e9;
}

bool AnyInFlight() {
  for (const auto& w : Game.Weapons->Items) {
    if (w->InFlight) return true;
  }
  return false;
}

struct WholeGame : ::testing::Test {
  void TearDown() override {
    glDisable(GL_SCISSOR_TEST);
    SetRandomClock(nullptr);
    ResetGame();
  }
};

}  // namespace

TEST_F(WholeGame, PlayedThroughPostedMessages) {
  ResetGame();
  TempGameDir dir(/*gamePictures=*/true);
  dir.PutFile("bs.zrt", "2\r\n");
  RandSeed(2024);
  SetRandomClock(&CountingClock);  // explosions reseed from it: the game repeats exactly
  TestGfx().TickSource = &FakeTicks;

  Tick();
  ASSERT_EQ(Game.GameState, gsMenu);
  EXPECT_EQ(Game.BestScore, 2u);
  Press(VK_RETURN);  // "Играть"
  ASSERT_EQ(Game.GameState, gsBattle);

  // Thousands of frames nobody looks at: a one-pixel scissor spares the rasteriser
  // their pixels and changes nothing the game does.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  for (int pass = 0; pass < 20000 && Game.GameState == gsBattle && Game.Score < 3; ++pass) {
    float x = 0, y = 0;
    if (TestGfx().Fps > 0 && !AnyInFlight() && PickTarget(x, y)) {
      PostMouseMove(RoundToInt32(x), RoundToInt32(y));
      PostLeftClick();
    }
    Tick();
  }
  ASSERT_EQ(Game.GameState, gsBattle) << "the base fell before three kills";
  ASSERT_GE(Game.Score, 3u);
  // Then hold fire and let the tanks ram the base.
  for (int pass = 0; pass < 20000 && Game.GameState == gsBattle; ++pass) Tick();
  glDisable(GL_SCISSOR_TEST);
  ASSERT_EQ(Game.GameState, gsGameOver);
  const uint32_t score = Game.Score;

  for (int i = 0; i < 50; ++i) Tick();
  EXPECT_EQ(dir.FileText("bs.zrt"), "2\r\n") << "nothing is saved before Space";
  Press(VK_SPACE);
  ASSERT_EQ(Game.GameState, gsMenu);
  EXPECT_EQ(dir.FileText("bs.zrt"), IntToText(score));

  Press(VK_DOWN);
  Press(VK_RETURN);
  ASSERT_EQ(Game.GameState, gsRecords);
  Press(VK_SPACE);
  EXPECT_EQ(Game.MenuIndex, 1) << "the menu keeps \"Рекорды\" selected";
  Press(VK_DOWN);
  Press(VK_RETURN);
  Tick();
  EXPECT_TRUE(TestGfx().Terminated);
}
