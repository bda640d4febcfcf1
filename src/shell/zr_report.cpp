#include "shell/zr_report.h"

#include <cstdio>

#include "platform/platform.h"
#include "platform/platform_hooks.h"

void ShowMessage(const std::string& caption, const std::string& text, bool error) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  if (PlatformHooks::MessageSink != nullptr) {
    PlatformHooks::MessageSink(caption, text);
  } else {
    Platform::ShowMessageBox(caption, text, error);
  }
}
