// Types and constants shared by every module of the game.
#pragma once

#include <cstdint>

// The one-byte state that the main loop dispatches on. 2 is never used.
using ZrGameState = uint8_t;
inline constexpr ZrGameState gsLoading = 0;
inline constexpr ZrGameState gsMenu = 1;
inline constexpr ZrGameState gsRecords = 3;
inline constexpr ZrGameState gsBattle = 4;
inline constexpr ZrGameState gsGameOver = 5;
inline constexpr ZrGameState gsQuit = 6;
inline constexpr ZrGameState gsNewGame = 7;

// OpenGL object names: 0 means none.
using ZrGLName = uint32_t;
