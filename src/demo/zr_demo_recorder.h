// Records the run: every tick reading, random seed and message of the game's input, pass
// by pass, with the state hash after each. It wraps the input source it finds, so it sees
// just what the game takes, whatever is below it (the platform, a test's player).
//
// It always keeps the game under way in memory, from its new game on: a game that sets a
// new best score is saved beside it as the best game, one game long. With a file it also
// writes the whole run there, frame by frame.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "demo/zr_demo_format.h"
#include "demo/zr_pass_watcher.h"
#include "shell/zr_input_source.h"

class ZrGfx;

class ZrDemoRecorder : public ZrInputSource, public ZrPassWatcher {
 public:
  // Starts at once: the seed read before the window opens is part of the run. An empty
  // filePath records in memory only. Throws EInOutError when the file cannot be made.
  ZrDemoRecorder(ZrGfx& gfx, const std::string& filePath, const std::string& gameVersion);
  ~ZrDemoRecorder() override;
  ZrDemoRecorder(const ZrDemoRecorder&) = delete;
  ZrDemoRecorder& operator=(const ZrDemoRecorder&) = delete;

  uint32_t Ticks() override;
  uint64_t Seed() override;
  bool Poll(ZrMsg& msg) override;
  void Dispatch(const ZrMsg& msg) override { Scope.Below().Dispatch(msg); }
  intptr_t Window(ZrWnd wnd, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void WaitForMessage() override { Scope.Below().WaitForMessage(); }

  void BeforePass() override;
  void AfterPass() override;
  // Writes the end mark; the line "demo: N frames, state H" goes to stdout when there is
  // a file. A file that could not be written throws EInOutError.
  void Finish();

 private:
  // The run goes to the file's writer while it takes passes, and the game under way to its own.
  template <typename Write>
  void EachWriter(Write write) {
    if (File && !FileEnded) write(*File);
    if (Kept) write(*Kept);
  }
  void WriteOut();
  void EndFile(bool atLimit);
  bool BestGame(std::vector<uint8_t>& bytes, std::string& whyNot) const;

  ZrGfx& Gfx;
  ZrInputScope Scope;
  std::string GameVersion;
  std::string Path;
  std::unique_ptr<ZrDemoWriter> File;
  std::FILE* Out = nullptr;
  bool FileEnded = false;
  // The score and the game over after the file's last pass, for its end mark.
  uint32_t FileScore = 0;
  bool FileGameOver = false;
  // The game under way, from the start of its new game.
  std::unique_ptr<ZrDemoWriter> Kept;
  bool FirstPass = true;
  bool HeaderDone = false;
  bool GameOver = false;
  int StateBefore = 0;
};
