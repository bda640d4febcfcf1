// The battle screen: its two inputs and the frame it draws.
#include <gtest/gtest.h>

#include <memory>

#include "gl_fixture.h"
#include "screens_fixture.h"
#include "zr_base.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_weapon.h"
#include "zr_winmsg.h"

namespace {

struct Battle : ::testing::Test {
  std::unique_ptr<TempGameDir> dir = std::make_unique<TempGameDir>();
  void SetUp() override {
    ResetGame();
    // A clock that stands still: the frame-rate reading stays 0, so nothing moves by itself.
    TestGfx().TickSource = &FakeTicks;
    LoadGame();
    NewGame();
  }
  void TearDown() override { ResetGame(); }
  static int InFlight() {
    int n = 0;
    for (const auto& w : Game.Weapons->Items) n += w->InFlight;
    return n;
  }
};

}  // namespace

TEST_F(Battle, EveryPressFiresExactlyOneFireballFromTheBase) {
  PostMouseMove(100, 120);
  Platform::PostMessage(ZrMsg{nullptr, WM_LBUTTONDOWN, 0, 0});
  RunPasses(30);  // the button stays down all along
  ASSERT_EQ(Game.Weapons->Count, 1);
  const ZrWeapon& w = *Game.Weapons->Items[0];
  EXPECT_TRUE(w.InFlight);
  EXPECT_EQ(w.X, 400.0f);
  EXPECT_EQ(w.Y, 300.0f);
  EXPECT_EQ(w.TargetX, 100.0f);
  EXPECT_EQ(w.TargetY, 120.0f);  // counted from the top, as the mouse is
  Platform::PostMessage(ZrMsg{nullptr, WM_LBUTTONUP, 0, 0});

  for (int i = 0; i < 10; ++i) PostLeftClick();  // ten presses while all fly: ten appended
  RunPasses(40);
  EXPECT_EQ(Game.Weapons->Count, 11);
  EXPECT_EQ(InFlight(), 11);
}

TEST_F(Battle, UpArrowMovesTheBaseOneStepPerKeyDownWithoutBound) {
  ZrGfx& g = TestGfx();
  for (int i = 0; i < 3; ++i) PostKeyDown(VK_UP);  // held: auto-repeated key-downs
  RunPasses(8);
  EXPECT_EQ(Game.Base->Y, 300.0f - 1.1f - 1.1f - 1.1f);
  EXPECT_EQ(Game.Base->X, 400.0f);

  g.Keys[VK_DOWN] = g.Keys[VK_LEFT] = g.Keys[VK_RIGHT] = true;  // no other key moves it
  Game.Base->Y = 0.5f;
  g.Keys[VK_UP] = true;
  BattleScreen();
  EXPECT_EQ(Game.Base->Y, 0.5f - 1.1f);  // off the top: nothing holds it back
  EXPECT_EQ(Game.Base->X, 400.0f);
}

TEST_F(Battle, TheFrameThatEndsTheBattleIsDrawnCompletely) {
  TestGfx().MouseX = 200;
  TestGfx().MouseY = 150;
  Game.Base->Health = 0.0f;
  BattleScreen();
  EXPECT_EQ(Game.GameState, gsGameOver);
  EXPECT_TRUE(IsColour(ReadPixel(600, 300), PlainGrey, PlainGrey, PlainGrey)) << "background";
  EXPECT_GT(CountColour(8, 8, 25, 95, 255, 255, 0), 100) << "health bar";
  EXPECT_GT(CountColour(10, 600 - 20 - 4, 100, 18, 255, 0, 0), 30) << "score line";
  EXPECT_GT(CountColour(700, 600 - 590 - 4, 100, 18, 255, 255, 0), 30) << "FPS line";
  // The cross-hair: a hollow white diamond around the mouse (y from the bottom).
  EXPECT_TRUE(IsColour(ReadPixel(195, 445), 255, 255, 255));
  EXPECT_TRUE(IsColour(ReadPixel(205, 455), 255, 255, 255));
  EXPECT_TRUE(IsColour(ReadPixel(200, 450), PlainGrey, PlainGrey, PlainGrey));
  EXPECT_EQ(CountColour(180, 430, 41, 8, 255, 255, 255), 0);
}

TEST_F(Battle, TheBackgroundTakesTheColourLeftByTheFrameBefore) {
  Game.GameState = gsMenu;
  Game.MenuIndex = 2;  // "Выход", the last text of the menu, drawn red
  MenuScreen();
  NewGame();
  BattleScreen();
  EXPECT_TRUE(IsColour(ReadPixel(600, 300), PlainGrey, 0, 0));
  BattleScreen();  // from then on, the cross-hair's white
  EXPECT_TRUE(IsColour(ReadPixel(600, 300), PlainGrey, PlainGrey, PlainGrey));
}
