// The steps the main loop runs in each screen's GameState.
#pragma once

#include <cstdint>

void MenuScreen();
void BattleScreen();
void GameOverScreen();
void RecordsScreen();

// The battle's picture, also under the game-over screen's text.
void DrawBattle();
void DrawCrossHair(int32_t x, int32_t y);
