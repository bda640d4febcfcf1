// The arctangent the world's headings are made from, the same on every system.
#pragma once

// atan(x), rounded to the nearest double: the value glibc gives, computed here in plain
// IEEE double arithmetic so that the Windows runtime, whose atan is less exact, gives the
// same. NaN stays NaN, ±0 stays ±0, and ±infinity gives ±pi/2 rounded to double.
double ArcTan(double x);
