// The menu: moving the selection, choosing, and what a frame of it shows.
#include <gtest/gtest.h>

#include "gl_fixture.h"
#include "screens_fixture.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_winmsg.h"

namespace {

struct Menu : ::testing::Test {
  void SetUp() override {
    ResetGame();
    Game.GameState = gsMenu;
  }
  void TearDown() override { ResetGame(); }
};

}  // namespace

TEST_F(Menu, ArrowsWrapAroundOneItemPerKeyDownOnPassesThatDraw) {
  ZrGfx& g = TestGfx();
  PostKeyDown(VK_UP);
  MenuScreen();  // takes the message: the flag waits for a pass that draws
  EXPECT_TRUE(g.Keys[VK_UP]);
  EXPECT_EQ(Game.MenuIndex, 0);
  RunPasses(2);  // up from "Играть" selects "Выход", once
  EXPECT_EQ(Game.MenuIndex, 2);
  EXPECT_FALSE(g.Keys[VK_UP]);

  PostKeyDown(VK_DOWN);
  RunPasses(2);  // down from "Выход" selects "Играть"
  EXPECT_EQ(Game.MenuIndex, 0);

  g.Keys[VK_UP] = g.Keys[VK_DOWN] = true;  // both on one pass: used up, no move
  MenuScreen();
  EXPECT_FALSE(g.Keys[VK_UP] || g.Keys[VK_DOWN]);
  EXPECT_EQ(Game.MenuIndex, 0);
  EXPECT_EQ(Game.GameState, gsMenu);
}

TEST_F(Menu, EnterChoosesTheMovedSelectionAndStaysSet) {
  ZrGfx& g = TestGfx();
  const struct {
    uint8_t from;
    uintptr_t arrow;
    ZrGameState state;
  } cases[] = {{0, VK_DOWN, gsRecords}, {1, VK_DOWN, gsQuit}, {1, VK_UP, gsNewGame}, {0, VK_UP, gsQuit}};
  for (const auto& c : cases) {
    Game.GameState = gsMenu;
    Game.MenuIndex = c.from;
    g.Keys[c.arrow] = g.Keys[VK_RETURN] = true;
    MenuScreen();
    EXPECT_EQ(Game.GameState, c.state);
    EXPECT_TRUE(g.Keys[VK_RETURN]);
  }
  // Still held when the menu comes back, Enter chooses again on the first pass that draws.
  Game.GameState = gsMenu;
  Game.MenuIndex = 1;
  PostMouseMove(5, 5);
  MenuScreen();
  EXPECT_EQ(Game.GameState, gsMenu);
  MenuScreen();
  EXPECT_EQ(Game.GameState, gsRecords);
}

TEST_F(Menu, RedTitleWhiteStoryAndTheSelectedItemRed) {
  TempGameDir dir;
  LoadGame();
  Game.MenuIndex = 1;
  MenuScreen();
  EXPECT_TRUE(IsColour(ReadPixel(700, 50), PlainGrey, PlainGrey, PlainGrey)) << "background in white light";
  EXPECT_GT(CountColour(50, 600 - 50 - 4, 200, 18, 255, 0, 0), 50) << "title";
  EXPECT_EQ(CountColour(50, 600 - 50 - 4, 200, 18, 255, 255, 255), 0) << "title";
  EXPECT_GT(CountColour(50, 600 - 70 - 4, 200, 16, 255, 255, 255), 50) << "subtitle";
  EXPECT_GT(CountColour(20, 600 - 430 - 4, 200, 16, 255, 255, 255), 50) << "last story line";
  for (int item = 0; item < 3; ++item) {
    const int y = 600 - (200 + 20 * item) - 4;
    EXPECT_EQ(CountColour(500, y, 120, 16, 255, 0, 0) > 30, item == 1) << item;
    EXPECT_EQ(CountColour(500, y, 120, 16, 255, 255, 255) > 30, item != 1) << item;
  }
}
