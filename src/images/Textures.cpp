#include "images/Textures.h"

#include <cstdint>

#include "images/tga_file.h"
#include "platform/zr_gl.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_report.h"

ZrGLName MakeMipmappedTexture(uint16_t width, uint16_t height, uint32_t format, const void* pixels) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // Modulated by the current colour: sprites are tinted and faded through glColor.
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Decoded rows carry no padding; with the default alignment of 4 a 24-bit image
  // whose width is not a multiple of 4 would be read skewed.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint components = format == GL_RGBA ? GL_RGBA : 3;
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return name;
}

bool ReadTgaImage(const std::string& fileName, ZrGLName& texture) {
  TgaImage image;
  // The file is closed before a refusal is shown. A side beyond GL_MAX_TEXTURE_SIZE is
  // no refusal: gluBuild2DMipmaps scales the image down.
  const int message = ReadTgaFile(fileName, TgaLimits{}, image);
  if (message != TgaOk) {
    ShowMessage("TGA File Error", TgaMessageText(message, fileName), false);
    return false;
  }
  const GLenum format = image.BytesPerPixel == 3 ? GL_RGB : GL_RGBA;
  texture = MakeMipmappedTexture(image.Width, image.Height, format, image.Pixels.data());
  return true;
}

// A game that is never shown needs no pictures: its world's sizes are its own, whatever
// the files hold, so nothing is read and the texture stays 0.
void LoadTextureFile(const std::string& fileName, ZrGLName& texture) {
  if (Game.Gfx != nullptr && Game.Gfx->Headless) return;
  ReadTgaImage(fileName, texture);
}
