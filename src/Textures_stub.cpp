// Temporary loader until the TGA decoder exists.
#include "Textures.h"
void LoadTextureFile(const std::string&, ZrGLName&) {}
