// The menu: moving the selection, choosing, and what a frame of it shows.
#include <tuple>

#include "screens_fixture.h"

using Menu = ScreenTest;

TEST_F(Menu, ArrowsWrapAroundOneItemPerKeyDownAndEnterActsOnTheMovedSelection) {
  ZrGfx& g = TestGfx();
  Post(WM_KEYDOWN, VK_UP);
  MenuScreen();  // takes the message: the flag waits for a pass that draws
  EXPECT_TRUE(g.Keys[VK_UP]);
  EXPECT_EQ(Game.MenuIndex, 0);
  RunPasses(2);  // up from "Играть" selects "Выход", once
  EXPECT_EQ(Game.MenuIndex, 2);
  EXPECT_FALSE(g.Keys[VK_UP]);
  Post(WM_KEYDOWN, VK_DOWN);
  RunPasses(2);  // down from "Выход" selects "Играть"
  EXPECT_EQ(Game.MenuIndex, 0);

  g.Keys[VK_UP] = g.Keys[VK_DOWN] = true;  // both on one pass: used up, no move
  MenuScreen();
  EXPECT_FALSE(g.Keys[VK_UP] || g.Keys[VK_DOWN]);
  EXPECT_EQ(Game.MenuIndex, 0);
  EXPECT_EQ(Game.GameState, gsMenu);

  for (auto [from, arrow, state] : {std::tuple<uint8_t, uintptr_t, ZrGameState>{0, VK_DOWN, gsRecords},
                                     {1, VK_DOWN, gsQuit}, {1, VK_UP, gsNewGame}, {0, VK_UP, gsQuit}}) {
    Game.GameState = gsMenu;
    Game.MenuIndex = from;
    g.Keys[arrow] = g.Keys[VK_RETURN] = true;
    MenuScreen();
    EXPECT_EQ(Game.GameState, state) << int{from} << " " << arrow;
    EXPECT_TRUE(g.Keys[VK_RETURN]) << "Enter stays set";
  }
}

TEST_F(Menu, RedTitleAndTheSelectedItemRedTheOthersWhiteOverTheWholeBackground) {
  // Loaded without "bs.zrt", as in a fresh installation: the menu all the same.
  EXPECT_EQ(Game.GameState, gsMenu);
  Game.MenuIndex = 1;
  MenuScreen();
  for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}}) {
    EXPECT_TRUE(PixelIs(x, y, PlainGrey, PlainGrey, PlainGrey)) << x << "," << y;
  }
  EXPECT_GT(CountColour(50, 600 - 50 - 4, 200, 18, 255, 0, 0), 50) << "title";
  EXPECT_EQ(CountColour(50, 600 - 50 - 4, 200, 18, 255, 255, 255), 0) << "title";
  for (int item = 0; item < 3; ++item) {
    const int y = 600 - (200 + 20 * item) - 4;
    EXPECT_EQ(CountColour(500, y, 120, 16, 255, 0, 0) > 30, item == 1) << item;
    EXPECT_EQ(CountColour(500, y, 120, 16, 255, 255, 255) > 30, item != 1) << item;
  }
}
