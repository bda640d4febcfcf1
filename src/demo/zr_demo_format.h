// The demo file: everything the game took from outside during a run, pass by pass, with
// a hash of the game's state after each, so that the run can be played again exactly.
//
// Little-endian throughout. A header, then records, each a tag byte and its payload;
// numbers marked "varint" are unsigned LEB128 (at most 10 bytes), "zigzag" ones are
// signed numbers folded onto unsigned ones first. README "Demo files" describes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint8_t DemoMagic[8] = {'Z', 'R', 'D', 'E', 'M', 'O', 0x1A, '\n'};
inline constexpr uint16_t DemoFormatVersion = 1;
// Caps that make a damaged or hostile file a clear refusal rather than a huge allocation
// or a playback that never ends.
inline constexpr size_t DemoMaxFileBytes = size_t{64} << 20;
inline constexpr size_t DemoMaxVersionBytes = 32;
inline constexpr uint64_t DemoMaxPasses = uint64_t{1} << 26;
// More tick readings in one pass than any battle could have tanks.
inline constexpr uint64_t DemoMaxSameTicks = uint64_t{1} << 20;

enum ZrDemoTag : uint8_t {
  dtPollNone = 1,     // the pass's look at the queue found nothing
  dtPollMessage = 2,  // it took a message; the deliveries it caused follow
  dtPollQuit = 3,     // it took WM_QUIT: varint exit code
  dtTick = 4,         // a tick-count reading: varint difference from the one before, mod 2^32
  dtSeed = 5,         // a reading of the clock that seeds the random generator: u64
  dtMessage = 6,      // a message delivered to the window procedure: varint message,
                      // varint wParam, zigzag lParam
  dtGameMouse = 7,    // a pointer move, in the game's pixels: zigzag x, zigzag y
  dtPassHash = 8,     // the end of a pass, with the state hash after it: u64
  dtPassEnd = 9,      // the end of a pass whose hash was not kept
  dtIdlePasses = 10,  // varint n: n passes that found no message and changed nothing
  dtEnd = 11,         // the clean end: varint passes in all, u64 final state hash
  dtSameTicks = 12,   // varint n: n tick-count readings that found the one before (a
                      // battle frame reads it once for every tank)
};

struct ZrDemoHeader {
  std::string GameVersion;
  uint64_t DataHash = 0;   // of the pictures in data/
  uint32_t BestScore = 0;  // as the game read it at start
};

// One record as the reader hands it over. Idle runs are unfolded into their passes.
struct ZrDemoEvent {
  ZrDemoTag Tag = dtPassEnd;
  uint32_t Message = 0;  // dtMessage; the exit code of dtPollQuit
  uint64_t Value = 0;    // wParam, a tick, a seed or a hash
  int64_t LParam = 0;    // lParam; the y of dtGameMouse, whose x is in Value
};

// Builds a demo's bytes. Records of the pass under way are held back until the pass
// ends, so that what reaches the sink is always whole passes.
class ZrDemoWriter {
 public:
  // hashEvery: keep the state hash of every nth pass (1: all; the last one is always
  // kept by Finish).
  ZrDemoWriter(const ZrDemoHeader& header, uint32_t hashEvery);

  void PollNone() { Put(dtPollNone); }
  void PollMessage() { Put(dtPollMessage); }
  void PollQuit(uint32_t exitCode);
  void Tick(uint32_t ticks);
  void Seed(uint64_t seed);
  void Message(uint32_t message, uint64_t wParam, int64_t lParam);
  void GameMouse(int32_t x, int32_t y);
  void EndPass(uint64_t stateHash);
  // Header fields known only later: the best score, which the game reads once it has
  // begun, and the pictures' hash, which only a demo that is kept needs. Set before
  // anything is taken.
  void SetBestScore(uint32_t score);
  void SetDataHash(uint64_t hash);
  // The end mark: no record may follow.
  void Finish(uint64_t stateHash);

  // Whole passes not yet taken by Take(), for a file that grows frame by frame.
  std::vector<uint8_t> Take();
  // Every byte so far, header included, followed by an end mark as Finish would write
  // it: a copy that can be saved as a finished demo while this one goes on.
  std::vector<uint8_t> Snapshot(uint64_t stateHash) const;
  uint64_t Passes() const { return PassCount; }

 private:
  void FlushIdle();
  void FlushSameTicks();
  void Patch(size_t at, uint64_t value, int bytes);
  // Starts a record in the pass under way, after any same-tick run before it.
  void Put(ZrDemoTag tag);
  std::vector<uint8_t> All;      // header and every whole pass
  std::vector<uint8_t> Current;  // the pass under way
  size_t Taken = 0;
  uint32_t HashEvery;
  uint64_t PassCount = 0;
  uint64_t IdleRun = 0;
  uint64_t LastHash = 0;
  uint32_t LastTick = 0;
  bool HasTick = false;
  uint64_t SameTicks = 0;
};

// Reads a demo from memory. Open checks the whole file first, so that a bad one is
// refused before anything plays: Error() says what is wrong with it.
class ZrDemoReader {
 public:
  bool Open(std::vector<uint8_t> bytes);
  const std::string& Error() const { return Failure; }
  const ZrDemoHeader& Header() const { return Head; }
  uint64_t TotalPasses() const { return Passes; }
  bool Finished() const { return HasEnd; }  // false: cut short, played to its last whole pass
  uint64_t FinalHash() const { return EndHash; }

  // The next record, idle runs unfolded into their passes; false past the last pass.
  bool Next(ZrDemoEvent& event);
  // The next record without taking it.
  bool Peek(ZrDemoEvent& event);

 private:
  struct Cursor {
    size_t Pos = 0;
    uint64_t IdleLeft = 0;   // passes of an idle run still to hand over
    bool IdleEndNext = false;  // the next record is the end of an idle pass
    uint64_t SameTicksLeft = 0;
    uint32_t Tick = 0;
  };
  // One record at the cursor; false with Failure set when the bytes are not one. Runs
  // are unfolded into what they stand for, or handed over whole (Value: their length).
  bool Decode(Cursor& at, ZrDemoEvent& event, bool unfold);
  // The next record before the end mark, from the cursor, which moves past it.
  bool Take(Cursor& at, ZrDemoEvent& event);
  bool Fail(const std::string& what, size_t pos);

  std::vector<uint8_t> Bytes;
  ZrDemoHeader Head;
  std::string Failure;
  size_t Limit = 0;  // just past the last whole pass
  Cursor At;
  uint64_t Passes = 0;
  bool HasEnd = false;
  uint64_t EndHash = 0;
};
