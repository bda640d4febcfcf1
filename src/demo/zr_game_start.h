// The state a game starts from at its new game: what the best game keeps in its first
// record, so that it is one game long and plays the same whatever came before it.
#pragma once

#include "demo/zr_demo_format.h"

class ZrGfx;

// Taken just before the pass that runs NewGame.
ZrDemoStart CaptureGameStart(const ZrGfx& gfx);
// Puts a loaded game into that state, best score included: its next pass runs NewGame.
void RestoreGameStart(ZrGfx& gfx, const ZrDemoStart& start, uint32_t bestScore);
