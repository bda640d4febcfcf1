// ZrWeapon, one fireball, and ZrWeaponList, all fireballs of a battle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "shell/zr_types.h"

class ZrGfx;

class ZrWeapon {
 public:
  explicit ZrWeapon(ZrGfx& gfx);

  void Launch(float x0, float y0, float x1, float y1);
  // One frame of flight; bursts at the target.
  void Fly();

  ZrGfx& Gfx;
  bool InFlight = false;
  float SpinAngle = 0;
  float X = 0;
  float Y = 0;
  float TargetX = 0;
  float TargetY = 0;
  float Speed = 0;
  // How often the flight has passed its target since Launch; the second time ends it.
  int32_t Crossings = 0;
};

class ZrWeaponList {
 public:
  explicit ZrWeaponList(ZrGfx& gfx);
  // Releases the list's texture and quad: a new battle makes a new list.
  ~ZrWeaponList();
  ZrWeaponList(const ZrWeaponList&) = delete;
  ZrWeaponList& operator=(const ZrWeaponList&) = delete;

  void Load();
  // The first fireball not in flight, or a new one appended to the list.
  ZrWeapon& GetFreeWeapon();
  void Animate();

  ZrGfx& Gfx;
  ZrGLName QuadList = 0;
  ZrGLName FireballTexture = 0;
  std::vector<std::unique_ptr<ZrWeapon>> Items;
  int32_t Count = 0;  // always Items.size()
};
