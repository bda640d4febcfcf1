// One offscreen window, GL context and font shared by every GL test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class ZrGfx;

class GlEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// The shared ZrGfx, opened 800 x 600 with its font, hooked to GameWndProc and Game.Gfx.
ZrGfx& TestGfx();

// Drops every pending message and restores the input and frame fields of TestGfx.
void ResetTestGfx();

// A rectangle of the back buffer, x and y from the bottom left, as rows of RGB bytes.
std::vector<uint8_t> ReadRect(int x, int y, int width, int height);
// Counts the pixels of a rectangle (x, y from the bottom) that are not black.
int CountLitPixels(int x, int y, int width, int height);
// Counts the pixels of a rectangle near a colour (a little tolerance for rounding).
int CountColour(int x, int y, int width, int height, int r, int g, int b);
inline bool PixelIs(int x, int y, int r, int g, int b) { return CountColour(x, y, 1, 1, r, g, b) == 1; }
