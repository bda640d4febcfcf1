#include "app/zr_demo_session.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <vector>

#include "app/zr_version.h"
#include "demo/zr_demo_player.h"
#include "demo/zr_demo_recorder.h"
#include "platform/platform.h"
#include "platform/zr_path.h"
#include "screens/zr_bestscore.h"
#include "shell/zr_game.h"
#include "shell/zr_gfx.h"

namespace fs = std::filesystem;

namespace {

bool Plays(ZrCommandLine::Demo mode) {
  return mode == ZrCommandLine::Demo::Play || mode == ZrCommandLine::Demo::TimeDemo ||
         mode == ZrCommandLine::Demo::PlayBest;
}

// At most one byte more than a demo may have, so that a larger file is refused whole.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  std::FILE* f = Platform::OpenFile(path, "rb");
  if (f == nullptr) return false;
  bytes.clear();
  std::vector<uint8_t> chunk(1 << 16);
  size_t n = 0;
  while (bytes.size() <= DemoMaxFileBytes && (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
  }
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

}  // namespace

ZrDemoSession::ZrDemoSession(const ZrCommandLine& line, ZrPassWatcher* script) : Mode(line.DemoMode), Script(script) {
  std::error_code ec;
  try {
    if (!line.DemoPath.empty()) Path = Utf8FromPath(fs::absolute(PathFromUtf8(line.DemoPath), ec));
  } catch (const std::exception&) {
    // Not UTF-8, where the system's names are wide characters: no file can have it.
    Unusable = true;
  }
  if (Path.empty()) Path = line.DemoPath;
}

ZrDemoSession::~ZrDemoSession() = default;

int ZrDemoSession::Load() {
  if (Unusable) {
    Platform::PrintToUser("zr_ironfall: " + Path + ": not a file name this system can use\n", true);
    return 2;
  }
  if (!Plays(Mode)) return 0;
  if (Mode == ZrCommandLine::Demo::PlayBest) {
    // The game beside the score this run would show, wherever that score was found.
    const ZrFoundScore found = FindBestScore();
    BestScore = found.Score;
    Path = BestGamePathBeside(found.Path);
  }
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(Path, bytes)) {
    const bool best = Mode == ZrCommandLine::Demo::PlayBest;
    Platform::PrintToUser("zr_ironfall: " + Path + ": " + (best ? "no best game has been kept yet" : "cannot be read") + "\n",
                          true);
    return 2;
  }
  if (!Demo.Open(std::move(bytes))) {
    Platform::PrintToUser("zr_ironfall: " + Path + ": not a demo that can be played: " + Demo.Error() + "\n", true);
    return 2;
  }
  // Played with other pictures or by another version, a demo may part from its recording:
  // say so now rather than leave a difference unexplained.
  if (Demo.Header().GameVersion != ZR_VERSION) {
    std::fprintf(stderr, "demo: recorded by version %s of the game, played by %s\n", Demo.Header().GameVersion.c_str(),
                 ZR_VERSION);
  }
  return 0;
}

void ZrDemoSession::Start(ZrGfx& gfx) {
  Gfx = &gfx;
  if (Plays(Mode)) {
    Player = std::make_unique<ZrDemoPlayer>(gfx, Demo);
    if (Mode == ZrCommandLine::Demo::TimeDemo) {
      gfx.MinFrameNs = 0;
      Clock = std::make_unique<ZrTimedemoClock>();
    }
    return;
  }
  Recorder = std::make_unique<ZrDemoRecorder>(gfx, Mode == ZrCommandLine::Demo::Record ? Path : "", ZR_VERSION);
}

void ZrDemoSession::BeforePass() {
  if (Script != nullptr) Script->BeforePass();
  if (Recorder) Recorder->BeforePass();
  if (Player) Player->BeforePass();
}

void ZrDemoSession::AfterPass() {
  if (Recorder) Recorder->AfterPass();
  if (Player) Player->AfterPass();
  if (Clock && Player->FramesPlayed() > 0) {
    Clock->AfterPass(Player->FramesPlayed() - 1, Gfx->FramesShown, Game.GameState != gsLoading, Platform::FineClockNs());
  }
  if (Script != nullptr) Script->AfterPass();
}

void ZrDemoSession::Finish() {
  if (Recorder) Recorder->Finish();
  if (!Player) return;
  Player->Finish();
  // One text, so that a Windows player started from the desktop gets it in one box.
  char line[256];
  std::string text;
  if (Mode == ZrCommandLine::Demo::PlayBest) {
    // The kept game's own score, from its end mark; a crash between the saves, or a game
    // that could not be kept, leaves one that is not the best score's.
    if (!Demo.Finished()) {
      text = "best game: cut short, its score is not known\n";
    } else if (Demo.End().Score != BestScore) {
      std::snprintf(line, sizeof line, "best game: score %u, but the best score is %u: this is not the game that set it\n",
                    Demo.End().Score, BestScore);
      text = line;
    } else {
      std::snprintf(line, sizeof line, "best game: score %u\n", Demo.End().Score);
      text = line;
    }
  }
  if (Player->StoppedByPlayer()) {
    std::snprintf(line, sizeof line, "demo: stopped at frame %" PRIu64 "\n", Player->FramesPlayed());
    text += line;
  } else {
    if (Demo.CutShort()) std::fprintf(stderr, "demo: the recording was cut short; it played to its last whole frame\n");
    std::snprintf(line, sizeof line, "demo: %" PRIu64 " frames, state %016" PRIx64 "\n", Player->FramesPlayed(),
                  Player->LastHash());
    text += line;
  }
  if (Clock) text += Clock->Summary();
  Platform::PrintToUser(text, false);
}
