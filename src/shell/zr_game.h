// The game context: the shared variables of the game, and the background every screen
// draws first. The screens and the world read and write it; the main loop above them
// drives it.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/zr_types.h"

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

// Draws the full-window background in the current colour.
void DrawBackground();
