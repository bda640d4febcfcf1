// The window's icon: decoded from data/icon.tga into top-down RGBA, or passed over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "app/zr_window_icon.h"
#include "platform/null/null_platform.h"

namespace fs = std::filesystem;

TEST(WindowIcon, TopRowFirstWithAlphaAndABadOrMissingFileIsPassedOverQuietly) {
  const fs::path before = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / ("zr_icon_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir / "data");
  fs::current_path(dir);
  const auto put = [](const std::vector<uint8_t>& bytes) {
    std::ofstream(WindowIconFile, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  };

  NullPlatform::Reset();
  // Raw true colour, 2 x 2, 24 bits, stored bottom row first in blue-green-red order.
  put({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0, 1, 2, 3, 4, 5, 6, /* top: */ 7, 8, 9, 10, 11, 12});
  PutIconOnWindow();
  const std::vector<uint8_t> expected = {9, 8, 7, 255, 12, 11, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255};
  EXPECT_EQ(NullPlatform::WindowIcon().Width, 2);
  EXPECT_EQ(NullPlatform::WindowIcon().Rgba, expected);

  NullPlatform::Reset();
  put({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 16, 0, 0, 0});  // a depth the game does not take
  PutIconOnWindow();
  fs::remove(WindowIconFile);
  PutIconOnWindow();
  EXPECT_EQ(NullPlatform::WindowIcon().Width, 0);
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());

  fs::current_path(before);
  fs::remove_all(dir);
}
