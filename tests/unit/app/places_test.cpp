// Where the game runs and keeps its best score: its own folder, an installation, nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/zr_places.h"

namespace fs = std::filesystem;

TEST(GamePlaces, OwnFolderInstallationOrNothing) {
  const fs::path root = fs::temp_directory_path() / ("zr_places_" + std::to_string(std::random_device{}()));
  const fs::path own = root / "unpacked", prefix = root / "prefix", share = prefix / "share" / "zr-ironfall";
  const fs::path elsewhere = root / "elsewhere", user = root / "home" / "zr-ironfall";
  for (const fs::path& d : {own / "data", share / "data", prefix / "bin", elsewhere}) fs::create_directories(d);
  const std::string ownExe = (own / "zr_ironfall").string(), installedExe = (prefix / "bin" / "zr_ironfall").string();
  const std::string userScore = (user / "bs.zrt").string();

  struct Case {
    const char* what;
    fs::path workingDir;
    std::string exe;
    std::string userDir;
    bool leavesReadOnly;
    fs::path gameDir;
    std::string scorePath;
    std::string fallback = {};
  };
  const Case cases[] = {
      {"working directory with data/", own, installedExe, user.string(), false, own, "bs.zrt"},
      {"the executable's folder with data/", elsewhere, ownExe, user.string(), false, own, "bs.zrt"},
      {"installed", elsewhere, installedExe, user.string(), false, share, userScore},
      {"installed, started in its share folder", share, installedExe, user.string(), false, share, userScore},
      {"installed, no player's folder known", elsewhere, installedExe, "", false, share, ""},
      {"nothing found", elsewhere, (elsewhere / "zr_ironfall").string(), user.string(), false, elsewhere, "bs.zrt"},
      {"executable unknown", elsewhere, "", user.string(), false, elsewhere, "bs.zrt"},
      {"own folder (Windows)", elsewhere, ownExe, user.string(), true, own, "bs.zrt", userScore},
      {"own folder, nowhere else (Windows)", elsewhere, ownExe, "", true, own, "bs.zrt"},
  };
  for (const Case& c : cases) {
    PlaceFacts facts;
    facts.WorkingDir = c.workingDir.string();
    facts.ExecutablePath = c.exe;
    facts.DataFromBinary = "../share/zr-ironfall";
    facts.UserDataDir = c.userDir;
    facts.ScoreLeavesReadOnlyFolder = c.leavesReadOnly;
    const GamePlaces places = FindGamePlaces(facts);
    EXPECT_EQ(fs::path(places.GameDir).lexically_normal(), c.gameDir.lexically_normal()) << c.what;
    EXPECT_EQ(places.ScorePath, c.scorePath) << c.what;
    EXPECT_EQ(places.FallbackScorePath, c.fallback) << c.what;
  }
  // Finding the places writes nothing: no probe beside the game, no folder of the player's.
  EXPECT_EQ(std::distance(fs::directory_iterator(own), fs::directory_iterator()), 1);
  EXPECT_FALSE(fs::exists(user));
  fs::remove_all(root);
}
