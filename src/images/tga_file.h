// Reading a TGA file from the disk into a decoded image, for textures and the window's icon.
#pragma once

#include <string>

#include "images/tga_image.h"

// Reads, checks and decodes the file; the file is closed again when this returns. A file
// the decoder refuses gives its message number and leaves image empty; a file that is
// missing or cannot be read throws EInOutError naming fileName as given.
int ReadTgaFile(const std::string& fileName, const TgaLimits& limits, TgaImage& image);
