// A fingerprint of the pictures the game loads, so that a demo recorded with other
// pictures can say so before it plays.
#pragma once

#include <cstdint>
#include <string>

// FNV-1a over the name and bytes of every .tga file in folder but the window's icon, in
// name order. A folder that cannot be read gives the hash of what could be.
uint64_t DataFolderHash(const std::string& folder);
