// The game-over and records screens, and the save of a new best score.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gl_fixture.h"
#include "screens_fixture.h"
#include "zr_expl.h"
#include "zr_game.h"
#include "zr_gfx.h"
#include "zr_gl.h"
#include "zr_random.h"
#include "zr_report.h"
#include "zr_winmsg.h"

namespace {

std::vector<std::string> g_boxes;
void CaptureBox(const std::string& caption, const std::string& text) { g_boxes.push_back(caption + "|" + text); }

struct Scores : ::testing::Test {
  std::unique_ptr<TempGameDir> dir = std::make_unique<TempGameDir>();
  void SetUp() override {
    ResetGame();
    g_boxes.clear();
    SetMessageSink(&CaptureBox);
    LoadGame();
  }
  void TearDown() override {
    SetMessageSink(nullptr);
    ResetGame();
  }
  // Space on a screen whose back buffer is painted green: true when it left for the
  // menu without drawing.
  static bool SpaceLeavesWithoutDrawing(void (*screen)()) {
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    TestGfx().Keys[VK_SPACE] = true;
    screen();
    return !TestGfx().Keys[VK_SPACE] && Game.GameState == gsMenu && IsColour(ReadPixel(400, 300), 0, 255, 0);
  }
};

}  // namespace

TEST_F(Scores, OnlyABetterScoreRewritesTheFileComparedUnsigned) {
  const struct {
    uint32_t best, score;
    const char* file;  // what "bs.zrt" holds afterwards
  } cases[] = {
      {0, 0, "<missing>"},  // a battle of no points writes nothing
      {7, 7, "<missing>"},  // equal is not better
      {7, 8, "8"},          {0x80000000u, 5, "8"},  {5, 0x80000000u, "2147483648"},
  };
  for (const auto& c : cases) {
    Game.GameState = gsGameOver;
    Game.BestScore = c.best;
    Game.Score = c.score;
    EXPECT_TRUE(SpaceLeavesWithoutDrawing(&GameOverScreen));
    EXPECT_EQ(dir->FileText("bs.zrt"), c.file) << c.best << " " << c.score;
    EXPECT_EQ(Game.BestScore, std::max(c.best, c.score));
  }
  Game.GameState = gsRecords;
  EXPECT_TRUE(SpaceLeavesWithoutDrawing(&RecordsScreen));

  // A save that fails is reported; the better score still counts in this run.
  std::filesystem::create_directories(dir->Path / "bs.zrt.tmp" / "in-the-way");
  Game.Score = 0x80000001u;
  Game.GameState = gsGameOver;
  EXPECT_TRUE(SpaceLeavesWithoutDrawing(&GameOverScreen));
  EXPECT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(dir->FileText("bs.zrt"), "2147483648");
  EXPECT_EQ(Game.BestScore, 0x80000001u);
}

TEST_F(Scores, GameOverIsTintedPurpleAndKeepsTheBattlesExplosionsBurning) {
  // A seed whose first draw starts no random explosion on the pass.
  uint64_t seed = 1;
  while ((RandSeed(seed), Random(100)) == 33) ++seed;
  Game.Explosions->AddExplosion(5, 650, 100, 1.0f);
  Game.GameState = gsGameOver;
  RandSeed(seed);
  GameOverScreen();
  EXPECT_TRUE(IsColour(ReadPixel(600, 350), PlainGrey, 0, PlainGrey));
  EXPECT_GT(CountColour(200, 600 - 200 - 4, 200, 18, 255, 0, 0), 30) << "score line";
  EXPECT_GT(CountColour(200, 600 - 240 - 4, 150, 18, 255, 0, 0), 30) << "press-space line";
  EXPECT_EQ(Game.Explosions->Items[0]->Fire[0].Life, 99.0f) << "animated once";

  Game.GameState = gsRecords;
  RandSeed(seed);
  RecordsScreen();
  EXPECT_TRUE(IsColour(ReadPixel(600, 350), PlainGrey, PlainGrey, PlainGrey)) << "no tint";
  EXPECT_GT(CountColour(50, 600 - 50 - 4, 120, 18, 255, 255, 255), 30) << "the white title";
  EXPECT_GT(CountColour(200, 600 - 200 - 4, 200, 18, 255, 0, 0), 30) << "best-score line";
  EXPECT_EQ(Game.Explosions->Items[0]->Fire[0].Life, 98.0f);
}
