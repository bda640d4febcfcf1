// Temporary steps of the states until the screens exist.
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"

void LoadGame() { Game.GameState = gsMenu; Game.Gfx->StartFps(); }
void NewGame() { Game.GameState = gsBattle; }
void MenuScreen() {
  ZrGfx& g = *Game.Gfx;
  if (!g.BeginFrame()) return;
  g.Begin2D();
  glColor3f(1, 0, 0);
  g.PrintAt(50, 50, "\xC2\xCE\xC9\xCD\xDB \xC7\xC0 \xD2\xCE\xD0\xC2\xC0\xCB");
  glColor3f(1, 1, 1);
  g.PrintAt(50, 70, "Zr Ironfall \xFF\xFE\xFD");
  g.End2D();
  g.EndFrame();
}
void BattleScreen() {}
void DrawBattle() {}
void DrawCrossHair(int32_t, int32_t) {}
void GameOverScreen() {}
void RecordsScreen() {}
