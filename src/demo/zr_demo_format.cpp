#include "demo/zr_demo_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/zr_winmsg.h"
#include "shell/zr_game_input.h"

namespace {

// The longest end mark: tag, 10-byte varint, hash, 5-byte varint, flag.
constexpr size_t kMaxEndBytes = 1 + 10 + 8 + 5 + 1;
// An idle run still to be written: tag and a varint of at most 4 bytes (2^26).
constexpr size_t kMaxIdleBytes = 1 + 4;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutFixed(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutVarint(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

float BitsFloat(uint64_t bits) {
  const auto b = static_cast<uint32_t>(bits);
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

uint64_t ZigZag(int64_t v) { return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63); }
int64_t UnZigZag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

// Reads little-endian numbers and varints from the bytes, never past their end. Short is
// set when they end too soon: the file was cut there.
struct ByteSpan {
  const std::vector<uint8_t>& Bytes;
  size_t& Pos;
  bool Short = false;

  bool U8(uint8_t& v) {
    if (Pos >= Bytes.size()) return !(Short = true);
    v = Bytes[Pos++];
    return true;
  }
  bool Fixed(uint64_t& v, int bytes) {
    if (Bytes.size() - Pos < static_cast<size_t>(bytes)) return !(Short = true);
    v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t{Bytes[Pos++]} << (8 * i);
    return true;
  }
  // An unsigned LEB128 of at most 10 bytes whose value fits in 64 bits.
  bool Varint(uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 70; shift += 7) {
      uint8_t b;
      if (!U8(b)) return false;
      if (shift == 63 && b > 1) return false;
      v |= uint64_t{b & 0x7Fu} << shift;
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool Zigzag32(int32_t& v) {
    uint64_t raw;
    if (!Varint(raw)) return false;
    const int64_t s = UnZigZag(raw);
    if (s < INT32_MIN || s > INT32_MAX) return false;
    v = static_cast<int32_t>(s);
    return true;
  }
  bool U32Varint(uint32_t& v) {
    uint64_t raw;
    if (!Varint(raw) || raw > UINT32_MAX) return false;
    v = static_cast<uint32_t>(raw);
    return true;
  }
};

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

}  // namespace

// --- Writing ---------------------------------------------------------------------

ZrDemoWriter::ZrDemoWriter(const ZrDemoHeader& header, uint32_t hashEvery) : HashEvery(std::max(hashEvery, 1u)) {
  All.assign(std::begin(DemoMagic), std::end(DemoMagic));
  PutU16(All, DemoFormatVersion);
  const std::string version = header.GameVersion.substr(0, DemoMaxVersionBytes);
  All.push_back(static_cast<uint8_t>(version.size()));
  All.insert(All.end(), version.begin(), version.end());
  BestScoreAt = All.size();
  PutFixed(All, header.BestScore, 4);
}

void ZrDemoWriter::Start(const ZrDemoStart& s) {
  All.push_back(dtStart);
  PutFixed(All, s.RandomState, 8);
  All.push_back(s.MenuIndex);
  All.push_back(static_cast<uint8_t>((s.Active ? 1 : 0) | (s.LeftDown ? 2 : 0) | (s.RightDown ? 4 : 0)));
  for (int byte = 0; byte < 32; ++byte) {
    uint8_t bits = 0;
    for (int bit = 0; bit < 8; ++bit) bits |= static_cast<uint8_t>((s.Keys[byte * 8 + bit] ? 1 : 0) << bit);
    All.push_back(bits);
  }
  PutVarint(All, ZigZag(s.MouseX));
  PutVarint(All, ZigZag(s.MouseY));
  for (const uint32_t v : {s.LastTick, s.Fps, s.FpsElapsed, s.FpsFrames}) PutVarint(All, v);
  for (const float v : {s.BaseX, s.BaseY, s.BaseTurret}) PutFixed(All, FloatBits(v), 4);
  LastTick = s.LastTick;
  HasTick = true;
}

void ZrDemoWriter::PollQuit(uint32_t exitCode) {
  Put(dtPollQuit);
  PutVarint(Current, exitCode);
}

void ZrDemoWriter::FlushSameTicks() {
  if (SameTicks == 0) return;
  Current.push_back(dtSameTicks);
  PutVarint(Current, SameTicks);
  SameTicks = 0;
}

void ZrDemoWriter::Put(ZrDemoTag tag) {
  FlushSameTicks();
  Current.push_back(tag);
}

void ZrDemoWriter::Tick(uint32_t ticks) {
  if (HasTick && ticks == LastTick) {
    if (++SameTicks == DemoMaxSameTicks) FlushSameTicks();
    return;
  }
  Put(dtTick);
  PutVarint(Current, static_cast<uint32_t>(ticks - LastTick));
  LastTick = ticks;
  HasTick = true;
}

void ZrDemoWriter::Seed(uint64_t seed) {
  Put(dtSeed);
  PutFixed(Current, seed, 8);
}

void ZrDemoWriter::Message(uint32_t message, uint64_t wParam) {
  Put(dtMessage);
  PutVarint(Current, message);
  PutVarint(Current, wParam);
}

void ZrDemoWriter::GameMouse(int32_t x, int32_t y) {
  Put(dtGameMouse);
  PutVarint(Current, ZigZag(x));
  PutVarint(Current, ZigZag(y));
}

bool ZrDemoWriter::EndPass(uint64_t stateHash) {
  FlushSameTicks();
  const size_t passBytes = Current.size() + 1 + 8;
  if (IsFull || PassCount + 1 > DemoMaxPasses ||
      All.size() + kMaxIdleBytes + passBytes + kMaxIdleBytes + kMaxEndBytes > DemoMaxFileBytes) {
    IsFull = true;
    Current.clear();
    return false;
  }
  ++PassCount;
  // A pass that found no message and left the state as it was (a still menu) joins a
  // run: a minute of it costs a few bytes, not thousands.
  const bool idle = Current.size() == 1 && Current[0] == dtPollNone && stateHash == LastHash && PassCount > 1;
  if (idle && IdleRun < DemoMaxPasses) {
    ++IdleRun;
    Current.clear();
    return true;
  }
  FlushIdle(All, IdleRun);
  All.insert(All.end(), Current.begin(), Current.end());
  Current.clear();
  if (PassCount % HashEvery == 0) {
    All.push_back(dtPassHash);
    PutFixed(All, stateHash, 8);
  } else {
    All.push_back(dtPassEnd);
  }
  LastHash = stateHash;
  return true;
}

void ZrDemoWriter::SetBestScore(uint32_t score) {
  for (int i = 0; i < 4; ++i) All[BestScoreAt + i] = static_cast<uint8_t>(score >> (8 * i));
}

void ZrDemoWriter::FlushIdle(std::vector<uint8_t>& out, uint64_t& run) const {
  if (run == 0) return;
  out.push_back(dtIdlePasses);
  PutVarint(out, run);
  run = 0;
}

void ZrDemoWriter::PutEnd(std::vector<uint8_t>& out, uint32_t score, bool gameOver) const {
  out.push_back(dtEnd);
  PutVarint(out, PassCount);
  PutFixed(out, LastHash, 8);
  PutVarint(out, score);
  out.push_back(gameOver ? 1 : 0);
}

void ZrDemoWriter::Finish(uint32_t score, bool gameOver) {
  FlushIdle(All, IdleRun);
  PutEnd(All, score, gameOver);
}

std::vector<uint8_t> ZrDemoWriter::Take() {
  // An idle run that has grown for a second goes out too, so a demo cut short loses
  // at most that second of a still menu.
  if (IdleRun >= 60) FlushIdle(All, IdleRun);
  std::vector<uint8_t> out(All.begin() + static_cast<std::ptrdiff_t>(Taken), All.end());
  Taken = All.size();
  return out;
}

std::vector<uint8_t> ZrDemoWriter::Snapshot(uint32_t score, bool gameOver) const {
  std::vector<uint8_t> out = All;
  uint64_t run = IdleRun;
  FlushIdle(out, run);
  PutEnd(out, score, gameOver);
  return out;
}

// --- Reading ---------------------------------------------------------------------

bool ZrDemoReader::Fail(const std::string& what, size_t pos) {
  Failure = what + " (at byte " + std::to_string(pos) + ")";
  return false;
}

bool ZrDemoReader::Open(std::vector<uint8_t> bytes) {
  Bytes = std::move(bytes);
  Failure.clear();
  HasStart = HasEnd = false;
  Passes = 0;
  size_t pos = 0;
  ByteSpan in{Bytes, pos};
  if (Bytes.empty()) return Fail("the file is empty", 0);
  if (Bytes.size() > DemoMaxFileBytes) return Fail("the file is larger than a demo can be", 0);
  if (Bytes.size() < sizeof DemoMagic || std::memcmp(Bytes.data(), DemoMagic, sizeof DemoMagic) != 0) {
    return Fail("not a demo of this game", 0);
  }
  pos = sizeof DemoMagic;
  uint64_t version = 0, best = 0;
  uint8_t versionBytes = 0;
  if (!in.Fixed(version, 2)) return Fail("the header is cut short", pos);
  if (version == 0) return Fail("format version 0 does not exist", pos - 2);
  if (version != DemoFormatVersion) {
    return Fail(std::string("made by ") + (version > DemoFormatVersion ? "a newer" : "an older") +
                    " game (format version " + std::to_string(version) + "; this game reads version " +
                    std::to_string(DemoFormatVersion) + ")",
                pos - 2);
  }
  if (!in.U8(versionBytes)) return Fail("the header is cut short", pos);
  if (versionBytes > DemoMaxVersionBytes) return Fail("the game version is too long", pos - 1);
  if (Bytes.size() - pos < versionBytes) return Fail("the header is cut short", pos);
  Head.GameVersion.assign(reinterpret_cast<const char*>(Bytes.data() + pos), versionBytes);
  pos += versionBytes;
  if (!in.Fixed(best, 4)) return Fail("the header is cut short", pos);
  Head.BestScore = static_cast<uint32_t>(best);

  At = Cursor{pos};
  if (pos < Bytes.size() && Bytes[pos] == dtStart) {
    ZrDemoEvent start;
    const Read read = Decode(At, start, false);
    if (read == Read::Bad) return false;
    if (read == Read::Cut) return Fail("the file is cut short before its first whole pass", pos);
    HasStart = true;
    At.Tick = StartState.LastTick;
  }
  return Scan(At);
}

// The whole stream once, before anything plays: every record whole and sound, and in
// the order a pass has them.
bool ZrDemoReader::Scan(Cursor at) {
  size_t lastWhole = at.Pos;
  bool inPass = false, polled = false, quit = false, quitPassEnded = false;
  ZrDemoEvent event;
  while (at.Pos < Bytes.size()) {
    const size_t pos = at.Pos;
    if (Bytes[pos] == dtStart) return Fail("a new game's start after the first record", pos);
    const Read read = Decode(at, event, false);
    if (read == Read::Cut) break;
    if (read == Read::Bad) return false;
    if (quitPassEnded && event.Tag != dtEnd) return Fail("a pass follows the one that quit", pos);
    switch (event.Tag) {
      case dtIdlePasses:
        if (inPass) return Fail("a run of idle passes inside a pass", pos);
        // Counted, not unfolded: a hostile run costs no time here.
        Passes += event.Value;
        if (Passes > DemoMaxPasses) return Fail("more passes than a demo can hold", pos);
        lastWhole = at.Pos;
        break;
      case dtEnd:
        if (inPass) return Fail("the end mark inside a pass", pos);
        if (Passes == 0) return Fail("the end mark before any pass", pos);
        if (event.Value != Passes) {
          return Fail("the end mark counts " + std::to_string(event.Value) + " passes, not " + std::to_string(Passes), pos);
        }
        if (at.Pos != Bytes.size()) return Fail("bytes follow the end mark", at.Pos);
        HasEnd = true;
        Limit = lastWhole;
        return true;
      case dtPassHash:
      case dtPassEnd:
        if (++Passes > DemoMaxPasses) return Fail("more passes than a demo can hold", pos);
        lastWhole = at.Pos;
        quitPassEnded = quit;
        inPass = polled = false;
        break;
      case dtPollNone:
      case dtPollMessage:
      case dtPollQuit:
        if (polled) return Fail("a second look at the queue in one pass", pos);
        polled = inPass = true;
        quit = event.Tag == dtPollQuit;
        break;
      default:
        if (quit) return Fail("input after the quit", pos);
        inPass = true;
        break;
    }
  }
  if (Passes == 0) return Fail("the file is cut short before its first whole pass", lastWhole);
  // Cut short by a crash: it plays up to its last whole pass.
  Limit = lastWhole;
  return true;
}

ZrDemoReader::Read ZrDemoReader::Decode(Cursor& at, ZrDemoEvent& event, bool unfold) {
  event = ZrDemoEvent{};
  if (at.IdleEndNext) {
    at.IdleEndNext = false;
    event.Tag = dtPassEnd;
    return Read::Whole;
  }
  if (at.SameTicksLeft > 0) {
    --at.SameTicksLeft;
    event.Tag = dtTick;
    event.Value = at.Tick;
    return Read::Whole;
  }
  if (at.IdleLeft > 0) {
    --at.IdleLeft;
    at.IdleEndNext = true;
    event.Tag = dtPollNone;
    return Read::Whole;
  }
  const size_t start = at.Pos;
  ByteSpan in{Bytes, at.Pos};
  uint8_t tag = 0;
  in.U8(tag);
  event.Tag = static_cast<ZrDemoTag>(tag);
  uint64_t a = 0, b = 0;
  bool whole = true;
  const char* malformed = "a malformed record";
  switch (tag) {
    case dtPollNone:
    case dtPollMessage:
    case dtPassEnd:
      break;
    case dtPollQuit:
      whole = in.U32Varint(event.Message);
      malformed = "an exit code beyond 32 bits";
      break;
    case dtTick: {
      uint32_t step = 0;
      whole = in.U32Varint(step);
      malformed = "a tick step beyond 32 bits";
      at.Tick += step;
      event.Value = at.Tick;
      break;
    }
    case dtSeed:
    case dtPassHash:
      whole = in.Fixed(event.Value, 8);
      break;
    case dtMessage:
      whole = in.U32Varint(event.Message) && in.Varint(event.Value);
      // Only the game's own input, and the pointer only as its own record: nothing else
      // from a file ever reaches the game.
      if (whole && (!IsGameInput(event.Message) || event.Message == WM_MOUSEMOVE)) {
        Fail("message " + Hex(event.Message) + " is not the game's input", start);
        return Read::Bad;
      }
      break;
    case dtGameMouse: {
      int32_t x = 0, y = 0;
      whole = in.Zigzag32(x) && in.Zigzag32(y);
      malformed = "a pointer position beyond 32 bits";
      event.Value = static_cast<uint64_t>(static_cast<int64_t>(x));
      event.Y = y;
      break;
    }
    case dtIdlePasses:
      whole = in.Varint(a) && a > 0 && a <= DemoMaxPasses;
      malformed = "an idle run of no passes, or of more than a demo can hold";
      if (!whole) break;
      event.Value = a;
      if (!unfold) return Read::Whole;
      at.IdleLeft = a;
      return Decode(at, event, true);
    case dtSameTicks:
      whole = in.Varint(a) && a > 0 && a <= DemoMaxSameTicks;
      malformed = "a run of no tick readings, or of more than a battle makes";
      if (!whole) break;
      event.Value = a;
      if (!unfold) return Read::Whole;
      at.SameTicksLeft = a;
      return Decode(at, event, true);
    case dtEnd: {
      uint8_t over = 0;
      whole = in.Varint(EndMark.Passes) && in.Fixed(EndMark.StateHash, 8) && in.U32Varint(EndMark.Score) &&
              in.U8(over) && over <= 1;
      EndMark.GameOver = over == 1;
      event.Value = EndMark.Passes;
      break;
    }
    case dtStart: {
      ZrDemoStart& s = StartState;
      uint8_t flags = 0;
      whole = in.Fixed(s.RandomState, 8) && in.U8(s.MenuIndex) && in.U8(flags) && flags <= 7;
      s.Active = (flags & 1) != 0;
      s.LeftDown = (flags & 2) != 0;
      s.RightDown = (flags & 4) != 0;
      for (int byte = 0; whole && byte < 32; ++byte) {
        uint8_t bits = 0;
        whole = in.U8(bits);
        for (int bit = 0; bit < 8; ++bit) s.Keys[byte * 8 + bit] = ((bits >> bit) & 1) != 0;
      }
      whole = whole && in.Zigzag32(s.MouseX) && in.Zigzag32(s.MouseY) && in.U32Varint(s.LastTick) &&
              in.U32Varint(s.Fps) && in.U32Varint(s.FpsElapsed) && in.U32Varint(s.FpsFrames);
      float* floats[] = {&s.BaseX, &s.BaseY, &s.BaseTurret};
      for (float* f : floats) {
        whole = whole && in.Fixed(b, 4);
        // Kept bit for bit: a turret aimed at the base's own centre is a NaN, as the game has it.
        *f = BitsFloat(b);
      }
      whole = whole && s.MenuIndex <= 2;  // the menu's three items
      malformed = "a new game's start that no game has";
      break;
    }
    default:
      if (in.Short) return Read::Cut;
      Fail("an unknown record (tag " + std::to_string(tag) + ")", start);
      return Read::Bad;
  }
  if (in.Short) return Read::Cut;
  if (!whole) {
    Fail(malformed, start);
    return Read::Bad;
  }
  return Read::Whole;
}

bool ZrDemoReader::Take(Cursor& at, ZrDemoEvent& event) {
  if (at.Pos >= Limit && at.IdleLeft == 0 && !at.IdleEndNext && at.SameTicksLeft == 0) return false;
  return Decode(at, event, true) == Read::Whole;
}

bool ZrDemoReader::Peek(ZrDemoEvent& event) {
  Cursor copy = At;
  return Take(copy, event);
}

bool ZrDemoReader::Next(ZrDemoEvent& event) { return Take(At, event); }
