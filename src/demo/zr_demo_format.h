// The demo file: everything the game took from outside during a run, pass by pass, with
// a hash of the game's state after each, so that the run can be played again exactly.
//
// Little-endian throughout. A header, then records, each a tag byte and its payload;
// numbers marked "varint" are unsigned LEB128 (at most 10 bytes), "zigzag" ones are
// signed numbers folded onto unsigned ones first. README "Demos" describes it.
//
// What a demo claims, for whoever accepts games by it (a hall of fame): open it with
// ZrDemoReader; Header().GameVersion is the version that recorded it; when Finished(),
// End().Score is the score the game ended with and End().GameOver says that its last
// game ended with the base destroyed. Reading proves nothing: only playing the demo to
// its end (exit 0 of --play, --timedemo or --verify) shows that this build reaches the
// same state, the same score and the same game over, since the player compares all
// three with the end mark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint8_t DemoMagic[8] = {'Z', 'R', 'D', 'E', 'M', 'O', 0x1A, '\n'};
inline constexpr uint16_t DemoFormatVersion = 2;
// Caps that make a damaged or hostile file a clear refusal rather than a huge allocation
// or a playback that never ends. The writers keep to them too.
inline constexpr size_t DemoMaxFileBytes = size_t{64} << 20;
inline constexpr size_t DemoMaxVersionBytes = 32;
inline constexpr uint64_t DemoMaxPasses = uint64_t{1} << 26;
// More tick readings in one pass than any battle could have tanks.
inline constexpr uint64_t DemoMaxSameTicks = uint64_t{1} << 20;

enum ZrDemoTag : uint8_t {
  dtPollNone = 1,     // the pass's look at the queue found nothing
  dtPollMessage = 2,  // it took a message; the deliveries it caused follow
  dtPollQuit = 3,     // it took WM_QUIT: varint exit code; only the pass's end follows
  dtTick = 4,         // a tick-count reading: varint difference from the one before, mod 2^32
  dtSeed = 5,         // a reading of the clock that seeds the random generator: u64
  dtMessage = 6,      // the game's input (IsGameInput, but the pointer): varint message, varint wParam
  dtGameMouse = 7,    // a pointer move, in the game's pixels: zigzag x, zigzag y
  dtPassHash = 8,     // the end of a pass, with the state hash after it: u64
  dtPassEnd = 9,      // the end of a pass whose hash was not kept
  dtIdlePasses = 10,  // varint n: n passes that found no message and changed nothing
  dtEnd = 11,         // the end mark: varint passes in all, u64 final state hash, varint
                      // final score, u8 1 when the last game ended in a game over, else 0
  dtSameTicks = 12,   // varint n: n tick-count readings that found the one before (a
                      // battle frame reads it once for every tank)
  dtStart = 13,       // a demo that starts at a new game, first record only: ZrDemoStart
};

struct ZrDemoHeader {
  std::string GameVersion;
  uint32_t BestScore = 0;  // as the game held it where the demo starts
};

// All that a game depends on from its new game on, for a demo that starts there (the
// best game): the random generator, the frame counter, the input held, the base's place.
// Payload of dtStart: u64 random state, u8 menu index, u8 flags (1 active, 2 left button,
// 4 right button), 32 bytes of keys held (bit k of byte k/8: key k), zigzag pointer x and
// y, varint LastTick, Fps, FpsElapsed and FpsFrames, u32 bits of the base's x, y and
// turret angle.
struct ZrDemoStart {
  uint64_t RandomState = 0;
  uint8_t MenuIndex = 0;
  bool Active = false;
  bool LeftDown = false;
  bool RightDown = false;
  bool Keys[256] = {};
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  uint32_t LastTick = 0;
  uint32_t Fps = 0;
  uint32_t FpsElapsed = 0;
  uint32_t FpsFrames = 0;
  float BaseX = 0;
  float BaseY = 0;
  float BaseTurret = 0;
};

// The end mark's claims.
struct ZrDemoEnd {
  uint64_t Passes = 0;
  uint64_t StateHash = 0;
  uint32_t Score = 0;     // Game.Score at the end
  bool GameOver = false;  // the last game ended with the base destroyed, no new one begun
};

// One record as the reader hands it over. Idle runs are unfolded into their passes.
struct ZrDemoEvent {
  ZrDemoTag Tag = dtPassEnd;
  uint32_t Message = 0;  // dtMessage; the exit code of dtPollQuit
  uint64_t Value = 0;    // wParam, a tick, a seed or a hash; the x of dtGameMouse
  int64_t Y = 0;         // the y of dtGameMouse
};

// Builds a demo's bytes. Records of the pass under way are held back until the pass
// ends, so that what reaches the sink is always whole passes. It never builds a file the
// reader refuses: a pass that would take it over the caps is not taken, and it is Full.
class ZrDemoWriter {
 public:
  // hashEvery: keep the state hash of every nth pass (1: all).
  ZrDemoWriter(const ZrDemoHeader& header, uint32_t hashEvery);

  // A demo that starts at a new game: before any other record.
  void Start(const ZrDemoStart& start);
  void PollNone() { Put(dtPollNone); }
  void PollMessage() { Put(dtPollMessage); }
  void PollQuit(uint32_t exitCode);
  void Tick(uint32_t ticks);
  void Seed(uint64_t seed);
  // A message of the game's input (IsGameInput), not the pointer.
  void Message(uint32_t message, uint64_t wParam);
  void GameMouse(int32_t x, int32_t y);
  // False when the pass did not fit under the caps: it is dropped, and so is any later one.
  bool EndPass(uint64_t stateHash);
  bool Full() const { return IsFull; }
  // The header's best score, known only once the game has loaded: before anything is taken.
  void SetBestScore(uint32_t score);
  // The end mark, with the hash of the last pass: no record may follow.
  void Finish(uint32_t score, bool gameOver);

  // Whole passes not yet taken by Take(), for a file that grows frame by frame.
  std::vector<uint8_t> Take();
  // Every byte so far, header included, followed by an end mark as Finish would write
  // it: a copy that can be saved as a finished demo while this one goes on.
  std::vector<uint8_t> Snapshot(uint32_t score, bool gameOver) const;
  uint64_t Passes() const { return PassCount; }
  uint64_t LastPassHash() const { return LastHash; }

 private:
  void FlushIdle(std::vector<uint8_t>& out, uint64_t& run) const;
  void FlushSameTicks();
  void PutEnd(std::vector<uint8_t>& out, uint32_t score, bool gameOver) const;
  // Starts a record in the pass under way, after any same-tick run before it.
  void Put(ZrDemoTag tag);
  std::vector<uint8_t> All;      // header and every whole pass
  std::vector<uint8_t> Current;  // the pass under way
  size_t Taken = 0;
  size_t BestScoreAt = 0;
  uint32_t HashEvery;
  uint64_t PassCount = 0;
  uint64_t IdleRun = 0;
  uint64_t LastHash = 0;
  uint32_t LastTick = 0;
  bool HasTick = false;
  uint64_t SameTicks = 0;
  bool IsFull = false;
};

// Reads a demo from memory. Open checks the whole file first, so that a bad one is
// refused before anything plays: Error() says what is wrong with it. A file cut short
// after its first whole pass (a crash while recording) is taken up to its last whole pass,
// and CutShort() says so.
class ZrDemoReader {
 public:
  bool Open(std::vector<uint8_t> bytes);
  const std::string& Error() const { return Failure; }
  const ZrDemoHeader& Header() const { return Head; }
  bool StartsAtNewGame() const { return HasStart; }
  const ZrDemoStart& Start() const { return StartState; }
  uint64_t TotalPasses() const { return Passes; }
  // The end mark was read: End() holds its claims. Without it the file was cut short.
  bool Finished() const { return HasEnd; }
  bool CutShort() const { return !HasEnd; }
  const ZrDemoEnd& End() const { return EndMark; }

  // The next record, idle runs unfolded into their passes; false past the last pass.
  bool Next(ZrDemoEvent& event);
  // The next record without taking it.
  bool Peek(ZrDemoEvent& event);

 private:
  struct Cursor {
    size_t Pos = 0;
    uint64_t IdleLeft = 0;     // passes of an idle run still to hand over
    bool IdleEndNext = false;  // the next record is the end of an idle pass
    uint64_t SameTicksLeft = 0;
    uint32_t Tick = 0;
  };
  enum class Read { Whole, Cut, Bad };
  // One record at the cursor. Runs are unfolded into what they stand for, or handed over
  // whole (Value: their length). Cut: the bytes end inside it; Bad: Failure says why.
  Read Decode(Cursor& at, ZrDemoEvent& event, bool unfold);
  // Checks the records from the cursor on: whole passes in order, the end mark last.
  bool Scan(Cursor at);
  // The next record before the end mark, from the cursor, which moves past it.
  bool Take(Cursor& at, ZrDemoEvent& event);
  bool Fail(const std::string& what, size_t pos);

  std::vector<uint8_t> Bytes;
  ZrDemoHeader Head;
  ZrDemoStart StartState;
  bool HasStart = false;
  std::string Failure;
  size_t Limit = 0;  // just past the last whole pass
  Cursor At;
  uint64_t Passes = 0;
  bool HasEnd = false;
  ZrDemoEnd EndMark;
};
