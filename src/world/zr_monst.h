// ZrMonst, one enemy tank, and ZrMonstList, all tanks of a battle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "shell/zr_types.h"

class ZrGfx;

class ZrMonst {
 public:
  explicit ZrMonst(ZrGfx& gfx);

  // Puts the tank outside the window with full health and a first waypoint.
  void Spawn();
  // Picks the next waypoint and speed and starts turning towards it.
  void NewWaypoint();

  ZrGfx& Gfx;
  float BodyAngle = 0;
  float TurretAngle = 0;
  float X = 0;
  float Y = 0;
  float TargetX = 0;
  float TargetY = 0;
  bool Turning = false;
  float Speed = 0;
  uint32_t Size = 0;
  float Health = 0;
  // How often the tank has driven past its waypoint; the second time it takes the next.
  int32_t Crossings = 0;
};

class ZrMonstList {
 public:
  explicit ZrMonstList(ZrGfx& gfx);
  // Releases the list's textures and quad: a new battle makes a new list.
  ~ZrMonstList();
  ZrMonstList(const ZrMonstList&) = delete;
  ZrMonstList& operator=(const ZrMonstList&) = delete;

  void Load();
  void AddMonster();
  void AnimateOne(int32_t index);
  void Animate();

  ZrGfx& Gfx;
  std::vector<std::unique_ptr<ZrMonst>> Items;
  int32_t Count = 0;  // always Items.size()
  ZrGLName QuadList = 0;
  ZrGLName MonstTextures[5] = {};
};
