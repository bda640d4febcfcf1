// The main loop: pass after pass, one step of the current GameState each.
#pragma once

class ZrGfx;
class ZrPassWatcher;

// Runs passes until gfx.Terminated is set: one step of the current state per pass
// while the window is active, one window message per pass while it is not. A watcher
// (a demo, a scripted player) sees each pass begin and end.
void MainLoop(ZrGfx& gfx, ZrPassWatcher* watcher = nullptr);
// One pass of the loop with an active window: the step of the current GameState.
void RunGameStep();
