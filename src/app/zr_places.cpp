#include "app/zr_places.h"

#include <filesystem>

#include "platform/platform.h"
#include "platform/zr_path.h"
#include "screens/zr_bestscore.h"

namespace fs = std::filesystem;

namespace {

bool HasData(const fs::path& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir / "data", ec);
}

std::string InUserDataDir(const PlaceFacts& facts) {
  return facts.UserDataDir.empty() ? std::string() : Utf8FromPath(PathFromUtf8(facts.UserDataDir) / BestScoreFileName);
}

// Whether the folder may be written is found out only when a score is first saved:
// a probe at every start would write beside the game, where Windows' guard over the
// player's folders may object to it.
GamePlaces OwnFolder(const fs::path& dir, const PlaceFacts& facts) {
  GamePlaces places{Utf8FromPath(dir), BestScoreFileName, {}};
  if (facts.ScoreLeavesReadOnlyFolder) places.FallbackScorePath = InUserDataDir(facts);
  return places;
}

}  // namespace

GamePlaces FindGamePlaces(const PlaceFacts& facts) {
  const fs::path here = PathFromUtf8(facts.WorkingDir);
  const fs::path exeDir = facts.ExecutablePath.empty() ? fs::path() : PathFromUtf8(facts.ExecutablePath).parent_path();
  const fs::path shareDir = exeDir.empty() ? fs::path() : (exeDir / PathFromUtf8(facts.DataFromBinary)).lexically_normal();
  const bool installed = !HasData(exeDir) && HasData(shareDir);
  std::error_code ec;
  // Started from inside the installation's share folder, the game is still installed.
  const bool hereIsInstallation = installed && fs::equivalent(here, shareDir, ec);

  if (HasData(here) && !hereIsInstallation) return OwnFolder(here, facts);
  if (HasData(exeDir)) return OwnFolder(exeDir, facts);
  if (installed) return {Utf8FromPath(shareDir), InUserDataDir(facts), {}};
  return {Utf8FromPath(here), BestScoreFileName, {}};
}

void SettleGamePlaces() {
  std::error_code ec;
  const PlaceFacts facts{Utf8FromPath(fs::current_path(ec)), Platform::ExecutablePath(), ZR_DATA_FROM_BINARY,
                         Platform::UserDataDir(), Platform::ScoreLeavesReadOnlyFolder()};
  const GamePlaces places = FindGamePlaces(facts);
  fs::current_path(PathFromUtf8(places.GameDir), ec);
  SetBestScorePath(places.ScorePath, places.FallbackScorePath);
}
