#include "zr_game.h"

#include "zr_base.h"
#include "zr_expl.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_monst.h"
#include "zr_weapon.h"

GameContext Game;

GameContext::GameContext() = default;
GameContext::~GameContext() = default;

void RunGameStep() {
  switch (Game.GameState) {
    case gsLoading: LoadGame(); break;
    case gsMenu: MenuScreen(); break;
    case gsRecords: RecordsScreen(); break;
    case gsBattle: BattleScreen(); break;
    case gsGameOver: GameOverScreen(); break;
    case gsQuit: Game.Gfx->Terminated = true; break;
    case gsNewGame: NewGame(); break;
    default: break;
  }
}

void MainLoop(ZrGfx& gfx) {
  Game.Gfx = &gfx;
  while (!gfx.Terminated) {
    if (gfx.Active) {
      RunGameStep();
    } else {
      // Minimised: nothing runs but the message pump, and it sleeps until there is work.
      Platform::WaitMessage();
      gfx.ProcessMessages();
    }
  }
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

void DrawBackground() {
  glPushMatrix();
  glTranslatef(0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, Game.BackgroundTexture);
  glEnable(GL_TEXTURE_2D);
  glCallList(Game.BackgroundList);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}
