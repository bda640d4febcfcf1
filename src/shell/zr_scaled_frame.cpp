#include "shell/zr_scaled_frame.h"

#include <cstddef>
#include <vector>

#include "platform/zr_gl.h"

void ZrScaledFrame::MakeTexture(int32_t pictureWidth, int32_t pictureHeight) {
  int32_t side = 1;
  while (side < pictureWidth || side < pictureHeight) side *= 2;
  if (Texture != 0 && side == TextureSide) return;
  Release();
  TextureSide = side;
  glGenTextures(1, &Texture);
  glBindTexture(GL_TEXTURE_2D, Texture);
  // Black beyond the frame and at the clamped border, so smooth scaling blends the
  // picture's edges with the black of the bars and with nothing else.
  const std::vector<uint8_t> black(static_cast<std::size_t>(side) * side * 4, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, black.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
}

void ZrScaledFrame::Present(const ZrPictureRect& rect, int32_t clientWidth, int32_t clientHeight,
                            int32_t pictureWidth, int32_t pictureHeight) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  MakeTexture(pictureWidth, pictureHeight);
  glBindTexture(GL_TEXTURE_2D, Texture);
  glReadBuffer(GL_BACK);  // the frame just drawn, not yet swapped
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, pictureWidth, pictureHeight);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, clientWidth, 0, clientHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  glViewport(0, 0, clientWidth, clientHeight);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);

  const GLint filter = IsWholeScale(rect, pictureWidth, pictureHeight) ? GL_NEAREST : GL_LINEAR;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_TEXTURE_2D);
  const float u = static_cast<float>(pictureWidth) / static_cast<float>(TextureSide);
  const float v = static_cast<float>(pictureHeight) / static_cast<float>(TextureSide);
  // The rectangle counts y from the top; GL from the bottom.
  const float left = static_cast<float>(rect.X), right = static_cast<float>(rect.X + rect.Width);
  const float bottom = static_cast<float>(clientHeight - rect.Y - rect.Height);
  const float top = bottom + static_cast<float>(rect.Height);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(left, bottom);
  glTexCoord2f(u, 0);
  glVertex2f(right, bottom);
  glTexCoord2f(u, v);
  glVertex2f(right, top);
  glTexCoord2f(0, v);
  glVertex2f(left, top);
  glEnd();

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

void ZrScaledFrame::Release() {
  if (Texture != 0) glDeleteTextures(1, &Texture);
  Texture = 0;
  TextureSide = 0;
}
