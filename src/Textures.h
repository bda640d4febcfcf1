// Textures: TGA image files turned into mipmapped OpenGL textures.
#pragma once

#include <cstdint>
#include <string>

#include "zr_types.h"

// Loads one TGA file into a new texture and writes its name into texture. A file the
// loader cannot use is reported in a "TGA File Error" box and texture keeps its value.
// A missing or unreadable file throws EInOutError.
void LoadTextureFile(const std::string& fileName, ZrGLName& texture);
