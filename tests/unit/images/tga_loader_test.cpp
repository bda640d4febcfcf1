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

TEST(TgaLoader, MissingHeaderlessOrUnopenablePicturesThrowWithoutABoxAndKeepTheVariable) {
  NullPlatform::Reset();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zr_loader_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir / "monst_0.tga");  // Windows refuses to open a directory: access denied
  std::ofstream(dir / "short.tga", std::ios::binary) << std::string(17, '\0');
  // Named as the game names them, a backslash before the leaf, and reported so.
  for (const auto& [leaf, error] : {std::pair<std::string, std::string>{"\\nothing\\monst_9.tga", "File not found"},
                                    {"/short.tga", "Read beyond end of file"}, {"\\monst_0.tga", "File access denied"}}) {
    const std::string name = dir.string() + leaf;
    ZrGLName texture = 77;
    try {
      LoadTextureFile(name, texture);
      ADD_FAILURE() << "no error for " << name;
    } catch (const EInOutError& e) {
      EXPECT_TRUE(std::string(e.what()) == error + ": " + name && e.FileName == name) << e.what();
    }
    EXPECT_EQ(texture, 77u);
  }
  EXPECT_TRUE(NullPlatform::MessageBoxes().empty());
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
      ZrGLName texture = 0;
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
