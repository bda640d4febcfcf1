// The game's pictures, each painted from nothing but code and fixed seeds. Each
// function gives the finished picture, row 0 at the top, ready to be written.
#pragma once

#include "canvas.h"

// The battlefield behind every screen, stretched over the whole window.
Canvas PaintBattlefield();

// The player's base: the concrete emplacement (never turned), the turret platform
// (turned), the turret ring (never turned) and the turret with its gun (turned).
Canvas PaintBaseBody();
Canvas PaintBasePlatform();
Canvas PaintBaseRing();
Canvas PaintBaseTurret();

// An enemy tank, front and gun to the right: hull, wrecked hull, turret, commander's
// cupola (never turned) and the hatch with its machine gun.
Canvas PaintEnemyHull();
Canvas PaintEnemyWreck();
Canvas PaintEnemyTurret();
Canvas PaintEnemyCupola();
Canvas PaintEnemyHatch();

// Light and smoke: the fireball, the flame of an explosion and a puff of smoke.
Canvas PaintFireball();
Canvas PaintFlame();
Canvas PaintSmoke();
