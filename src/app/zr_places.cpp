#include "app/zr_places.h"

#include <cstdio>
#include <filesystem>

#include "platform/platform.h"
#include "screens/zr_bestscore.h"

namespace fs = std::filesystem;

namespace {

bool HasData(const fs::path& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir / "data", ec);
}

// Whether a new file can be made in dir: the one sure test, since permissions, read-only
// media and Windows' folder rights all have their say.
bool CanCreateFileIn(const std::string& dir) {
  const fs::path probe = fs::path(dir) / "zr_write_test.tmp";
  std::FILE* f = std::fopen(probe.string().c_str(), "wb");
  if (f == nullptr) return false;
  std::fclose(f);
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

std::string InUserDataDir(const PlaceFacts& facts) {
  return facts.UserDataDir.empty() ? std::string() : (fs::path(facts.UserDataDir) / BestScoreFileName).string();
}

GamePlaces OwnFolder(const fs::path& dir, const PlaceFacts& facts) {
  GamePlaces places{dir.string(), BestScoreFileName};
  if (facts.ScoreLeavesReadOnlyFolder && !facts.UserDataDir.empty()) {
    const auto canWrite = facts.CanWriteIn != nullptr ? facts.CanWriteIn : &CanCreateFileIn;
    if (!canWrite(places.GameDir)) places.ScorePath = InUserDataDir(facts);
  }
  return places;
}

}  // namespace

GamePlaces FindGamePlaces(const PlaceFacts& facts) {
  const fs::path here = facts.WorkingDir;
  const fs::path exeDir = facts.ExecutablePath.empty() ? fs::path() : fs::path(facts.ExecutablePath).parent_path();
  const fs::path shareDir = exeDir.empty() ? fs::path() : (exeDir / facts.DataFromBinary).lexically_normal();
  const bool installed = !HasData(exeDir) && HasData(shareDir);
  std::error_code ec;
  // Started from inside the installation's share folder, the game is still installed.
  const bool hereIsInstallation = installed && fs::equivalent(here, shareDir, ec);

  if (HasData(here) && !hereIsInstallation) return OwnFolder(here, facts);
  if (HasData(exeDir)) return OwnFolder(exeDir, facts);
  if (installed) return {shareDir.string(), InUserDataDir(facts)};
  return {here.string(), BestScoreFileName};
}

void SettleGamePlaces() {
  std::error_code ec;
  const PlaceFacts facts{fs::current_path(ec).string(), Platform::ExecutablePath(), ZR_DATA_FROM_BINARY,
                         Platform::UserDataDir(), Platform::ScoreLeavesReadOnlyFolder()};
  const GamePlaces places = FindGamePlaces(facts);
  fs::current_path(places.GameDir, ec);
  SetBestScorePath(places.ScorePath);
}
