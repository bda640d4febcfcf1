// The battle: input, then one frame of the world with its head-up display.
#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_screens.h"
#include "screens/zr_texts.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_base.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_utils.h"
#include "world/zr_weapon.h"

void BattleScreen() {
  ZrGfx& gfx = *Game.Gfx;
  // Flags are cleared on use: one key-down moves the base one step, one click fires once.
  // The base may leave the window upwards; nothing keeps it in.
  if (gfx.Keys[VK_UP]) {
    gfx.Keys[VK_UP] = false;
    Game.Base->Y = static_cast<float>(Game.Base->Y - 1.1);
  }
  if (gfx.LeftDown) {
    gfx.LeftDown = false;
    ZrWeapon& fireball = Game.Weapons->GetFreeWeapon();
    fireball.Launch(Game.Base->X, Game.Base->Y, static_cast<float>(gfx.MouseX), static_cast<float>(gfx.MouseY));
  }
  DrawBattle();
}

void DrawBattle() {
  ZrGfx& gfx = *Game.Gfx;
  if (!gfx.BeginFrame()) return;
  gfx.Begin2D();

  // No colour of its own: the white left by the cross-hair of the previous frame.
  DrawBackground();
  // Each layer lies over the earlier ones; the base may end the battle here, and the
  // frame is still finished.
  Game.Base->Animate();
  Game.Monsters->Animate();
  Game.Weapons->Animate();
  Game.Explosions->Animate();

  const ZrTexts& texts = Texts();
  glColor3f(1, 0, 0);
  gfx.PrintAt(10, 20, (texts.ScoreLabel + IntToText(Game.Score)).c_str());
  glColor3f(1, 1, 0);
  gfx.PrintAt(700, 590, (texts.FpsLabel + IntToText(gfx.GetFps())).c_str());
  DrawCrossHair(gfx.MouseX, gfx.Height - gfx.MouseY);

  gfx.End2D();
  gfx.EndFrame();
}

void DrawCrossHair(int32_t x, int32_t y) {
  glColor3f(1, 1, 1);
  glLineWidth(2.5f);
  // Wide arithmetic: the corners of a point at the edge of the int range do not overflow.
  const float left = static_cast<float>(int64_t{x} - 10), right = static_cast<float>(int64_t{x} + 10);
  const float bottom = static_cast<float>(int64_t{y} - 10), top = static_cast<float>(int64_t{y} + 10);
  const float cx = static_cast<float>(x), cy = static_cast<float>(y);
  glBegin(GL_LINES);
  glVertex2f(left, cy);
  glVertex2f(cx, bottom);
  glVertex2f(cx, bottom);
  glVertex2f(right, cy);
  glVertex2f(right, cy);
  glVertex2f(cx, top);
  glVertex2f(cx, top);
  glVertex2f(left, cy);
  glEnd();
  glLineWidth(1);
}
