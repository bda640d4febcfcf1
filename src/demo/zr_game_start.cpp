#include "demo/zr_game_start.h"

#include <algorithm>
#include <iterator>

#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_random.h"
#include "world/zr_base.h"

ZrDemoStart CaptureGameStart(const ZrGfx& gfx) {
  ZrDemoStart s;
  s.RandomState = RandomState();
  s.MenuIndex = Game.MenuIndex;
  s.Active = gfx.Active;
  s.LeftDown = gfx.LeftDown;
  s.RightDown = gfx.RightDown;
  std::copy(std::begin(gfx.Keys), std::end(gfx.Keys), std::begin(s.Keys));
  s.MouseX = gfx.MouseX;
  s.MouseY = gfx.MouseY;
  s.LastTick = gfx.LastTick;
  s.Fps = gfx.Fps;
  s.FpsElapsed = gfx.FpsElapsed;
  s.FpsFrames = gfx.FpsFrames;
  // The base keeps its place and its turret from one battle to the next.
  if (const ZrBase* base = Game.Base.get()) {
    s.BaseX = base->X;
    s.BaseY = base->Y;
    s.BaseTurret = base->TurretAngle;
  }
  return s;
}

void RestoreGameStart(ZrGfx& gfx, const ZrDemoStart& s, uint32_t bestScore) {
  SetRandomState(s.RandomState);
  Game.MenuIndex = s.MenuIndex;
  Game.BestScore = bestScore;
  Game.GameState = gsNewGame;
  gfx.Active = s.Active;
  gfx.LeftDown = s.LeftDown;
  gfx.RightDown = s.RightDown;
  std::copy(std::begin(s.Keys), std::end(s.Keys), std::begin(gfx.Keys));
  gfx.MouseX = s.MouseX;
  gfx.MouseY = s.MouseY;
  gfx.LastTick = s.LastTick;
  gfx.Fps = s.Fps;
  gfx.FpsElapsed = s.FpsElapsed;
  gfx.FpsFrames = s.FpsFrames;
  if (ZrBase* base = Game.Base.get()) {
    base->X = s.BaseX;
    base->Y = s.BaseY;
    base->TurretAngle = s.BaseTurret;
  }
}
