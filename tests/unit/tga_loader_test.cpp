// The loader's failures that come before any OpenGL call: the file system's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "Textures.h"
#include "zr_errors.h"
#include "zr_report.h"

TEST(TgaLoader, MissingOrHeaderlessFileThrowsWithoutABoxAndKeepsTheVariable) {
  static int boxes = 0;
  SetMessageSink([](const std::string&, const std::string&) { ++boxes; });
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
  EXPECT_EQ(boxes, 0);
  SetMessageSink(nullptr);
  std::filesystem::remove(headerless);
}
