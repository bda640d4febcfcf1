// The shared geometry of the world: headings, steps, the arrival test, a fast distance.
#pragma once

#include <cstdint>

double DegToRad(double a);
// Degrees from (x1, y1) to (x2, y2), counter-clockwise on the screen (y grows downwards).
float Heading(float x1, float y1, float x2, float y2);
// Moves (x, y) distance pixels along angle.
void StepAlong(float& x, float& y, float angle, float distance);
// StepAlong towards a target, telling whether the step carried the point past it: the
// way to the target no longer points the same way as before the step.
bool StepAlongPast(float& x, float& y, float angle, float distance, float targetX, float targetY);
// The per-axis arrival test of a fireball.
bool CoordReached(float a, float b, float s);
// An integer approximation of the length of (dx, dy), without a square root.
int32_t FastDistance(int32_t dx, int32_t dy);
