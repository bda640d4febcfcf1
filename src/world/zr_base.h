// ZrBase: the player's base, its turret following the mouse, and its health bar.
#pragma once

#include <cstdint>

#include "shell/zr_types.h"

class ZrGfx;

class ZrBase {
 public:
  explicit ZrBase(ZrGfx& gfx);
  ~ZrBase();
  ZrBase(const ZrBase&) = delete;
  ZrBase& operator=(const ZrBase&) = delete;

  // Loads the four images and compiles the two quads.
  void Load();
  // One battle frame: ends the battle when health is gone, turns the turret, draws.
  void Animate();

  ZrGfx& Gfx;
  ZrGLName BodyList = 0;    // 64 x 64 textured quad
  ZrGLName TurretList = 0;  // 44 x 44 textured quad
  ZrGLName CharTexture = 0;
  ZrGLName Ch0Texture = 0;
  ZrGLName Ch1Texture = 0;
  ZrGLName Ch2Texture = 0;
  float TurretAngle = 0;
  float X = 0;
  float Y = 0;
  uint32_t Size = 0;
  float Health = 0;
};
