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
#include "demo/zr_demo_format.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Bytes(const fs::path& path) {
  const std::string s = Slurp(path);
  return {s.begin(), s.end()};
}

void Put(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

// The best game written again, every tick reading of its last second a second later: the
// kind of change that once went unchecked.
std::vector<uint8_t> LastSecondLater(const std::vector<uint8_t>& bytes) {
  ZrDemoReader in;
  EXPECT_TRUE(in.Open(bytes)) << in.Error();
  ZrDemoWriter out(in.Header(), 1);
  if (in.StartsAtNewGame()) out.Start(in.Start());
  const uint64_t from = in.TotalPasses() - 60;
  uint64_t pass = 0, hash = 0;
  ZrDemoEvent e;
  while (in.Next(e)) {
    switch (e.Tag) {
      case dtPollNone: out.PollNone(); break;
      case dtPollMessage: out.PollMessage(); break;
      case dtPollQuit: out.PollQuit(e.Message); break;
      case dtTick: out.Tick(static_cast<uint32_t>(e.Value + (pass >= from ? 1000 : 0))); break;
      case dtSeed: out.Seed(e.Value); break;
      case dtMessage: out.Message(e.Message, e.Value); break;
      case dtGameMouse: out.GameMouse(static_cast<int32_t>(e.Value), static_cast<int32_t>(e.Y)); break;
      case dtPassHash: hash = e.Value; [[fallthrough]];
      default: out.EndPass(hash), ++pass; break;
    }
  }
  out.Finish(in.End().Score, in.End().GameOver);
  return out.Take();
}

// Lets the game run as fast as it draws: --play-best keeps a real game's pace otherwise.
struct Unpaced : ZrPassWatcher {
  void BeforePass() override {
    if (Game.Gfx != nullptr) Game.Gfx->MinFrameNs = 0;
  }
};

}  // namespace

TEST(Demo, ARecordedGamePlaysBackFrameForFrameAndKeepsTheBestGameBesideItsScore) {
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

  // The best game is that game alone, from its new game to its game over, and says so.
  ZrDemoReader session, best;
  ASSERT_TRUE(session.Open(Bytes("game.zrd")) && best.Open(Bytes("bs.zrd"))) << best.Error();
  EXPECT_TRUE(best.StartsAtNewGame() && best.Finished() && best.End().GameOver);
  EXPECT_EQ(std::to_string(best.End().Score), score);
  EXPECT_LT(best.TotalPasses(), session.TotalPasses()) << "the menus around it are not kept";

  // Every pass of it checked, to its end.
  Unpaced unpaced;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(RunGame({"--play-best"}, &unpaced), 0);
  EXPECT_NE(::testing::internal::GetCapturedStdout().find("best game: score " + score + "\ndemo: "), std::string::npos);
  EXPECT_EQ(Slurp("bs.zrt"), score) << "playback never writes the best score";
  Put("late.zrd", LastSecondLater(Bytes("bs.zrd")));
  EXPECT_EQ(RunGame({"--timedemo", "late.zrd"}), 3);
  std::vector<uint8_t> end = Bytes(source / "tests/demos/lost_at_base.zrd");
  end[end.size() - 3] ^= 1;  // the end mark's hash, before a one-byte score and the flag
  Put("end.zrd", end);
  EXPECT_EQ(RunGame({"--timedemo", "end.zrd"}), 3);

  // A best score beside a game it did not set (a crash between the two saves): said.
  std::ofstream("bs.zrt") << std::stoul(score) + 1;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(RunGame({"--play-best"}, &unpaced), 0);
  EXPECT_NE(::testing::internal::GetCapturedStdout().find("this is not the game that set it"), std::string::npos);

  // Another seed: the game parts from its recording at once.
  std::string bytes = Slurp("game.zrd");
  const size_t seed = bytes.find('\x05', 8 + 2 + 1 + 5 + 4);
  ASSERT_NE(seed, std::string::npos);
  bytes[seed + 1] ^= 1;
  std::ofstream("parted.zrd", std::ios::binary) << bytes;
  EXPECT_EQ(RunGame({"--timedemo", "parted.zrd"}), 3);

  fs::current_path(source);
  fs::remove_all(folder);
}
