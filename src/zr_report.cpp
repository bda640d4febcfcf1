#include "zr_report.h"

#include <cstdio>

#include "platform/platform.h"

namespace {
ZrMessageSink g_sink = nullptr;
}

void ShowMessage(const std::string& caption, const std::string& text, bool error) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  if (g_sink != nullptr) {
    g_sink(caption, text);
  } else {
    Platform::MessageBox(caption, text, error);
  }
}

void SetMessageSink(ZrMessageSink sink) { g_sink = sink; }
