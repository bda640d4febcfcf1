// Building the world: once at start, again before every battle, and freeing it at the end.
#pragma once

// Best score, background, pictures and every world object; then the menu.
void LoadGame();
// New enemies and fireballs, no explosions, score 0, base health 100; then the battle.
void NewGame();
// Releases the world while the GL context is still current, and forgets it.
void FreeGame();
