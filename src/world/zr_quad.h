// The textured square that the base, the tanks and the fireballs draw their sprites on.
#pragma once

#include "shell/zr_types.h"

// Compiles a new display list with one square of side 2 * half centred on the origin,
// texture coordinate (0, 0) at the bottom left, corners counter-clockwise from there.
ZrGLName CompileSpriteQuad(float half);
