// The loader's failures that come before any OpenGL call: the file system's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Textures.h"
#include "zr_errors.h"
#include "zr_report.h"

namespace {

std::vector<std::string> g_boxes;
void CaptureBox(const std::string& caption, const std::string& text) { g_boxes.push_back(caption + "|" + text); }

}  // namespace

TEST(TgaLoader, MissingOrHeaderlessFileEndsTheProgramWithoutABox) {
  namespace fs = std::filesystem;
  g_boxes.clear();
  SetMessageSink(&CaptureBox);
  const fs::path dir = fs::temp_directory_path() / ("zr_tga_loader_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  {
    std::ofstream(dir / "short.tga", std::ios::binary) << std::string(17, '\0');
  }

  ZrGLName texture = 77;
  const std::string missing = (dir / "nothing").string() + "\\monst_9.tga";
  try {
    LoadTextureFile(missing, texture);
    ADD_FAILURE() << "no error for a missing file";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.FileName, missing);  // named as passed, backslash and all
    EXPECT_EQ(std::string(e.what()), "File not found: " + missing);
  }
  try {
    LoadTextureFile((dir / "short.tga").string(), texture);
    ADD_FAILURE() << "no error for a file shorter than the header";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.FileName, (dir / "short.tga").string());
  }
  EXPECT_EQ(texture, 77u);
  EXPECT_TRUE(g_boxes.empty());
  SetMessageSink(nullptr);
  fs::remove_all(dir);
}

TEST(TgaLoader, BackslashesBecomeSlashesOnlyWherePathsUseSlashes) {
#if defined(_WIN32)
  EXPECT_EQ(NativePath("data\\char.tga"), "data\\char.tga");
#else
  EXPECT_EQ(NativePath("data\\char.tga"), "data/char.tga");
  EXPECT_EQ(NativePath("data/bg2.tga"), "data/bg2.tga");
#endif
}
