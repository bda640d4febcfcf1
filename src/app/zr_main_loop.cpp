#include "app/zr_main_loop.h"

#include "app/zr_loading.h"
#include "demo/zr_pass_watcher.h"
#include "platform/platform.h"
#include "screens/zr_screens.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"
#include "shell/zr_input_source.h"

void RunGameStep() {
  switch (Game.GameState) {
    case gsLoading: LoadGame(); break;
    case gsMenu: MenuScreen(); break;
    case gsRecords: RecordsScreen(); break;
    case gsBattle: BattleScreen(); break;
    case gsGameOver: GameOverScreen(); break;
    case gsQuit: Game.Gfx->Terminated = true; break;
    case gsNewGame: NewGame(); break;
    default: break;
  }
}

void MainLoop(ZrGfx& gfx, ZrPassWatcher* watcher) {
  Game.Gfx = &gfx;
  while (!gfx.Terminated) {
    if (watcher != nullptr) {
      watcher->BeforePass();
      if (gfx.Terminated) break;
    }
    if (gfx.Active) {
      RunGameStep();
    } else {
      // Minimised: nothing runs but the message pump, and it sleeps until there is work
      // (a demo being played has its work at once).
      Input().WaitForMessage();
      gfx.ProcessMessages();
    }
    if (watcher != nullptr) watcher->AfterPass();
  }
}
