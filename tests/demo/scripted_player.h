// A player that needs no hands: it drives the real game through its message queue, pass
// by pass, and looks at the battle to aim. With a clock of its own and fixed seeds its
// games are the same every time, and as fast as the machine draws them. It makes the
// golden demos and plays the games of the demo tests.
#pragma once

#include <cstdint>
#include <deque>

#include "demo/zr_pass_watcher.h"
#include "platform/platform.h"
#include "shell/zr_input_source.h"

enum class ScriptedGame {
  LostAtBase,     // a new game at once: a few tanks shot (none by default), then the base
  LongBattle,     // shoots until about thirty tanks are out, holds them off, then they ram the base
  RecordsAndBest  // the records screen, then a short game with a new best score
};

// Its clock and seeds are the game's input: it is the source below the recorder.
class ScriptedPlayer : public ZrPassWatcher, public ZrInputSource {
 public:
  explicit ScriptedPlayer(ScriptedGame game, uint32_t kills = 0);
  void BeforePass() override;
  uint32_t Ticks() override;
  uint64_t Seed() override;
  uint64_t Passes() const { return Pass; }

 private:
  void Key(uintptr_t key);
  void FireAt(float x, float y);
  void AimAndFire();
  void Plan();

  ScriptedGame Game_;
  uint32_t Kills;
  uint64_t Pass = 0;
  uint64_t StateSince = 0;  // the pass the current screen began
  int LastState = -1;
  int MenuVisits = 0;
  std::deque<ZrMsg> Pending;
  uint64_t Seeds = 0;
  ZrInputScope Scope{*this};
};
