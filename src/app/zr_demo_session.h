// What the command line asked of demos, for one run of the game: record it (always in
// memory for the best game, to a file on request) or play one back. It watches the main
// loop's passes for the recorder or the player, after a scripted player where a test
// drives the game.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/zr_command_line.h"
#include "app/zr_timedemo_clock.h"
#include "demo/zr_demo_format.h"
#include "demo/zr_pass_watcher.h"

class ZrGfx;
class ZrDemoRecorder;
class ZrDemoPlayer;

class ZrDemoSession : public ZrPassWatcher {
 public:
  // Takes the file's name as the command line meant it, from the working directory the
  // game was started in, before the game moves to its own folder.
  ZrDemoSession(const ZrCommandLine& line, ZrPassWatcher* script);
  ~ZrDemoSession() override;

  // Reads and checks the demo to play, once the game's folder is settled. 0, or the
  // exit code 2 after telling the player what is wrong with the file or its name.
  int Load();
  // Becomes the game's input (recorder or player): before the random generator is first
  // seeded and the window opens.
  void Start(ZrGfx& gfx);
  // After the last pass: the end mark, or the line that says how playback ended.
  void Finish();

  void BeforePass() override;
  void AfterPass() override;

 private:
  ZrCommandLine::Demo Mode;
  std::string Path;
  ZrPassWatcher* Script;
  ZrDemoReader Demo;
  std::unique_ptr<ZrDemoRecorder> Recorder;
  std::unique_ptr<ZrDemoPlayer> Player;
  ZrGfx* Gfx = nullptr;
  uint32_t BestScore = 0;  // --play-best: the best score beside the kept game
  bool Unusable = false;  // the file's name cannot be a path here
  std::unique_ptr<ZrTimedemoClock> Clock;  // --timedemo
};
