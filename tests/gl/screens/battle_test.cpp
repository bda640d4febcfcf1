// The battle screen: its two inputs and the frame it draws.
#include <tuple>

#include "gl/screens_fixture.h"

using Battle = ScreenTest;

TEST_F(Battle, EveryPressFiresOneFireballFromTheBaseAndEveryUpKeyDownMovesItOneStepWithoutBound) {
  Game.GameState = gsBattle;
  PostClick(100, 120);  // a click, then a press held down all along: one fireball each
  Post(WM_LBUTTONDOWN);
  RunPasses(30);
  ASSERT_EQ(Game.Weapons->Count, 2);
  const ZrWeapon& w = *Game.Weapons->Items[1];
  EXPECT_TRUE(w.InFlight);
  // From the base to the mouse, counted from the top as the mouse is.
  EXPECT_EQ(std::tuple(w.X, w.Y, w.TargetX, w.TargetY), std::tuple(400.0f, 300.0f, 100.0f, 120.0f));
  Post(WM_LBUTTONUP);

  for (int i = 0; i < 10; ++i) PostClick(100, 120);  // ten presses while all fly: ten appended
  RunPasses(50);
  EXPECT_EQ(Game.Weapons->Count, 12);
  for (const auto& fireball : Game.Weapons->Items) EXPECT_TRUE(fireball->InFlight);

  for (int i = 0; i < 3; ++i) Post(WM_KEYDOWN, VK_UP);  // held: auto-repeated key-downs
  RunPasses(8);
  EXPECT_EQ(Game.Base->Y, 300.0f - 1.1f - 1.1f - 1.1f);
  for (uintptr_t key : {VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP}) TestGfx().Keys[key] = true;  // only Up moves it
  Game.Base->Y = 0.5f;
  BattleScreen();
  EXPECT_TRUE(Game.Base->Y == 0.5f - 1.1f && Game.Base->X == 400.0f);  // off the top: nothing holds it back
}

TEST_F(Battle, TheFrameThatEndsTheBattleIsDrawnCompletelyOverTheColourLeftBefore) {
  Game.MenuIndex = 2;  // "Выход", the last text of the menu, drawn red
  MenuScreen();
  TestGfx().MouseX = 200;
  TestGfx().MouseY = 150;
  Game.Base->Health = 0.0f;
  BattleScreen();
  EXPECT_EQ(Game.GameState, gsGameOver);
  EXPECT_TRUE(PixelIs(600, 300, PlainGrey, 0, 0)) << "the background in the menu's last red";
  EXPECT_GT(CountColour(10, 600 - 20 - 4, 100, 18, 255, 0, 0), 30) << "score line";
  EXPECT_GT(CountColour(700, 600 - 590 - 4, 100, 18, 255, 255, 0), 30) << "FPS line";
  // The cross-hair: a hollow white diamond around the mouse (y from the bottom).
  EXPECT_TRUE(PixelIs(195, 445, 255, 255, 255));
  EXPECT_TRUE(PixelIs(205, 455, 255, 255, 255));
  EXPECT_TRUE(PixelIs(200, 450, PlainGrey, 0, 0));
  EXPECT_EQ(CountColour(180, 430, 41, 8, 255, 255, 255), 0);
  BattleScreen();  // from then on, in the cross-hair's white
  EXPECT_TRUE(PixelIs(600, 300, PlainGrey, PlainGrey, PlainGrey));
}
