#include "shell/zr_game.h"

#include "platform/zr_gl.h"
// The context owns the world's objects, so its destructor needs their full types.
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_weapon.h"

GameContext Game;

GameContext::GameContext() = default;
GameContext::~GameContext() = default;

void DrawBackground() {
  glPushMatrix();
  glTranslatef(0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, Game.BackgroundTexture);
  glEnable(GL_TEXTURE_2D);
  glCallList(Game.BackgroundList);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}
