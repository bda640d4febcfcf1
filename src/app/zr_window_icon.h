// The game's icon on its window, from the same art as the installed icons.
#pragma once

// The file the icon is read from, in the game's folder.
inline constexpr const char* WindowIconFile = "data/icon.tga";

// Puts the picture of WindowIconFile on the window. The icon is no part of the game
// itself: a file that is missing, unreadable or refused is passed over without a word.
void PutIconOnWindow();
