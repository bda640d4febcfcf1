// Previews of the art as the game shows it: sprites at their drawn sizes, turned,
// tinted and blended the way the game does, over the stretched battlefield.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Texture {
  int W = 0, H = 0;
  std::vector<uint8_t> Rgba;  // straight 8-bit RGBA, row 0 at the top
};

// Writes sheet_battle.png (a battle scene, 800 x 600) and sheet_sprites.png (every
// sprite enlarged over the ground) into dir. textures are keyed by file name.
bool WriteContactSheets(const std::map<std::string, Texture>& textures, const std::string& dir);
