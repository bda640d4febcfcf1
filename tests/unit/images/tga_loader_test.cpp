// The loader's failures that come before any OpenGL call: the file system's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

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

TEST(TgaLoader, APictureThatCannotBeOpenedIsAccessDeniedByName) {
  NullPlatform::Reset();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zr_denied_" + std::to_string(std::random_device{}()));
  // A directory in the picture's place: Windows refuses to open it, access denied.
  std::filesystem::create_directories(dir / "monst_0.tga");
  const std::string name = dir.string() + "\\monst_0.tga";  // as the game names it
  ZrGLName texture = 77;
  try {
    LoadTextureFile(name, texture);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "File access denied: " + name);
    EXPECT_EQ(e.FileName, name);
  }
  EXPECT_TRUE(texture == 77u && NullPlatform::MessageBoxes().empty());
#if !defined(_WIN32)
  // A file without read permission, opened by a user whom it denies: root reads it
  // anyway, so a child process first becomes nobody.
  const std::string locked = (dir / "locked.tga").string();
  std::ofstream(locked) << "not to be read";
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    try {
      LoadTextureFile(locked, texture);
    } catch (const EInOutError& e) {
      _exit(std::string(e.what()) == "File access denied: " + locked ? 0 : 1);
    }
    _exit(2);
  }
  int status = -1;
  waitpid(child, &status, 0);
  std::filesystem::remove_all(dir);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot give up root to be denied a read";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
#else
  std::filesystem::remove_all(dir);
#endif
}
