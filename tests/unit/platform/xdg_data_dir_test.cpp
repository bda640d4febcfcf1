// The player's data folder by the XDG rule.
#include <gtest/gtest.h>

#include "platform/xdg_data_dir.h"

TEST(XdgDataDir, AbsoluteXdgDataHomeElseHomeElseNothing) {
  struct Case {
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/data/xdg", "/home/p", "/data/xdg/zr-ironfall"},
      {"/data/xdg/", "/home/p", "/data/xdg/zr-ironfall"},
      {nullptr, "/home/p", "/home/p/.local/share/zr-ironfall"},
      {"", "/home/p/", "/home/p/.local/share/zr-ironfall"},
      {"relative/xdg", "/home/p", "/home/p/.local/share/zr-ironfall"},  // relative: ignored
      {"/", "/home/p", "/zr-ironfall"},
      {nullptr, "/", "/.local/share/zr-ironfall"},
      {nullptr, "home/p", ""},
      {nullptr, nullptr, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XdgDataDir(c.xdg, c.home, "zr-ironfall"), c.expected)
        << (c.xdg ? c.xdg : "(unset)") << ", " << (c.home ? c.home : "(unset)");
  }
}
