// The best-score file: what reads as a score, what is written, and how failures end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/null/null_platform.h"
#include "platform/zr_path.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_errors.h"

namespace fs = std::filesystem;

namespace {

struct BestScoreFile : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("zr_bestscore_" + std::to_string(std::random_device{}()));
  std::string file = (dir / "bs.zrt").string();
  void SetUp() override {
    fs::create_directories(dir);
    NullPlatform::Reset();
  }
  void TearDown() override { fs::remove_all(dir); }
  void Put(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
  std::string Get() {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

}  // namespace

TEST_F(BestScoreFile, TheNumberAfterAnyBlanksIsTheScoreAnythingElseReadsAsZeroButAnUnreadableFileStops) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadBestScore(file), 0u);  // a fresh installation: no file, no complaint
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  const std::pair<const char*, int64_t> cases[] = {  // -1: no score, read as 0 with a warning that names the file
      {"", 0}, {"  \r\n\t 42\r\n", 42}, {"15 then anything", 15}, {"+15", 15}, {"$1F", 31}, {"x1f", 31}, {"0x1F", 31},
      {"4294967295", 4294967295}, {"00000000000000000000000000000007", 7},
      {"000000000000000000000000000000007", 0},  // only 32 bytes of a number are read
      {"abc", -1}, {"12abc", -1}, {"-5", -1}, {"4294967296", -1}, {"$100000000", -1}, {"$", -1}, {"0x", -1},
  };
  for (const auto& [text, score] : cases) {
    Put(text);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(int64_t{ReadBestScore(file)}, score < 0 ? 0 : score) << '"' << text << '"';
    EXPECT_EQ(::testing::internal::GetCapturedStderr().find(file) != std::string::npos, score < 0) << text;
    EXPECT_EQ(Get(), text) << "a bad file is left as it is";
  }
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());
  // A file that is there but cannot be read (here a directory in its place) may hold a
  // score: it stops the game, as any unreadable file does, rather than read as 0.
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_THROW(ReadBestScore(file), EInOutError);
}

TEST_F(BestScoreFile, WriteReplacesTheFileWithExactlyTheDigitsAndAFailedOneKeepsIt) {
  EXPECT_TRUE(WriteBestScore(file, 7) && Get() == "7");  // creates it
  Put("123456\r\n");
  EXPECT_TRUE(WriteBestScore(file, 4294967295u) && Get() == "4294967295");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());

  // The new file cannot be written beside the old one: the old best score survives.
  fs::create_directories(fs::path(file + ".tmp") / "in-the-way");
  EXPECT_FALSE(WriteBestScore(file, 13) || Get() != "4294967295");
  ASSERT_EQ(NullPlatform::MessageBoxes().size(), 1u);
  EXPECT_EQ(NullPlatform::MessageBoxes()[0].rfind("Zr Ironfall|", 0), 0u);

  // The player's own folder is made on the first save, for the player alone.
  const fs::path nested = dir / "share" / "zr-ironfall" / "bs.zrt";
  EXPECT_TRUE(WriteBestScore(nested.string(), 5));
  std::string saved;
  std::ifstream(nested) >> saved;
  EXPECT_EQ(saved, "5");
#ifndef _WIN32
  EXPECT_EQ(fs::status(dir / "share").permissions(), fs::perms::owner_all);
#endif
  // No place known for the file: nothing is written anywhere, and the player is told.
  const fs::path here = fs::current_path();
  fs::current_path(dir / "share");
  EXPECT_FALSE(WriteBestScore("", 6));
  fs::current_path(here);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "share"), fs::directory_iterator()), 1);
  EXPECT_EQ(NullPlatform::MessageBoxes().size(), 2u);
}

TEST_F(BestScoreFile, ANameInAnyScriptAndAFolderThatRefusesTheScoreWhichThenGoesToTheFallbackForGood) {
  // Letters outside every ANSI code page: the Windows build must go through the wide calls.
  const std::string own = Utf8FromPath(dir / PathFromUtf8("Иван Ελλάδα 中文"));
  const std::string ownScore = own + "/bs.zrt", userScore = Utf8FromPath(dir / "user" / "Zr Ironfall" / "bs.zrt");
  fs::create_directories(PathFromUtf8(own));
  const auto read = [](const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  SetBestScorePath(ownScore, userScore);
  EXPECT_EQ(LoadBestScore(), 0u);
  EXPECT_TRUE(SaveBestScore(3) && read(ownScore) == "3");
  EXPECT_FALSE(fs::exists(dir / "user")) << "a folder that takes the score keeps it";
  EXPECT_EQ(LoadBestScore(), 3u);

  // A read-only folder (as root, or on Windows, the folder still takes it: no refusal to see).
  fs::permissions(PathFromUtf8(own), fs::perms::owner_read | fs::perms::owner_exec);
  const bool refuses = !std::ofstream(PathFromUtf8(own + "/probe"));
  if (refuses) {
    EXPECT_TRUE(SaveBestScore(5) && read(userScore) == "5" && read(ownScore) == "3");
    fs::permissions(PathFromUtf8(own), fs::perms::owner_all);
    EXPECT_TRUE(SaveBestScore(6) && read(userScore) == "6") << "once refused, the rest of the run keeps to the fallback";
  }
  fs::permissions(PathFromUtf8(own), fs::perms::owner_all);
  // The next run reads the higher of the two.
  fs::create_directories(PathFromUtf8(userScore).parent_path());
  std::ofstream(PathFromUtf8(userScore)) << "9";
  SetBestScorePath(ownScore, userScore);
  EXPECT_EQ(LoadBestScore(), 9u);
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());
  SetBestScorePath(BestScoreFileName);
}

TEST_F(BestScoreFile, TheBestGameGoesFirstAndOneThatCannotBeKeptIsSaidWhileTheScoreIsSaved) {
  const fs::path game = dir / "bs.zrd";
  const auto read = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  std::string kept = "game of 5";
  SetBestGameSource([&](uint32_t, std::vector<uint8_t>& bytes, std::string&) {
    bytes.assign(kept.begin(), kept.end());
    return true;
  });
  SetBestScorePath(file);
  EXPECT_TRUE(SaveBestScore(5) && Get() == "5" && read(game) == "game of 5");

  // A failure between the two saves (the score's own file cannot be made): the new game
  // beside the old score, which --play-best then names; never an old game beside a new score.
  fs::create_directory(file + ".tmp");
  kept = "game of 6";
  EXPECT_FALSE(SaveBestScore(6));
  EXPECT_TRUE(Get() == "5" && read(game) == "game of 6");
  fs::remove(file + ".tmp");

  // A game that cannot be kept: the player is told, and the score is saved all the same.
  fs::create_directory(dir / "bs.zrd.tmp");
  kept = "game of 7";
  EXPECT_TRUE(SaveBestScore(7) && Get() == "7" && read(game) == "game of 6");
  SetBestGameSource([](uint32_t, std::vector<uint8_t>&, std::string& whyNot) {
    whyNot = "it is longer than a demo can hold";
    return false;
  });
  EXPECT_TRUE(SaveBestScore(8) && Get() == "8");
  const std::vector<std::string>& boxes = NullPlatform::MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[0].find("The best score 6 could not be saved"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[1].find("best score 7 could not be kept"), std::string::npos) << boxes[1];
  EXPECT_NE(boxes[2].find("best score 8 could not be kept (it is longer"), std::string::npos) << boxes[2];
  SetBestGameSource(nullptr);
  SetBestScorePath(BestScoreFileName);
}
