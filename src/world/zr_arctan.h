// The arctangent the world's headings are made from, the same on every system.
#pragma once

// atan(x) rounded to the nearest double, computed in plain IEEE double arithmetic, so
// that Linux and Windows agree to the last bit. Their C libraries do not: the Windows
// runtime's atan is often one ulp off; glibc's is off only where atan(x) lies a hair
// from halfway between two doubles, so the float headings made from it are glibc's.
// NaN stays NaN, ±0 stays ±0, and ±infinity gives ±pi/2 rounded to double.
double ArcTan(double x);
