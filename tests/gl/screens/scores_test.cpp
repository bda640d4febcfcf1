// Leaving the game-over and records screens, and the save of a new best score.
#include <algorithm>
#include <tuple>

#include "gl/screens_fixture.h"

namespace {

int g_boxes = 0;

// Space on a screen whose back buffer is painted green: true when it left for the menu
// without drawing.
bool SpaceLeavesWithoutDrawing(void (*screen)()) {
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  TestGfx().Keys[VK_SPACE] = true;
  screen();
  return !TestGfx().Keys[VK_SPACE] && Game.GameState == gsMenu && PixelIs(400, 300, 0, 255, 0);
}

}  // namespace

using Scores = ScreenTest;

TEST_F(Scores, OnlyABetterScoreRewritesTheFileComparedUnsignedAndAFailedSaveGoesOn) {
  PlatformHooks::MessageSink = [](const std::string&, const std::string&) { ++g_boxes; };
  // The best score, the battle's score, and what "bs.zrt" holds afterwards: nothing
  // after a battle of no points or an equal score, then the digits of each better one.
  for (auto [best, score, file] : {std::tuple<uint32_t, uint32_t, const char*>{0, 0, "<missing>"},
                                   {7, 7, "<missing>"}, {7, 8, "8"}, {0x80000000u, 5, "8"},
                                   {5, 0x80000000u, "2147483648"}}) {
    Game.GameState = gsGameOver;
    Game.BestScore = best;
    Game.Score = score;
    EXPECT_TRUE(SpaceLeavesWithoutDrawing(&GameOverScreen));
    EXPECT_EQ(FileText("bs.zrt"), file) << best << " " << score;
    EXPECT_EQ(Game.BestScore, std::max(best, score));
  }
  Game.GameState = gsRecords;
  EXPECT_TRUE(SpaceLeavesWithoutDrawing(&RecordsScreen));
  Game.GameState = gsGameOver;  // a better score is saved only when the player leaves
  Game.Score = 0x80000001u;
  RunPasses(3);
  EXPECT_EQ(FileText("bs.zrt"), "2147483648");

  // A save that fails is reported; the better score still counts in this run.
  std::filesystem::create_directories("bs.zrt.tmp/in-the-way");
  EXPECT_TRUE(SpaceLeavesWithoutDrawing(&GameOverScreen));
  EXPECT_EQ(g_boxes, 1);
  EXPECT_EQ(FileText("bs.zrt"), "2147483648");
  EXPECT_EQ(Game.BestScore, 0x80000001u);
}
