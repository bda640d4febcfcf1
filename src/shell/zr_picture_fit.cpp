#include "shell/zr_picture_fit.h"

ZrPictureRect FitPicture(int32_t clientWidth, int32_t clientHeight, int32_t pictureWidth, int32_t pictureHeight) {
  if (clientWidth <= 0 || clientHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return {};
  const int64_t cw = clientWidth, ch = clientHeight, pw = pictureWidth, ph = pictureHeight;
  int64_t w = cw, h = ch;
  // The side that runs out first sets the scale; the other is rounded to whole pixels,
  // which never makes it longer than the client's side.
  if (cw * ph >= ch * pw) {
    w = (2 * ch * pw + ph) / (2 * ph);
  } else {
    h = (2 * cw * ph + pw) / (2 * pw);
  }
  return {static_cast<int32_t>((cw - w) / 2), static_cast<int32_t>((ch - h) / 2), static_cast<int32_t>(w),
          static_cast<int32_t>(h)};
}

bool IsWholeScale(const ZrPictureRect& rect, int32_t pictureWidth, int32_t pictureHeight) {
  if (rect.Width <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return false;
  const int32_t scale = rect.Width / pictureWidth;
  return rect.Width == scale * pictureWidth && rect.Height == scale * pictureHeight;
}

int32_t ClientToPicture(int32_t client, int32_t start, int32_t size, int32_t pictureSize) {
  if (size <= 0 || pictureSize <= 0) return 0;
  const int64_t offset = int64_t{client} - start;
  if (offset < 0) return 0;
  if (offset >= size) return pictureSize - 1;
  // The picture pixel under the centre of the client pixel.
  return static_cast<int32_t>((2 * offset + 1) * pictureSize / (2 * int64_t{size}));
}
