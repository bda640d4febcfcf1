// The game's pictures, each painted from nothing but code and fixed seeds. Each
// function gives the finished picture, row 0 at the top, ready to be written.
#pragma once

#include "canvas.h"

// The battlefield behind every screen, stretched over the whole window.
Canvas PaintBattlefield();

// The player's base: the concrete emplacement (never turned), the turret platform
// (turned), the turret ring (never turned) and the turret with its gun (turned).
// Each is painted on texels x texels covering drawn x drawn pixels of the game, centred;
// the defaults are the game's textures. The icon paints them larger, in one frame.
Canvas PaintBaseBody(int texels = 64, float drawn = 64);
Canvas PaintBasePlatform(int texels = 64, float drawn = 44);
Canvas PaintBaseRing(int texels = 64, float drawn = 44);
Canvas PaintBaseTurret(int texels = 64, float drawn = 64);

// An enemy tank, front and gun to the right: hull, wrecked hull, turret, commander's
// cupola (never turned) and the hatch with its machine gun.
Canvas PaintEnemyHull();
Canvas PaintEnemyWreck();
Canvas PaintEnemyTurret();
Canvas PaintEnemyCupola();
Canvas PaintEnemyHatch();

// Light and smoke: the fireball, the flame of an explosion and a puff of smoke.
// The fireball's texels and drawn size as for the base.
Canvas PaintFireball(int texels = 32, float drawn = 16);
Canvas PaintFlame();
Canvas PaintSmoke();

// The game's icon, n x n on a transparent ground: the base as a battle shows it, its gun
// turned to the top right. Straight 8-bit RGBA, row 0 at the top.
std::vector<uint8_t> PaintIcon(int n);
