// The report of an unhandled error, the start directory, and the Windows-1251 texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>

#include "platform/cp1251.h"
#include "zr_entry.h"
#include "zr_errors.h"

namespace fs = std::filesystem;

TEST(ErrorReport, NamesKindModuleAndMessageWithTheFile) {
  const std::string io = FormatErrorReport(EInOutError("File not found", "data\\char.tga"), "zr_ironfall");
  EXPECT_EQ(io.rfind("Exception EInOutError in module zr_ironfall at ", 0), 0u) << io;
  EXPECT_NE(io.find(".\r\nFile not found: data\\char.tga.\r\n"), std::string::npos) << io;

  const std::string oom = FormatErrorReport(std::bad_alloc(), "zr_ironfall");
  EXPECT_NE(oom.find("Exception EOutOfMemory in module zr_ironfall"), std::string::npos) << oom;
  EXPECT_NE(oom.find("Out of memory"), std::string::npos) << oom;
}

TEST(StartDirectory, MovesToTheExecutablesDirectoryOnlyWhenDataIsThereAndNotHere) {
  const fs::path before = fs::current_path();
  const fs::path root = fs::temp_directory_path() / "zr_entry_test";
  fs::remove_all(root);
  fs::create_directories(root / "game" / "data");
  fs::create_directories(root / "elsewhere");
  fs::create_directories(root / "own" / "data");
  const std::string exe = (root / "game" / "zr_ironfall").string();

  fs::current_path(root / "elsewhere");
  ChangeToGameDirectory(exe);
  EXPECT_EQ(fs::current_path(), fs::canonical(root / "game"));

  fs::current_path(root / "own");  // a working directory with its own data/ wins
  ChangeToGameDirectory(exe);
  EXPECT_EQ(fs::current_path(), fs::canonical(root / "own"));

  fs::current_path(root / "elsewhere");
  ChangeToGameDirectory((root / "nowhere" / "zr_ironfall").string());
  EXPECT_EQ(fs::current_path(), fs::canonical(root / "elsewhere"));

  fs::current_path(before);
  fs::remove_all(root);
}

TEST(Cp1251, RussianAlphabetAndPunctuationRoundTrip) {
  EXPECT_EQ(Utf8ToCp1251("Играть"), "\xC8\xE3\xF0\xE0\xF2\xFC");
  EXPECT_EQ(Utf8ToCp1251("ребята!"), "\xF0\xE5\xE1\xFF\xF2\xE0!");  // я is 255
  EXPECT_EQ(Utf8ToCp1251("Ёё \"Беркут-9\""), "\xA8\xB8 \"\xC1\xE5\xF0\xEA\xF3\xF2-9\"");
  EXPECT_EQ(Utf8ToCp1251("日"), "?");
  EXPECT_EQ(Utf8ToCp1251(std::string("\xD0", 1)), "?");  // cut off in the middle
  for (int c = 1; c < 256; ++c) {  // every assigned code comes back from its UTF-8 form
    const uint32_t u = Cp1251ToUnicode(static_cast<uint8_t>(c));
    if (c == 0x98) {
      EXPECT_EQ(u, 0u);
      continue;
    }
    std::string utf8;
    if (u < 0x80) utf8 = std::string(1, static_cast<char>(u));
    else if (u < 0x800) utf8 = {static_cast<char>(0xC0 | (u >> 6)), static_cast<char>(0x80 | (u & 0x3F))};
    else utf8 = {static_cast<char>(0xE0 | (u >> 12)), static_cast<char>(0x80 | ((u >> 6) & 0x3F)), static_cast<char>(0x80 | (u & 0x3F))};
    EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, static_cast<char>(c))) << c;
  }
  EXPECT_EQ(Cp1251ToUnicode(0xFF), 0x044Fu);
  EXPECT_EQ(Cp1251ToUnicode(0xB9), 0x2116u);  // №
}
