#include "world/zr_weapon.h"

#include <cmath>

#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "world/zr_base.h"
#include "world/zr_collision.h"
#include "world/zr_expl.h"
#include "world/zr_monst.h"
#include "world/zr_utils.h"

ZrWeapon::ZrWeapon(ZrGfx& gfx) : Gfx(gfx) {}

void ZrWeapon::Launch(float x0, float y0, float x1, float y1) {
  X = x0;
  Y = y0;
  TargetX = x1;
  TargetY = y1;
  Speed = 20.0f;
  InFlight = true;
  Crossings = 0;
}

void ZrWeapon::Fly() {
  const uint32_t fps = Gfx.GetFps();
  Game.WeaponStep = static_cast<float>(fps * static_cast<double>(Speed) / 1000.0);
  const float step = Game.WeaponStep;

  // Arrival is tested per axis with a window that grows with the step. A long step can
  // jump across that window on every frame and carry the fireball to and fro across its
  // target for good; a fireball that has crossed its target twice without the test
  // firing bursts where it is. So does one standing on its target untaken: there is no
  // heading to step along from there.
  const bool reached = CoordReached(X, TargetX, step / 2) && CoordReached(Y, TargetY, step / 2);
  const bool onTarget = X == TargetX && Y == TargetY;
  if (reached || Crossings >= 2 || onTarget) {
    InFlight = false;
    Game.Explosions->AddExplosion(5, X, static_cast<float>(static_cast<double>(Gfx.Height) - Y), 1.0f);

    // The blast falls off linearly with the distance, and spares nobody: not even the
    // base it was fired from.
    ZrBase& b = *Game.Base;
    const int32_t baseDistance = FastDistance(RoundToInt32(static_cast<double>(X) - b.X),
                                              RoundToInt32(static_cast<double>(Y) - b.Y));
    const float baseRange = static_cast<float>(b.Size + 64);
    if (static_cast<float>(baseDistance) < baseRange) b.Health = b.Health - (baseRange - static_cast<float>(baseDistance));

    ZrMonstList& monsters = *Game.Monsters;
    const int32_t n = monsters.Count;  // tanks added by this burst are not hit by it
    for (int32_t i = 0; i < n; ++i) {
      ZrMonst& t = *monsters.Items[static_cast<size_t>(i)];
      const int32_t d = FastDistance(RoundToInt32(static_cast<double>(X) - t.X),
                                     RoundToInt32(static_cast<double>(Y) - t.Y));
      const float range = static_cast<float>(t.Size + 64);
      if (static_cast<float>(d) < range) t.Health = t.Health - (range - static_cast<float>(d));
      if (!(t.Health > 0.0f)) {
        // Every kill brings the tank back at the edge, and one more with it.
        t.Spawn();
        monsters.AddMonster();
        ++Game.Score;
      }
    }
  }

  const float h = Heading(X, Y, TargetX, TargetY);
  // A fireball on its target has no heading; it stays where it burst.
  if (!std::isnan(h) && StepAlongPast(X, Y, h, step, TargetX, TargetY)) ++Crossings;
  SpinAngle = SpinAngle + step * 2;
}
