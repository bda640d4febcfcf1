// The best-score file: what reads as a score, what is written, and how failures end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/null/null_platform.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_errors.h"
#include "shell/zr_report.h"

namespace fs = std::filesystem;

namespace {

struct BestScoreFile : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("zr_bestscore_" + std::to_string(std::random_device{}()));
  std::string file = (dir / "bs.zrt").string();
  void SetUp() override {
    fs::create_directories(dir);
    NullPlatform::Reset();
  }
  void TearDown() override {
    fs::remove_all(dir);
  }
  void Put(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
  std::string Get() {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

}  // namespace

TEST(BestScoreText, BlanksSignsHexAndWhatIsNoScore) {
  const std::pair<const char*, uint32_t> good[] = {
      {"  \r\n\t 42\r\n", 42}, {"15 then anything", 15}, {"+15", 15}, {"$1F", 31}, {"x1f", 31}, {"0x1F", 31}, {"", 0},
      {"4294967295", 4294967295u}, {"00000000000000000000000000000007", 7},
      {"000000000000000000000000000000007", 0},  // only 32 bytes of a number are read
  };
  for (const auto& [text, value] : good) {
    uint32_t v = 12345;
    EXPECT_TRUE(ParseBestScore(text, v)) << '"' << text << '"';
    EXPECT_EQ(v, value) << '"' << text << '"';
  }
  for (const char* text : {"abc", "12abc", "-5", "4294967296", "$100000000", "$", "0x"}) {
    uint32_t v = 12345;
    EXPECT_FALSE(ParseBestScore(text, v)) << '"' << text << '"';
    EXPECT_EQ(v, 0u) << '"' << text << '"';
  }
}

TEST_F(BestScoreFile, MissingEmptyAndMalformedFilesReadAsZero) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadBestScore(file), 0u);  // a fresh installation: no file, no complaint
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  Put("");
  EXPECT_EQ(ReadBestScore(file), 0u);
  Put(" \r\n 1234\r\n");
  EXPECT_EQ(ReadBestScore(file), 1234u);

  for (const char* bad : {"garbage\n", "-3", "5000000000"}) {
    Put(bad);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ReadBestScore(file), 0u) << bad;
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(file), std::string::npos) << "the warning names the file";
    EXPECT_EQ(Get(), bad) << "a bad file is left as it is";
  }
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());

  // A file that is there but cannot be read (here a directory in its place) may hold a
  // score: it stops the game, as any unreadable file does, rather than read as 0.
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_THROW(ReadBestScore(file), EInOutError);
  fs::remove(file);
}

TEST_F(BestScoreFile, WriteReplacesTheFileWithExactlyTheDigitsAndAFailedOneKeepsIt) {
  EXPECT_TRUE(WriteBestScore(file, 7));  // creates it
  EXPECT_EQ(Get(), "7");
  Put("123456\r\n");
  EXPECT_TRUE(WriteBestScore(file, 4294967295u));
  EXPECT_EQ(Get(), "4294967295");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());

  // The new file cannot be written beside the old one: the old best score survives.
  fs::create_directories(fs::path(file + ".tmp") / "in-the-way");
  EXPECT_FALSE(WriteBestScore(file, 13));
  EXPECT_EQ(Get(), "4294967295");
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
