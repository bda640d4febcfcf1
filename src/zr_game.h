// The game module: the shared variables of the game, the main loop and its steps.
#pragma once

#include <cstdint>
#include <memory>

#include "zr_types.h"

class ZrGfx;
class ZrBase;
class ZrMonstList;
class ZrWeaponList;
class ZrExplList;

struct GameContext {
  GameContext();
  ~GameContext();

  ZrGfx* Gfx = nullptr;
  float CenterX = 0;
  float CenterY = 0;
  float WeaponStep = 0;  // the step of the fireball being moved; scratch of the flight
  std::unique_ptr<ZrBase> Base;
  std::unique_ptr<ZrMonstList> Monsters;
  std::unique_ptr<ZrWeaponList> Weapons;
  std::unique_ptr<ZrExplList> Explosions;
  ZrGLName BackgroundList = 0;
  ZrGLName BackgroundTexture = 0;
  uint32_t Score = 0;
  uint32_t BestScore = 0;
  ZrGameState GameState = gsLoading;
  uint8_t MenuIndex = 0;
};

extern GameContext Game;

// Runs passes until gfx.Terminated is set: one step of the current state per pass
// while the window is active, one window message per pass while it is not.
void MainLoop(ZrGfx& gfx);
// One pass of the loop with an active window: the step of the current GameState.
void RunGameStep();
// Releases the world while the GL context is still current, and forgets it.
void FreeGame();

// The steps of the states.
void LoadGame();
void NewGame();
void MenuScreen();
void BattleScreen();
void DrawBattle();
void DrawCrossHair(int32_t x, int32_t y);
void GameOverScreen();
void RecordsScreen();
// Draws the full-window background in the current colour.
void DrawBackground();
