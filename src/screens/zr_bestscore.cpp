#include "screens/zr_bestscore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/zr_path.h"
#include "shell/zr_errors.h"
#include "shell/zr_report.h"

namespace {

// The longest number the reader takes; any further bytes of it are not read.
constexpr size_t kMaxNumberBytes = 32;

bool IsBlank(unsigned char c) { return c <= 32; }

int DigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

void Warn(const std::string& path, const std::string& what) {
  std::fprintf(stderr, "Zr Ironfall: %s: %s; the best score starts from 0\n", path.c_str(), what.c_str());
  std::fflush(stderr);
}

std::string ErrnoText(int err) { return err != 0 ? std::strerror(err) : "write error"; }

std::string& ScorePath() {
  static std::string path = BestScoreFileName;
  return path;
}

std::string& FallbackPath() {
  static std::string path;
  return path;
}

// Set once a save beside the game has been refused: the rest of the run saves in the fallback.
bool g_useFallback = false;

// Refusals that another folder may not meet: rights, a read-only medium.
bool Refused(int err) { return err == EACCES || err == EPERM || err == EROFS; }

// Makes the folders of path that are missing, readable by the player alone: the best
// score is nobody else's business. Empty when they are there; otherwise what failed.
std::string MakeFolderFor(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = PathFromUtf8(path).parent_path();
  if (folder.empty() || fs::is_directory(folder, ec)) return {};
  std::vector<fs::path> missing;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!fs::create_directory(*it, ec) && ec) return Utf8FromPath(*it) + ": " + ec.message();
    fs::permissions(*it, fs::perms::owner_all, ec);
  }
  return {};
}

// Writes bytes to a temporary file beside path, then renames it over path. Empty when
// that worked; otherwise what failed, and the temporary file is gone again. refused is
// set when the folder would not take the file at all.
std::string ReplaceWithBytes(const std::string& path, const std::string& bytes, bool& refused) {
  const std::string temp = path + ".tmp";
  std::string failure;
  errno = 0;
  std::FILE* f = Platform::OpenFile(temp, "wb");
  refused = f == nullptr && Refused(errno);
  if (f == nullptr) return temp + ": " + ErrnoText(errno);
  // On the disk before the rename, so the rename never lands before the data.
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && Platform::FlushToDisk(f);
  const int err = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) failure = temp + ": " + ErrnoText(written ? errno : err);
  if (failure.empty()) {
    // One step: either the old file or the new one is there, never half of either.
    const std::string error = Platform::RenameOver(temp, path);
    if (!error.empty()) failure = path + ": " + error;
  }
  if (!failure.empty()) {
    std::error_code ignored;
    std::filesystem::remove(PathFromUtf8(temp), ignored);
  }
  return failure;
}

// What WriteBestScore does, but the failure is handed back rather than shown. A game given
// goes first, beside the score; a failure to keep it is left in gameFailure.
std::string TryWrite(const std::string& path, uint32_t score, bool& refused, const std::vector<uint8_t>* game = nullptr,
                     std::string* gameFailure = nullptr) {
  refused = false;
  if (path.empty()) return "no folder is known to keep it in";
  std::string failure = MakeFolderFor(path);
  if (!failure.empty()) return failure;
  if (game != nullptr) {
    // A folder that refuses the score too sends both elsewhere; one that takes the score
    // keeps it, and the player is told the game was lost.
    bool gameRefused = false;
    failure = ReplaceWithBytes(BestGamePathBeside(path), std::string(game->begin(), game->end()), gameRefused);
    if (!failure.empty()) *gameFailure = failure;
  }
  return ReplaceWithBytes(path, std::to_string(score), refused);
}

ZrBestGameSource& GameSource() {
  static ZrBestGameSource source;
  return source;
}

void ReportUnsaved(uint32_t score, const std::string& failure) {
  ShowMessage("Zr Ironfall", "The best score " + std::to_string(score) + " could not be saved (" + failure + ").", true);
}

bool Report(uint32_t score, const std::string& failure, const std::string& gameFailure) {
  if (!failure.empty()) {
    ReportUnsaved(score, failure);
    return false;
  }
  if (!gameFailure.empty()) {
    ShowMessage("Zr Ironfall", "The game that set the best score " + std::to_string(score) +
                                   " could not be kept (" + gameFailure + "); the score is saved.",
                false);
  }
  return true;
}

// A demo being played keeps the best score here instead of in the file.
std::optional<uint32_t>& ScoreInMemory() {
  static std::optional<uint32_t> score;
  return score;
}

}  // namespace

bool ParseBestScore(std::string_view text, uint32_t& score) {
  size_t i = 0;
  while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i]))) ++i;
  size_t end = i;
  while (end < text.size() && end - i < kMaxNumberBytes && !IsBlank(static_cast<unsigned char>(text[end]))) ++end;
  const std::string_view number = text.substr(i, end - i);
  score = 0;
  if (number.empty()) return true;

  size_t p = 0;
  bool negative = false;
  if (number[p] == '+' || number[p] == '-') negative = number[p++] == '-';
  int base = 10;
  if (p < number.size() && (number[p] == '$' || number[p] == 'x' || number[p] == 'X')) {
    base = 16;
    ++p;
  } else if (p + 1 < number.size() && number[p] == '0' && (number[p + 1] == 'x' || number[p + 1] == 'X')) {
    base = 16;
    p += 2;
  }
  if (p == number.size()) return false;  // a sign or a prefix without digits

  uint64_t value = 0;
  for (; p < number.size(); ++p) {
    const int digit = DigitValue(static_cast<unsigned char>(number[p]));
    if (digit >= base) return false;
    value = value * base + digit;
    if (value > UINT32_MAX) return false;
  }
  if (negative && value != 0) return false;
  score = static_cast<uint32_t>(value);
  return true;
}

uint32_t ReadBestScore(const std::string& path) {
  std::FILE* f = Platform::OpenFile(path, "rb");
  if (f == nullptr) {
    // A fresh installation has no file yet: its best score is simply 0. A file that is
    // there but cannot be opened may well hold a score: reading it as 0 would let the
    // next better score replace it, so that stops the game as any unreadable file does.
    if (errno == ENOENT) return 0;
    throw EInOutError(errno == EACCES ? "File access denied" : std::strerror(errno), path);
  }
  // Only the blanks before the number and the number itself are read.
  std::string text;
  int c;
  while ((c = std::fgetc(f)) != EOF && IsBlank(static_cast<unsigned char>(c))) {
  }
  while (c != EOF && !IsBlank(static_cast<unsigned char>(c))) {
    text.push_back(static_cast<char>(c));
    if (text.size() == kMaxNumberBytes) break;
    c = std::fgetc(f);
  }
  const bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (readError) throw EInOutError("Read error", path);
  uint32_t score = 0;
  if (!ParseBestScore(text, score)) {
    Warn(path, "does not hold a best score (a whole number from 0 to 4294967295)");
    return 0;
  }
  return score;
}

const std::string& BestScorePath() { return ScorePath(); }

void SetBestScorePath(const std::string& path, const std::string& fallback) {
  ScorePath() = path;
  FallbackPath() = fallback;
  g_useFallback = false;
}

std::string BestGamePathBeside(const std::string& scorePath) {
  return Utf8FromPath(PathFromUtf8(scorePath).replace_filename(BestGameFileName));
}

ZrFoundScore FindBestScore() {
  ZrFoundScore found{ReadBestScore(ScorePath()), ScorePath()};
  std::error_code ec;
  if (FallbackPath().empty() || !std::filesystem::exists(PathFromUtf8(FallbackPath()), ec)) return found;
  const uint32_t other = ReadBestScore(FallbackPath());
  if (other > found.Score || !std::filesystem::exists(PathFromUtf8(ScorePath()), ec)) found = {other, FallbackPath()};
  return found;
}

uint32_t LoadBestScore() {
  if (ScoreInMemory()) return *ScoreInMemory();
  return FindBestScore().Score;
}

void SetBestGameSource(ZrBestGameSource source) { GameSource() = std::move(source); }

bool SaveBestScore(uint32_t score) {
  if (ScoreInMemory()) {
    ScoreInMemory() = score;
    return true;
  }
  std::vector<uint8_t> game;
  std::string gameFailure;
  const bool keepsGame = GameSource() && GameSource()(score, game, gameFailure);
  const std::vector<uint8_t>* kept = keepsGame ? &game : nullptr;
  if (!g_useFallback && !FallbackPath().empty()) {
    bool refused = false;
    const std::string failure = TryWrite(ScorePath(), score, refused, kept, &gameFailure);
    if (!refused) return Report(score, failure, gameFailure);
    g_useFallback = true;
    if (keepsGame) gameFailure.clear();
  }
  bool refused = false;
  const std::string failure = TryWrite(g_useFallback ? FallbackPath() : ScorePath(), score, refused, kept, &gameFailure);
  return Report(score, failure, gameFailure);
}

bool WriteBestScore(const std::string& path, uint32_t score) {
  bool refused = false;
  const std::string failure = TryWrite(path, score, refused);
  if (failure.empty()) return true;
  ReportUnsaved(score, failure);
  return false;
}

void KeepBestScoreInMemory(uint32_t score) { ScoreInMemory() = score; }

void KeepBestScoreInFile() { ScoreInMemory().reset(); }

std::vector<std::string> BestScorePaths() {
  std::vector<std::string> paths{g_useFallback ? FallbackPath() : ScorePath()};
  const std::string& other = g_useFallback ? ScorePath() : FallbackPath();
  if (!other.empty()) paths.push_back(other);
  return paths;
}
