// Small numeric and text helpers.
#pragma once

#include <cstdint>
#include <string>

// Nearest integer, ties to even. NaN, infinities and values beyond 64 bits give the
// most negative 64-bit value, as the processor's own conversion does.
int64_t Round(double v);
// A Round result narrowed to 32 bits the way the hardware does it (two's complement).
int32_t RoundToInt32(double v);
// The decimal text of n, with "-" for negatives.
std::string IntToText(int64_t n);
