// The main loop: pass after pass, one step of the current GameState each.
#pragma once

class ZrGfx;

// Runs passes until gfx.Terminated is set: one step of the current state per pass
// while the window is active, one window message per pass while it is not.
void MainLoop(ZrGfx& gfx);
// One pass of the loop with an active window: the step of the current GameState.
void RunGameStep();
