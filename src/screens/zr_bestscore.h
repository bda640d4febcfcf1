// The best-score file: the best result as bare decimal digits, kept between runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The file's name; without a directory it lies in the working directory.
inline constexpr const char* BestScoreFileName = "bs.zrt";
// The best game, the demo of the game that set the best score, lies beside it.
inline constexpr const char* BestGameFileName = "bs.zrd";
std::string BestGamePathBeside(const std::string& scorePath);

// Where the game reads and writes its best score: BestScoreFileName in the working
// directory until the entry, at start, sets the place it has found for the file, and
// the fallback (empty for none) where the score goes once that folder refuses it.
// Paths are UTF-8.
const std::string& BestScorePath();
void SetBestScorePath(const std::string& path, const std::string& fallback = {});

// The best score for this run: the one at BestScorePath(), or the one an earlier run had
// to keep in the fallback, whichever is higher, with the file it came from (the first
// place when neither holds one). Throws as ReadBestScore does.
struct ZrFoundScore {
  uint32_t Score = 0;
  std::string Path;
};
ZrFoundScore FindBestScore();
uint32_t LoadBestScore();
// Saves score at BestScorePath(); where that folder refuses the file (rights, a
// read-only medium) and a fallback is set, there instead, for the rest of the run.
// Nothing is written before this: whether the folder may be written is learnt here.
// The game that set the score, when a source for it is set, goes first, as bs.zrd beside
// it, each file in one step: a crash between the two leaves the new game beside the old
// score, never an old game beside the new score. A game that cannot be kept is said to
// the player, and the score is saved all the same.
bool SaveBestScore(uint32_t score);
// Where the game that sets a best score comes from: it fills bytes with the demo of the
// game that scored score, or says in whyNot why there is none to keep. The recorder sets
// it for its lifetime; an empty one keeps no game.
using ZrBestGameSource = std::function<bool(uint32_t score, std::vector<uint8_t>& bytes, std::string& whyNot)>;
void SetBestGameSource(ZrBestGameSource source);
// A demo being played keeps the score it was recorded with in memory instead: the game
// shows it, and never touches the player's file, until KeepBestScoreInFile.
void KeepBestScoreInMemory(uint32_t score);
void KeepBestScoreInFile();
// The places of the score file, the one SaveBestScore writes to now first.
std::vector<std::string> BestScorePaths();

// Reads the best score from path. A missing or empty file reads as 0. A file that does
// not hold a usable number (no number at all, a negative one, one beyond 32 bits) also
// reads as 0, with a warning on stderr naming the file; the file itself is left alone
// until a better score replaces it. A file that is there but cannot be opened or read
// throws EInOutError: it may hold a score that a 0 would let the next game replace.
uint32_t ReadBestScore(const std::string& path);

// Turns the text of the file into the score, the way ReadBestScore does: blanks (bytes
// of code 32 or below) before the number skipped, an optional sign, decimal digits or a
// hexadecimal number after "$", "x" or "0x", at most 32 bytes, ended by a blank or the
// end. Empty or blank text is 0. False when the text holds no such number in 32 bits.
bool ParseBestScore(std::string_view text, uint32_t& score);

// Replaces the file at path with the digits of score and nothing else, making its folder
// first when there is none (the player's own folder, on the first save). The digits go to
// a temporary file beside it, which is flushed to the disk and then renamed over path,
// so the old best score survives a crash at any moment. A failure (an empty path among
// them: nowhere to keep it) is reported to the player (message box and stderr) and gives
// false; the old file is then unchanged.
bool WriteBestScore(const std::string& path, uint32_t score);
