// A 64-bit fingerprint of the game's state after a pass: what a demo checks, frame by
// frame, to know that a run played again is the run that was recorded.
#pragma once

#include <cstdint>

// The screen, the menu selection, the score and the best score, the base, every tank,
// fireball, explosion and particle, and the random generator. Floats count by their
// bits, so the smallest difference shows.
uint64_t GameStateHash();
