// Loading the best score, and building the world again before every battle.
#include <fstream>
#include <set>
#include <tuple>

#include "gl/screens_fixture.h"

using Loading = ScreenTest;

// Every new battle replaces the tank and fireball lists; the old ones must give back
// their textures and quads, or GPU memory grows with every battle. The base keeps its
// place and turret from the last battle; everything else starts afresh.
TEST_F(Loading, EveryBattleStartsAfreshOnOneSetOfTexturesAndQuads) {
  std::ofstream("bs.zrt") << "2\r\n";
  FreeGame();
  Game.GameState = gsLoading;
  RunPasses(1);
  EXPECT_TRUE(Game.GameState == gsMenu && Game.BestScore == 2u);
  std::set<GLuint> textures, lists;  // every name the two lists were ever given
  for (int battle = 0; battle <= 40; ++battle) {
    if (battle > 0) {
      std::tie(Game.Score, Game.Base->Health, Game.Base->Y, Game.Base->TurretAngle) =
          std::tuple(7u, -1.0f, 300.0f - battle, battle);
      Game.Monsters->AddMonster();
      Game.Weapons->GetFreeWeapon().Launch(0, 0, 1, 1);
      Game.Explosions->AddExplosion(5, 1, 1, 1);
      Game.GameState = gsNewGame;
      RunPasses(1);
      EXPECT_TRUE(Game.GameState == gsBattle && Game.Score == 0 && Game.Base->Health == 100.0f);
      EXPECT_TRUE(Game.Monsters->Count == 1 && Game.Weapons->Count == 0 && Game.Explosions->Count == 0);
      EXPECT_TRUE(Game.Base->X == 400 && Game.Base->Y == 300.0f - battle && Game.Base->TurretAngle == battle);
    }
    textures.insert(std::begin(Game.Monsters->MonstTextures), std::end(Game.Monsters->MonstTextures));
    textures.insert(Game.Weapons->FireballTexture);
    lists.insert({Game.Monsters->QuadList, Game.Weapons->QuadList});
  }
  // Only the current lists' names are still alive: 5 + 1 textures, 2 quads.
  EXPECT_EQ(std::count_if(textures.begin(), textures.end(), [](GLuint t) { return glIsTexture(t); }), 6);
  EXPECT_EQ(std::count_if(lists.begin(), lists.end(), [](GLuint l) { return glIsList(l); }), 2);
}
