#include "world/zr_base.h"

#include "images/Textures.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_collision.h"
#include "world/zr_quad.h"

ZrBase::ZrBase(ZrGfx& gfx) : Gfx(gfx) {}

ZrBase::~ZrBase() {
  if (BodyList != 0) glDeleteLists(BodyList, 1);
  if (TurretList != 0) glDeleteLists(TurretList, 1);
  const ZrGLName textures[] = {CharTexture, Ch0Texture, Ch1Texture, Ch2Texture};
  for (ZrGLName t : textures) {
    if (t != 0) glDeleteTextures(1, &t);
  }
}

void ZrBase::Load() {
  LoadTextureFile("data\\char.tga", CharTexture);
  LoadTextureFile("data\\ch_0.tga", Ch0Texture);
  LoadTextureFile("data\\ch_1.tga", Ch1Texture);
  LoadTextureFile("data\\ch_2.tga", Ch2Texture);
  BodyList = CompileSpriteQuad(32);
  TurretList = CompileSpriteQuad(22);
}

void ZrBase::Animate() {
  // Checked before this frame's damage, so a base destroyed later in the frame is still
  // drawn once and the battle ends on the next frame.
  if (!(Health > 0.0f)) Game.GameState = gsGameOver;

  TurretAngle = Heading(X, Y, static_cast<float>(Gfx.MouseX), static_cast<float>(Gfx.MouseY));

  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glTranslatef(X, static_cast<float>(Gfx.Height - static_cast<double>(Y)), 0);
  glBindTexture(GL_TEXTURE_2D, CharTexture);
  glCallList(BodyList);  // the body never turns
  glRotatef(TurretAngle, 0, 0, 1);
  glBindTexture(GL_TEXTURE_2D, Ch0Texture);
  glCallList(TurretList);
  glRotatef(TurretAngle, 0, 0, -1);
  glBindTexture(GL_TEXTURE_2D, Ch1Texture);
  glCallList(TurretList);  // a ring that keeps the screen's orientation
  glRotatef(TurretAngle, 0, 0, 1);
  glBindTexture(GL_TEXTURE_2D, Ch2Texture);
  glCallList(BodyList);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();

  // Health bar in fixed window pixels, bottom left: a yellow frame and a red bar whose
  // top edge is the health itself.
  glPushMatrix();
  glColor3f(1, 1, 0);
  glBegin(GL_QUADS);
  glVertex2f(8, 8);
  glVertex2f(32, 8);
  glVertex2f(32, 102);
  glVertex2f(8, 102);
  glEnd();
  glColor3f(1, 0, 0);
  glBegin(GL_QUADS);
  glVertex2f(10, 10);
  glVertex2f(30, 10);
  glVertex2f(30, Health);
  glVertex2f(10, Health);
  glEnd();
  glColor3f(1, 1, 1);
  glPopMatrix();
}
