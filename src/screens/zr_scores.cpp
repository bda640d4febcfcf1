// The two score screens: game over (which saves a new best score) and records.
#include <algorithm>

#include "platform/zr_gl.h"
#include "platform/zr_winmsg.h"
#include "screens/zr_bestscore.h"
#include "screens/zr_screens.h"
#include "screens/zr_texts.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "world/zr_expl.h"
#include "world/zr_utils.h"

namespace {

// One pass in a hundred, drawn or not, starts a small explosion somewhere in the window.
void RandomExplosion(ZrGfx& gfx) {
  if (Random(100) != 33) return;
  const uint32_t x = Random(static_cast<uint32_t>(std::max(gfx.Width, 0)));
  const uint32_t y = Random(static_cast<uint32_t>(std::max(gfx.Height, 0)));
  Game.Explosions->AddExplosion(5, static_cast<float>(x), static_cast<float>(y), 1.0f);
}

void DrawFpsLine(ZrGfx& gfx) {
  glColor3f(1, 1, 0);
  gfx.PrintAt(700, 590, (Texts().FpsLabel + IntToText(gfx.GetFps())).c_str());
}

}  // namespace

void GameOverScreen() {
  ZrGfx& gfx = *Game.Gfx;
  if (gfx.Keys[VK_SPACE]) {
    gfx.Keys[VK_SPACE] = false;
    Game.GameState = gsMenu;
    if (Game.Score > Game.BestScore) {
      // A failed save is reported to the player; the better score still counts for this run.
      SaveBestScore(Game.Score);
      Game.BestScore = Game.Score;
    }
    return;
  }
  RandomExplosion(gfx);
  if (!gfx.BeginFrame()) return;
  gfx.Begin2D();

  // Purple takes the green out of the picture.
  glColor3f(1, 0, 1);
  DrawBackground();
  Game.Explosions->Animate();

  const ZrTexts& texts = Texts();
  glColor3f(1, 0, 0);
  gfx.PrintAt(200, 200, (texts.YouScored + IntToText(Game.Score) + texts.Points).c_str());
  gfx.PrintAt(200, 240, texts.PressSpace.c_str());
  DrawFpsLine(gfx);

  gfx.End2D();
  gfx.EndFrame();
}

void RecordsScreen() {
  ZrGfx& gfx = *Game.Gfx;
  if (gfx.Keys[VK_SPACE]) {
    gfx.Keys[VK_SPACE] = false;
    Game.GameState = gsMenu;
    return;
  }
  RandomExplosion(gfx);
  if (!gfx.BeginFrame()) return;
  gfx.Begin2D();

  glColor3f(1, 1, 1);
  DrawBackground();
  // The title goes over the background, where it can be seen.
  const ZrTexts& texts = Texts();
  gfx.PrintAt(50, 50, texts.GameTitle.c_str());
  Game.Explosions->Animate();

  glColor3f(1, 0, 0);
  gfx.PrintAt(200, 200, (texts.BestResult + IntToText(Game.BestScore)).c_str());
  gfx.PrintAt(200, 240, texts.PressSpace.c_str());
  DrawFpsLine(gfx);

  gfx.End2D();
  gfx.EndFrame();
}
