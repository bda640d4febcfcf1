// A battle world on the shared test window: plain sprites instead of the game's
// images, a fixed frame-rate reading and a repeatable random sequence.
#pragma once

#include <gtest/gtest.h>

#include "zr_base.h"
#include "zr_expl.h"
#include "zr_monst.h"
#include "zr_weapon.h"

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // GetFps keeps returning fps until the test changes it.
  static void FixFps(uint32_t fps);
  // Fresh, empty tank and fireball lists, as a new battle makes them.
  void NewLists();
  // Tank sprites: opaque white squares, or invisible, leaving only the waypoint dots.
  void SetTankAlpha(uint8_t alpha);
  // One battle frame in the order of the battle screen on a black frame; or the tanks alone.
  void Frame();
  void TanksOnly();
  ZrMonst& PlaceTank(float x, float y, float targetX, float targetY, bool turning, float speed);

  ZrBase* base = nullptr;
  ZrMonstList* monsters = nullptr;
  ZrWeaponList* weapons = nullptr;
  ZrExplList* explosions = nullptr;

 private:
  struct Saved;
  std::shared_ptr<Saved> saved_;
};
