// Building the world: once at start, and the enemies and fireballs again before every battle.
#include "app/zr_loading.h"

#include <memory>

#include "images/Textures.h"
#include "platform/zr_gl.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_weapon.h"

namespace {

void MakeMonsters(ZrGfx& gfx) {
  Game.Monsters = std::make_unique<ZrMonstList>(gfx);
  Game.Monsters->Load();
  Game.Monsters->AddMonster();
}

void MakeWeapons(ZrGfx& gfx) {
  Game.Weapons = std::make_unique<ZrWeaponList>(gfx);
  Game.Weapons->Load();
}

}  // namespace

void LoadGame() {
  ZrGfx& gfx = *Game.Gfx;
  Game.BestScore = LoadBestScore();

  // The full-window quad every screen draws its background with, in Begin2D pixels.
  const float width = static_cast<float>(gfx.Width);
  const float height = static_cast<float>(gfx.Height);
  Game.BackgroundList = glGenLists(1);
  glNewList(Game.BackgroundList, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(0, 0);
  glTexCoord2f(1, 0);
  glVertex2f(width, 0);
  glTexCoord2f(1, 1);
  glVertex2f(width, height);
  glTexCoord2f(0, 1);
  glVertex2f(0, height);
  glEnd();
  glEndList();
  LoadTextureFile("data/bg2.tga", Game.BackgroundTexture);

  Game.GameState = gsMenu;
  Game.CenterX = static_cast<float>(gfx.Width / 2);
  Game.CenterY = static_cast<float>(gfx.Height / 2);

  Game.Base = std::make_unique<ZrBase>(gfx);
  Game.Base->Load();
  Game.Base->X = Game.CenterX;
  Game.Base->Y = Game.CenterY;
  Game.Base->Size = 32;
  Game.Base->Health = 100.0f;

  MakeMonsters(gfx);
  MakeWeapons(gfx);
  Game.Explosions = std::make_unique<ZrExplList>(gfx, "data\\expl.tga", "data\\smoke.tga");
  gfx.StartFps();
}

void NewGame() {
  ZrGfx& gfx = *Game.Gfx;
  // The old lists go first, and with them their textures and quads, so a run of many
  // battles holds one set of them at a time.
  Game.Monsters.reset();
  MakeMonsters(gfx);
  Game.Weapons.reset();
  MakeWeapons(gfx);
  Game.Explosions->Clear();
  Game.Score = 0;
  // The base keeps its place, turret and size from the last battle.
  Game.Base->Health = 100.0f;
  Game.GameState = gsBattle;
}

void FreeGame() {
  Game.Base.reset();
  Game.Monsters.reset();
  Game.Weapons.reset();
  Game.Explosions.reset();
  if (Game.BackgroundList != 0) glDeleteLists(Game.BackgroundList, 1);
  if (Game.BackgroundTexture != 0) glDeleteTextures(1, &Game.BackgroundTexture);
  Game.BackgroundList = 0;
  Game.BackgroundTexture = 0;
}
