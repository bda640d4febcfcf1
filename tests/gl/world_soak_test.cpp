// A long simulated battle: random clicks, a changing frame-rate reading, and the
// world's invariants checked on every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "gl_fixture.h"
#include "world_fixture.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"

using WorldSoak = WorldTest;

TEST_F(WorldSoak, ThousandsOfFramesKeepEveryInvariant) {
  ZrGfx& g = TestGfx();
  std::mt19937 input(2024);  // the player's hand; the game keeps its own generator
  monsters->AddMonster();
  // Drawing costs nothing here but the rasteriser's time: only one pixel is kept.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);

  std::map<const ZrWeapon*, int> deadline;  // frame by which each shot must have burst
  int bursts = 0;
  int battles = 0;
  uint32_t kills = 0;
  for (int frame = 0; frame < 6000; ++frame) {
    if (frame % 40 == 0) {
      // Readings from a slow machine to a fast one, the long steps included.
      FixFps(30 + input() % 230);
    }
    if (input() % 8 == 0) {
      g.MouseX = static_cast<int32_t>(input() % 800);
      g.MouseY = static_cast<int32_t>(input() % 600);
      if (input() % 2 == 0) {
        // Half the shots go where a tank is now, as a player aims.
        const ZrMonst& t = *monsters->Items[input() % monsters->Items.size()];
        g.MouseX = std::clamp(static_cast<int32_t>(t.X), 0, 799);
        g.MouseY = std::clamp(static_cast<int32_t>(t.Y), 0, 599);
      }
      ZrWeapon& w = weapons->GetFreeWeapon();
      w.Launch(base->X, base->Y, static_cast<float>(g.MouseX), static_cast<float>(g.MouseY));
      const double distance = std::hypot(w.TargetX - w.X, w.TargetY - w.Y);
      deadline[&w] = frame + static_cast<int>(distance / (30 * 20 / 1000.0)) + 2;
    }
    if (Game.GameState == gsGameOver) {
      // The base is gone: the next battle, as a new game starts it.
      ++battles;
      kills += Game.Score;
      NewLists();
      explosions->Clear();
      monsters->AddMonster();
      deadline.clear();
      Game.Score = 0;
      Game.GameState = gsBattle;
      base->Health = 100;
    }
    Frame();

    ASSERT_EQ(monsters->Count, static_cast<int32_t>(monsters->Items.size()));
    ASSERT_EQ(weapons->Count, static_cast<int32_t>(weapons->Items.size()));
    ASSERT_EQ(explosions->Count, static_cast<int32_t>(explosions->Items.size()));
    ASSERT_EQ(static_cast<uint32_t>(monsters->Count), Game.Score + 1);
    for (const auto& t : monsters->Items) {
      ASSERT_FALSE(std::isnan(t->X) || std::isnan(t->Y) || std::isnan(t->BodyAngle)) << "frame " << frame;
      ASSERT_TRUE(t->BodyAngle >= -360 && t->BodyAngle <= 360) << t->BodyAngle;
    }
    for (const auto& w : weapons->Items) {
      ASSERT_FALSE(std::isnan(w->X) || std::isnan(w->Y)) << "frame " << frame;
      if (w->InFlight) {
        ASSERT_LE(frame, deadline[w.get()]) << "a fireball still flies past its time";
      } else if (deadline.erase(w.get()) != 0) {
        ++bursts;
      }
    }
    for (const auto& e : explosions->Items) {
      ASSERT_EQ(e->FireCount, static_cast<int32_t>(e->Fire.size()));
      ASSERT_EQ(e->SmokeCount, static_cast<int32_t>(e->Smoke.size()));
    }
  }
  glDisable(GL_SCISSOR_TEST);
  kills += Game.Score;
  EXPECT_GT(bursts, 500);
  EXPECT_GT(battles, 1);
  EXPECT_GT(kills, 10u);
}
