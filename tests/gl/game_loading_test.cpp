// Building the world at start and before every battle.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "gl_fixture.h"
#include "screens_fixture.h"
#include "zr_base.h"
#include "zr_errors.h"
#include "zr_expl.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_monst.h"
#include "zr_weapon.h"
#include "zr_winmsg.h"

namespace {

struct Loading : ::testing::Test {
  std::unique_ptr<TempGameDir> dir = std::make_unique<TempGameDir>();
  void SetUp() override { ResetGame(); }
  void TearDown() override { ResetGame(); }
};

}  // namespace

TEST_F(Loading, BuildsTheWorldWithOrWithoutABestScoreFile) {
  RunPasses(1);  // a fresh installation: no "bs.zrt", and still the menu
  EXPECT_EQ(Game.GameState, gsMenu);
  EXPECT_EQ(Game.BestScore, 0u);
  EXPECT_EQ(Game.Base->X, 400.0f);
  EXPECT_EQ(Game.Base->Y, 300.0f);
  EXPECT_EQ(Game.Base->Size, 32u);
  EXPECT_EQ(Game.Base->Health, 100.0f);
  EXPECT_EQ(Game.Monsters->Count, 1);
  EXPECT_EQ(Game.Weapons->Count, 0);
  EXPECT_EQ(Game.Explosions->Count, 0);
  RunPasses(1);  // the background quad covers the window
  for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}}) {
    EXPECT_TRUE(IsColour(ReadPixel(x, y), PlainGrey, PlainGrey, PlainGrey)) << x << "," << y;
  }

  ResetGame();
  dir->PutFile("bs.zrt", "  42\r\n");
  LoadGame();
  EXPECT_EQ(Game.BestScore, 42u);

  ResetGame();  // a missing picture still stops loading, naming the file
  std::filesystem::remove(dir->Path / "data" / "smoke.tga");
  try {
    LoadGame();
    ADD_FAILURE() << "loaded without data/smoke.tga";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.FileName.find("smoke.tga"), std::string::npos) << e.what();
  }
}

TEST_F(Loading, TheSecondBattleStartsAfreshWithTheBaseWhereTheFirstLeftIt) {
  TestGfx().TickSource = &FakeTicks;  // the reading stays 0: fireballs stand still
  LoadGame();
  NewGame();
  PostKeyDown(VK_UP);
  PostMouseMove(100, 100);
  PostLeftClick();
  RunPasses(8);
  Game.Monsters->AddMonster();
  Game.Explosions->AddExplosion(5, 10, 10, 1.0f);
  Game.Score = 5;
  Game.Base->Health = -3.0f;
  RunPasses(1);
  ASSERT_EQ(Game.GameState, gsGameOver);
  ASSERT_EQ(Game.Weapons->Count, 1);
  const float turret = Game.Base->TurretAngle;

  Game.GameState = gsNewGame;
  RunPasses(1);
  EXPECT_EQ(Game.GameState, gsBattle);
  EXPECT_EQ(Game.Score, 0u);
  EXPECT_EQ(Game.Base->Health, 100.0f);
  EXPECT_EQ(Game.Monsters->Count, 1);
  EXPECT_EQ(Game.Weapons->Count, 0);
  EXPECT_EQ(Game.Explosions->Count, 0);
  EXPECT_EQ(Game.Base->X, 400.0f);
  EXPECT_EQ(Game.Base->Y, 300.0f - 1.1f);
  EXPECT_EQ(Game.Base->TurretAngle, turret);
}

TEST_F(Loading, ManyBattlesHoldOneSetOfTexturesAndQuads) {
  LoadGame();
  std::set<GLuint> textures, lists;  // every name the two lists were ever given
  for (int battle = 0; battle <= 40; ++battle) {
    if (battle > 0) NewGame();
    textures.insert(std::begin(Game.Monsters->MonstTextures), std::end(Game.Monsters->MonstTextures));
    textures.insert(Game.Weapons->FireballTexture);
    lists.insert({Game.Monsters->QuadList, Game.Weapons->QuadList});
  }
  // Only the current lists' names are still alive: 5 + 1 textures, 2 quads.
  EXPECT_EQ(std::count_if(textures.begin(), textures.end(), [](GLuint t) { return glIsTexture(t); }), 6);
  EXPECT_EQ(std::count_if(lists.begin(), lists.end(), [](GLuint l) { return glIsList(l); }), 2);
}
