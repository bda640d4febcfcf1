// Where the game's picture of a fixed size goes in a client area of any size, and which
// pixel of the picture lies under a point of the client area.
#pragma once

#include <cstdint>

// A rectangle of the client area in client pixels, x from the left and y from the top.
struct ZrPictureRect {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const ZrPictureRect&) const = default;
};

// The largest rectangle of the picture's aspect ratio that fits the client area, centred,
// whole pixels; empty when either has no area (a minimised window).
ZrPictureRect FitPicture(int32_t clientWidth, int32_t clientHeight, int32_t pictureWidth, int32_t pictureHeight);

// The rectangle shows the picture at 1x, 2x, 3x... so it can be drawn pixel for pixel.
bool IsWholeScale(const ZrPictureRect& rect, int32_t pictureWidth, int32_t pictureHeight);

// Along one axis: the picture pixel under client pixel `client`, where the rectangle
// starts at `start` and spans `size` client pixels for `pictureSize` picture pixels.
// Points off the rectangle (the black bars) count as its nearest edge pixel.
int32_t ClientToPicture(int32_t client, int32_t start, int32_t size, int32_t pictureSize);
