// The loader's failures that come before any OpenGL call: the file system's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "images/Textures.h"
#include "platform/null/null_platform.h"
#include "shell/zr_errors.h"

TEST(TgaLoader, MissingOrHeaderlessFileThrowsWithoutABoxAndKeepsTheVariable) {
  NullPlatform::Reset();
  const std::string missing = "data\\nothing\\monst_9.tga";
  const std::string headerless = (std::filesystem::temp_directory_path() /
                                  ("zr_headerless_" + std::to_string(std::random_device{}()) + ".tga")).string();
  std::ofstream(headerless, std::ios::binary) << std::string(17, '\0');
  ZrGLName texture = 77;
  for (const std::string& name : {missing, headerless}) {
    try {
      LoadTextureFile(name, texture);
      ADD_FAILURE() << "no error for " << name;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.FileName, name);  // named as passed, backslashes and all
      if (name == missing) {
        EXPECT_EQ(std::string(e.what()), "File not found: " + missing);
      }
    }
  }
  EXPECT_EQ(texture, 77u);
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());
  std::filesystem::remove(headerless);
}
