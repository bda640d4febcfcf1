// Records the run: every tick reading, random seed and window message the game takes from
// outside, pass by pass, with the state hash after each. It always keeps the run in
// memory, so that a game that sets a new best score can be saved beside the score as the
// best game; with a file it also writes the run there, frame by frame.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "demo/zr_demo_format.h"
#include "demo/zr_pass_watcher.h"
#include "platform/platform.h"

class ZrGfx;

class ZrDemoRecorder : public ZrPassWatcher {
 public:
  // Starts at once: the seed read before the window opens is part of the run. An empty
  // filePath records in memory only. Throws EInOutError when the file cannot be made.
  // The header's best score is filled in from the game once it has loaded, and its
  // pictures' hash (of data/) when the demo is to be kept.
  ZrDemoRecorder(ZrGfx& gfx, const std::string& filePath, const ZrDemoHeader& header);
  ~ZrDemoRecorder() override;
  ZrDemoRecorder(const ZrDemoRecorder&) = delete;
  ZrDemoRecorder& operator=(const ZrDemoRecorder&) = delete;

  // The window procedure to open the window with: it notes each message that changes
  // the game, then hands every message to the game's own.
  static ZrWndProc WindowProc();

  void BeforePass() override;
  void AfterPass() override;
  // Writes the end mark; the line "demo: N frames, state H" goes to stdout when there is
  // a file.
  void Finish();

  // Where the best game goes: beside the best score, as bs.zrd.
  static std::string BestGamePath();

 private:
  static uint32_t Ticks();
  static uint64_t Seed();
  static bool Poll(ZrMsg& msg);
  static intptr_t ZR_WNDPROC_CALL RecordingWndProc(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
  void WriteOut();
  void SaveBestGame();
  // The run goes to the memory's writer, and to the file's where there is one.
  template <typename Write>
  void EachWriter(Write write) {
    write(Memory);
    if (File) write(*File);
  }

  ZrGfx& Gfx;
  ZrDemoWriter Memory;
  std::unique_ptr<ZrDemoWriter> File;
  std::FILE* Out = nullptr;
  bool FirstPass = true;
  bool HeaderDone = false;
  bool MemoryHasDataHash = false;
  uint32_t BestBefore = 0;
  int StateBefore = 0;
  // What the hooks stood on before recording began: a test's clock, or the platform's.
  uint32_t (*PrevTicks)() = nullptr;
  uint64_t (*PrevSeed)() = nullptr;
  bool (*PrevPoll)(ZrMsg&) = nullptr;
};
