// The trigonometry the world's headings and steps are made from, the same on every
// system. Each function gives the exact value rounded to the nearest double, computed in
// plain IEEE double arithmetic, so that Linux and Windows agree to the last bit. Their C
// libraries do not: the Windows runtime's atan is often one ulp off, and its sin and cos
// (the x87 fsincos instruction, with a 66-bit pi) are far off near multiples of pi: a
// tank heading straight left along y = 0 ends up at another tiny y. glibc's are off only
// where the value lies a hair from halfway between two doubles, so the floats the game
// makes from them are glibc's.
#pragma once

// atan(x). NaN stays NaN, ±0 stays ±0, and ±infinity gives ±pi/2 rounded to double.
double ArcTan(double x);

// sin(r) and cos(r), for the angles of the game (|r| up to 2^20 radians; beyond, the C
// library's). NaN and ±infinity give NaN, as r - r.
void SinCos(double r, double& s, double& c);
