// The texts the screens draw, as the Windows-1251 bytes the bitmap font expects.
#pragma once

#include <cstdint>
#include <string>

// One line of the menu's title block: where PrintAt puts it (y from the top) and its bytes.
struct ZrTextLine {
  int32_t X;
  int32_t Y;
  std::string Text;
};

struct ZrTexts {
  ZrTextLine Title;     // drawn red
  ZrTextLine Subtitle;  // drawn white, like the story
  ZrTextLine Story[16];
  std::string MenuItems[3];  // "Играть", "Рекорды", "Выход", in MenuIndex order
  std::string ScoreLabel;    // battle head-up display, before the score
  std::string FpsLabel;
  std::string YouScored;  // game over: "Вы набрали " + score + Points
  std::string Points;
  std::string PressSpace;
  std::string BestResult;  // records: label before the best score
  std::string GameTitle;   // the window's title, shown on the records screen
};

// The texts, converted from their UTF-8 source once, on first use.
const ZrTexts& Texts();
