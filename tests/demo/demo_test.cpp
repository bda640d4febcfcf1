// A whole game recorded and played back in one process: the real game in an offscreen
// window, driven by the scripted player with its own clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/zr_entry.h"
#include "demo/scripted_player.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Demo, ARecordedGamePlaysBackFrameForFrameAndKeepsTheBestGame) {
  // A folder of the game's own, as an unpacked zip: the pictures, and room for bs.zrt.
  const fs::path source = fs::current_path();
  const fs::path folder = fs::temp_directory_path() / ("zr_demo_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::create_directory_symlink(source / "data", folder / "data");
  fs::current_path(folder);

  {
    ScriptedPlayer player(ScriptedGame::LostAtBase, 1);  // one tank: a new best score
    ASSERT_EQ(RunGame({"--record", "game.zrd"}, &player), 0);
  }
  const std::string score = Slurp("bs.zrt");
  ASSERT_NE(score, "");
  ASSERT_NE(score, "0");
  ASSERT_TRUE(fs::exists("bs.zrd"));

  // The best game is the run up to its new best score. Its state is checked as it plays
  // (a hash a second, and at the end): exit code 0 means they all agreed.
  EXPECT_EQ(RunGame({"--timedemo", "bs.zrd"}), 0);
  EXPECT_EQ(Slurp("bs.zrt"), score) << "playback never writes the best score";

  // Another seed: the game parts from its recording at once.
  std::string bytes = Slurp("game.zrd");
  const size_t seed = bytes.find('\x05', 8 + 2 + 1 + 5 + 8 + 4);
  ASSERT_NE(seed, std::string::npos);
  bytes[seed + 1] ^= 1;
  std::ofstream("parted.zrd", std::ios::binary) << bytes;
  EXPECT_EQ(RunGame({"--timedemo", "parted.zrd"}), 3);

  fs::current_path(source);
  fs::remove_all(folder);
}
