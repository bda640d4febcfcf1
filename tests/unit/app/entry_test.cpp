// The report of an unhandled error and the Windows-1251 texts.
#include <gtest/gtest.h>

#include <new>

#include "app/zr_entry.h"
#include "platform/cp1251.h"
#include "shell/zr_errors.h"

TEST(ErrorReport, NamesKindModuleAndMessageWithTheFile) {
  const std::string io = FormatErrorReport(EInOutError("File not found", "data\\char.tga"), "zr_ironfall");
  const std::string nullAddress(2 * sizeof(void*), '0');
  EXPECT_EQ(io.rfind("Exception EInOutError in module zr_ironfall at " + nullAddress + ".\r\n", 0), 0u) << io;
  EXPECT_NE(io.find(".\r\nFile not found: data\\char.tga.\r\n"), std::string::npos) << io;

  const std::string oom = FormatErrorReport(std::bad_alloc(), "zr_ironfall");
  EXPECT_NE(oom.find("Exception EOutOfMemory in module zr_ironfall"), std::string::npos) << oom;
  EXPECT_NE(oom.find("Out of memory"), std::string::npos) << oom;
}

TEST(Cp1251, RussianTextAndEveryCodeRoundTrip) {
  EXPECT_EQ(Utf8ToCp1251("Играть ребята \"Ёё\""), "\xC8\xE3\xF0\xE0\xF2\xFC \xF0\xE5\xE1\xFF\xF2\xE0 \"\xA8\xB8\"");
  EXPECT_EQ(Utf8ToCp1251("日"), "?");
  EXPECT_EQ(Utf8ToCp1251(std::string("\xD0", 1)), "?");  // cut off in the middle
  EXPECT_EQ(Cp1251ToUnicode(0x98), 0u);  // the one unassigned code
  for (int c = 0xC0; c <= 0xFF; ++c) {  // the alphabet, я (255) included
    const uint32_t u = Cp1251ToUnicode(static_cast<uint8_t>(c));
    const std::string utf8 = {static_cast<char>(0xC0 | (u >> 6)), static_cast<char>(0x80 | (u & 0x3F))};
    EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, static_cast<char>(c)));
  }
  EXPECT_EQ(Utf8ToCp1251("№"), "\xB9");
}

TEST(CommandLine, ADemoNameNoFileCanHaveIsToldAndGivesExitCode2) {
  // Not UTF-8: on Windows no name at all, elsewhere no file that is there.
  EXPECT_EQ(RunGame({"--play", "\xFF\xFE.zrd"}), 2);
  EXPECT_EQ(RunGame({"--verify", "\xFF\xFE.zrd"}), 2);
}
