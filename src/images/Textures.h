// Textures: TGA image files turned into mipmapped OpenGL textures.
#pragma once

#include <cstdint>
#include <string>

#include "shell/zr_types.h"

// Loads one TGA file into a new texture and writes its name into texture. A file the
// loader cannot use is reported in a "TGA File Error" box and texture keeps its value.
// A missing or unreadable file throws EInOutError.
void LoadTextureFile(const std::string& fileName, ZrGLName& texture);

// The worker behind LoadTextureFile: reads, checks and decodes the file and makes the
// texture; true when a texture was made.
bool ReadTgaImage(const std::string& fileName, ZrGLName& texture);

// Creates a texture with its full mipmap chain from a decoded image (rows bottom first,
// no padding); format is GL_RGB or GL_RGBA. The new texture stays bound.
ZrGLName MakeMipmappedTexture(uint16_t width, uint16_t height, uint32_t format, const void* pixels);
