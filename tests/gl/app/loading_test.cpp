// Building the world again before every battle.
#include <set>

#include "gl/screens_fixture.h"

using Loading = ScreenTest;

// Every new battle replaces the tank and fireball lists; the old ones must give back
// their textures and quads, or GPU memory grows with every battle.
TEST_F(Loading, ManyBattlesHoldOneSetOfTexturesAndQuads) {
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
