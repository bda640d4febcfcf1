// Records the golden demos: each scripted game played once by the real game, written to
// the folder given (tests/demos by default). Run from a scratch folder that holds data/,
// so the games' best scores land there. tools/record-golden-demos.sh runs it.
#include <cstdio>
#include <string>

#include "app/zr_entry.h"
#include "demo/scripted_player.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "tests/demos";
  // A trial of the scripted player: zr_make_golden_demos FOLDER KILLS records one game lost
  // at the base after that many tanks.
  if (argc > 2) {
    ScriptedPlayer player(ScriptedGame::LostAtBase, static_cast<uint32_t>(std::stoul(argv[2])));
    return RunGame({"--record", folder + "/trial.zrd"}, &player);
  }
  const struct {
    const char* Name;
    ScriptedGame Game;
  } games[] = {{"lost_at_base", ScriptedGame::LostAtBase},
               {"long_battle", ScriptedGame::LongBattle},
               {"records_and_best", ScriptedGame::RecordsAndBest}};
  for (const auto& g : games) {
    std::remove("bs.zrt");
    ScriptedPlayer player(g.Game);
    const std::string path = folder + "/" + g.Name + ".zrd";
    std::printf("%s: ", path.c_str());
    std::fflush(stdout);
    const int code = RunGame({"--record", path}, &player);
    if (code != 0) return code;
  }
  return 0;
}
