// The game's frame shown in a client area of another size. The frame is drawn as ever,
// at the game's own size in the lower-left corner of the back buffer; before the swap it
// is copied into a texture and drawn again, scaled, over the whole buffer. The bitmap
// font, the lines and every sprite thus scale alike and keep their places on the picture.
#pragma once

#include <cstdint>

#include "shell/zr_picture_fit.h"

class ZrScaledFrame {
 public:
  // Shows the pictureWidth x pictureHeight frame of the back buffer in rect of a client
  // area of clientWidth x clientHeight, black around it: pixel for pixel at a whole-number
  // scale, smoothly otherwise. The client area must hold the frame. Leaves the GL state,
  // matrices and bindings as it found them.
  void Present(const ZrPictureRect& rect, int32_t clientWidth, int32_t clientHeight, int32_t pictureWidth,
               int32_t pictureHeight);
  // Deletes the texture; needs the GL context.
  void Release();

 private:
  void MakeTexture(int32_t pictureWidth, int32_t pictureHeight);

  uint32_t Texture = 0;
  int32_t TextureSide = 0;  // a power of two, as OpenGL 1.1 needs
};
