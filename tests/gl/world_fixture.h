// The battle world as the game loads it, on the shared test window, with a fixed
// frame-rate reading and a repeatable random sequence.
#pragma once

#include <tuple>

#include "gl/screens_fixture.h"  // the world's headers, ResetGame and the pixel counts

class WorldTest : public ::testing::Test {
 protected:
  ZrInputScope Clock{TestInput()};
  void SetUp() override {
    ResetGame();
    LoadGame();
    Game.Monsters->Items.clear();  // no tank until a test places one
    Game.Monsters->Count = 0;
    monsters = Game.Monsters.get();
    weapons = Game.Weapons.get();
    base = Game.Base.get();
    explosions = Game.Explosions.get();
    Game.GameState = gsBattle;
    FixFps(60);
    RandSeed(1);
    TestInput().SeedValue = 12345;
  }
  void TearDown() override {
    ResetGame();
    TestGfx().StartFps();
  }

  // GetFps keeps returning fps until the test changes it: the clock stands still.
  static void FixFps(uint32_t fps) {
    TestInput().Tick = 1000;
    TestGfx().LastTick = 1000;
    TestGfx().Fps = fps;
  }
  // One battle frame on a black frame, in the battle screen's order, of the parts asked for.
  enum Part { kBase = 1, kTanks = 2, kFireballs = 4, kExplosions = 8, kAll = 15 };
  void Frame(int parts = kAll) {
    TestGfx().Begin2D();
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    if (parts & kBase) base->Animate();
    if (parts & kTanks) monsters->Animate();
    if (parts & kFireballs) weapons->Animate();
    if (parts & kExplosions) explosions->Animate();
    TestGfx().End2D();
  }
  ZrMonst& PlaceTank(float x, float y, float targetX, float targetY, bool turning, float speed) {
    monsters->AddMonster();
    ZrMonst& t = *monsters->Items.back();
    std::tie(t.X, t.Y, t.TargetX, t.TargetY, t.Turning, t.Speed) = std::tuple(x, y, targetX, targetY, turning, speed);
    return t;
  }

  ZrBase* base = nullptr;
  ZrMonstList* monsters = nullptr;
  ZrWeaponList* weapons = nullptr;
  ZrExplList* explosions = nullptr;
};
