// The menu: moving the selection and choosing. What a frame of it shows is checked
// end to end, on the real game's pictures.
#include <tuple>

#include "gl/screens_fixture.h"

using Menu = ScreenTest;

TEST_F(Menu, ArrowsWrapAroundOneItemPerKeyDownAndEnterActsOnTheMovedSelection) {
  ZrGfx& g = TestGfx();
  ASSERT_EQ(Game.GameState, gsMenu);  // loaded without "bs.zrt", as in a fresh installation
  Post(WM_KEYDOWN, VK_UP);
  MenuScreen();  // takes the message: the flag waits for a pass that draws
  EXPECT_TRUE(g.Keys[VK_UP] && Game.MenuIndex == 0);
  RunPasses(2);  // up from "Играть" selects "Выход", once
  EXPECT_TRUE(Game.MenuIndex == 2 && !g.Keys[VK_UP]);

  for (auto [from, arrow, state] : {std::tuple<uint8_t, uintptr_t, ZrGameState>{2, VK_DOWN, gsNewGame},
                                     {0, VK_DOWN, gsRecords}, {1, VK_DOWN, gsQuit}, {1, VK_UP, gsNewGame}}) {
    Game.GameState = gsMenu;
    Game.MenuIndex = from;
    g.Keys[arrow] = g.Keys[VK_RETURN] = true;
    MenuScreen();
    EXPECT_TRUE(Game.GameState == state && !g.Keys[arrow]) << int{from} << " " << arrow;
    EXPECT_TRUE(g.Keys[VK_RETURN]) << "Enter stays set";
  }
}

TEST_F(Menu, AStillMenuIsDrawnOnceAndAgainOnlyForANewSelectionOrASpoiltPicture) {
  ZrGfx& g = TestGfx();
  const uint64_t start = g.FramesShown;
  RunPasses(5);
  EXPECT_EQ(g.FramesShown - start, 1u) << "drawn once, then left on screen";

  // Down: the key-down's pass, the pass that reads it, then one frame with "Рекорды" red.
  Post(WM_KEYDOWN, VK_DOWN);
  RunPasses(5);
  EXPECT_TRUE(Game.MenuIndex == 1 && g.FramesShown - start == 2u);
  EXPECT_GT(CountColour(500, 600 - 220 - 4, 60, 14, 255, 0, 0), 20) << "the new selection is red";

  // Uncovered, resized, restored: one frame each.
  for (auto [message, wParam, lParam] : {std::tuple<uint32_t, uintptr_t, intptr_t>{WM_PAINT, 0, 0},
                                         {WM_SIZE, 0, MakeLParam(800, 600)}, {WM_ACTIVATE, WA_ACTIVE, 0}}) {
    const uint64_t before = g.FramesShown;
    Post(message, wParam, lParam);
    RunPasses(5);
    EXPECT_EQ(g.FramesShown - before, 1u) << message;
  }

  // Enter still chooses on a pass that draws nothing.
  const uint64_t before = g.FramesShown;
  g.Keys[VK_RETURN] = true;
  RunPasses(1);
  EXPECT_TRUE(g.FramesShown == before && Game.GameState == gsRecords);
}
