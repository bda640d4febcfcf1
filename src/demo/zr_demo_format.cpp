#include "demo/zr_demo_format.h"

#include <algorithm>
#include <cstring>

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutU64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutVarint(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

uint64_t ZigZag(int64_t v) { return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63); }
int64_t UnZigZag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

// Reads little-endian numbers and varints from a span, never past its end.
struct ByteSpan {
  const std::vector<uint8_t>& Bytes;
  size_t& Pos;
  size_t End;

  bool U8(uint8_t& v) {
    if (Pos >= End) return false;
    v = Bytes[Pos++];
    return true;
  }
  bool Fixed(uint64_t& v, int bytes) {
    if (End - Pos < static_cast<size_t>(bytes)) return false;
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
};

}  // namespace

// --- Writing ---------------------------------------------------------------------

ZrDemoWriter::ZrDemoWriter(const ZrDemoHeader& header, uint32_t hashEvery) : HashEvery(std::max(hashEvery, 1u)) {
  All.assign(std::begin(DemoMagic), std::end(DemoMagic));
  PutU16(All, DemoFormatVersion);
  const std::string version = header.GameVersion.substr(0, DemoMaxVersionBytes);
  All.push_back(static_cast<uint8_t>(version.size()));
  All.insert(All.end(), version.begin(), version.end());
  PutU64(All, header.DataHash);
  PutU32(All, header.BestScore);
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
    ++SameTicks;
    return;
  }
  Put(dtTick);
  PutVarint(Current, static_cast<uint32_t>(ticks - LastTick));
  LastTick = ticks;
  HasTick = true;
}

void ZrDemoWriter::Seed(uint64_t seed) {
  Put(dtSeed);
  PutU64(Current, seed);
}

void ZrDemoWriter::Message(uint32_t message, uint64_t wParam, int64_t lParam) {
  Put(dtMessage);
  PutVarint(Current, message);
  PutVarint(Current, wParam);
  PutVarint(Current, ZigZag(lParam));
}

void ZrDemoWriter::GameMouse(int32_t x, int32_t y) {
  Put(dtGameMouse);
  PutVarint(Current, ZigZag(x));
  PutVarint(Current, ZigZag(y));
}

void ZrDemoWriter::EndPass(uint64_t stateHash) {
  FlushSameTicks();
  ++PassCount;
  // A pass that found no message and left the state as it was (a still menu) joins a
  // run: a minute of it costs a few bytes, not thousands.
  const bool idle = Current.size() == 1 && Current[0] == dtPollNone && stateHash == LastHash && PassCount > 1;
  if (idle && IdleRun < DemoMaxPasses) {
    ++IdleRun;
    Current.clear();
    return;
  }
  FlushIdle();
  All.insert(All.end(), Current.begin(), Current.end());
  Current.clear();
  if (PassCount % HashEvery == 0) {
    All.push_back(dtPassHash);
    PutU64(All, stateHash);
  } else {
    All.push_back(dtPassEnd);
  }
  LastHash = stateHash;
}

void ZrDemoWriter::Patch(size_t at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) All[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The data hash and the best score follow the game's version, whose length is its first byte.
void ZrDemoWriter::SetDataHash(uint64_t hash) { Patch(sizeof DemoMagic + 2 + 1 + All[sizeof DemoMagic + 2], hash, 8); }

void ZrDemoWriter::SetBestScore(uint32_t score) {
  Patch(sizeof DemoMagic + 2 + 1 + All[sizeof DemoMagic + 2] + 8, score, 4);
}

void ZrDemoWriter::FlushIdle() {
  if (IdleRun == 0) return;
  All.push_back(dtIdlePasses);
  PutVarint(All, IdleRun);
  IdleRun = 0;
}

void ZrDemoWriter::Finish(uint64_t stateHash) {
  FlushIdle();
  All.push_back(dtEnd);
  PutVarint(All, PassCount);
  PutU64(All, stateHash);
}

std::vector<uint8_t> ZrDemoWriter::Take() {
  // An idle run that has grown for a second goes out too, so a demo cut short loses
  // at most that second of a still menu.
  if (IdleRun >= 60) FlushIdle();
  std::vector<uint8_t> out(All.begin() + static_cast<std::ptrdiff_t>(Taken), All.end());
  Taken = All.size();
  return out;
}

std::vector<uint8_t> ZrDemoWriter::Snapshot(uint64_t stateHash) const {
  std::vector<uint8_t> out = All;
  if (IdleRun > 0) {
    out.push_back(dtIdlePasses);
    PutVarint(out, IdleRun);
  }
  out.push_back(dtEnd);
  PutVarint(out, PassCount);
  PutU64(out, stateHash);
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
  size_t pos = 0;
  ByteSpan in{Bytes, pos, Bytes.size()};
  if (Bytes.empty()) return Fail("the file is empty", 0);
  if (Bytes.size() > DemoMaxFileBytes) return Fail("the file is larger than a demo can be", 0);
  if (Bytes.size() < sizeof DemoMagic || std::memcmp(Bytes.data(), DemoMagic, sizeof DemoMagic) != 0) {
    return Fail("not a demo of this game", 0);
  }
  pos = sizeof DemoMagic;
  uint64_t version = 0, dataHash = 0, best = 0;
  uint8_t versionBytes = 0;
  if (!in.Fixed(version, 2)) return Fail("the header is cut short", pos);
  if (version == 0) return Fail("format version 0 does not exist", pos - 2);
  if (version > DemoFormatVersion) {
    return Fail("made by a newer game (format version " + std::to_string(version) + "; this game reads version " +
                    std::to_string(DemoFormatVersion) + ")",
                pos - 2);
  }
  if (!in.U8(versionBytes)) return Fail("the header is cut short", pos);
  if (versionBytes > DemoMaxVersionBytes) return Fail("the game version is too long", pos - 1);
  if (Bytes.size() - pos < versionBytes) return Fail("the header is cut short", pos);
  Head.GameVersion.assign(reinterpret_cast<const char*>(Bytes.data() + pos), versionBytes);
  pos += versionBytes;
  if (!in.Fixed(dataHash, 8) || !in.Fixed(best, 4)) return Fail("the header is cut short", pos);
  Head.DataHash = dataHash;
  Head.BestScore = static_cast<uint32_t>(best);

  // The whole stream once, before anything plays: every record whole and sound.
  At = Cursor{pos, 0, false, 0};
  Limit = Bytes.size();
  Cursor scan = At;
  size_t lastWhole = pos;
  Passes = 0;
  HasEnd = false;
  ZrDemoEvent event;
  while (scan.Pos < Bytes.size()) {
    const size_t at = scan.Pos;
    if (!Decode(scan, event, false)) return false;
    if (event.Tag == dtIdlePasses) {
      // Counted, not unfolded: a hostile run costs no time here.
      Passes += event.Value;
      if (Passes > DemoMaxPasses) return Fail("more passes than a demo can hold", at);
      lastWhole = scan.Pos;
      continue;
    }
    if (event.Tag == dtEnd) {
      if (event.Value != Passes) return Fail("the end mark counts " + std::to_string(event.Value) + " passes, not " +
                                                 std::to_string(Passes), at);
      if (scan.Pos != Bytes.size()) return Fail("bytes follow the end mark", scan.Pos);
      HasEnd = true;
      EndHash = static_cast<uint64_t>(event.LParam);
      break;
    }
    if (event.Tag == dtPassHash || event.Tag == dtPassEnd) {
      if (++Passes > DemoMaxPasses) return Fail("more passes than a demo can hold", at);
      lastWhole = scan.Pos;
    }
  }
  if (!HasEnd && lastWhole != Bytes.size()) return Fail("the last pass is cut short", lastWhole);
  Limit = HasEnd ? Bytes.size() : lastWhole;
  return true;
}

bool ZrDemoReader::Decode(Cursor& at, ZrDemoEvent& event, bool unfold) {
  event = ZrDemoEvent{};
  if (at.IdleEndNext) {
    at.IdleEndNext = false;
    event.Tag = dtPassEnd;
    return true;
  }
  if (at.SameTicksLeft > 0) {
    --at.SameTicksLeft;
    event.Tag = dtTick;
    event.Value = at.Tick;
    return true;
  }
  if (at.IdleLeft > 0) {
    --at.IdleLeft;
    at.IdleEndNext = true;
    event.Tag = dtPollNone;
    return true;
  }
  const size_t start = at.Pos;
  ByteSpan in{Bytes, at.Pos, Bytes.size()};
  uint8_t tag = 0;
  if (!in.U8(tag)) return Fail("a record is cut short", start);
  event.Tag = static_cast<ZrDemoTag>(tag);
  uint64_t a = 0, b = 0, c = 0;
  bool whole = true;
  switch (tag) {
    case dtPollNone:
    case dtPollMessage:
    case dtPassEnd:
      break;
    case dtPollQuit:
      whole = in.Varint(a);
      if (whole && a > UINT32_MAX) return Fail("an exit code beyond 32 bits", start);
      event.Message = static_cast<uint32_t>(a);
      break;
    case dtTick:
      whole = in.Varint(a);
      if (whole && a > UINT32_MAX) return Fail("a tick step beyond 32 bits", start);
      at.Tick += static_cast<uint32_t>(a);
      event.Value = at.Tick;
      break;
    case dtSeed:
    case dtPassHash:
      whole = in.Fixed(event.Value, 8);
      break;
    case dtMessage:
      whole = in.Varint(a) && in.Varint(b) && in.Varint(c);
      if (whole && a > UINT32_MAX) return Fail("a message number beyond 32 bits", start);
      event.Message = static_cast<uint32_t>(a);
      event.Value = b;
      event.LParam = UnZigZag(c);
      break;
    case dtGameMouse: {
      whole = in.Varint(a) && in.Varint(b);
      const int64_t x = UnZigZag(a), y = UnZigZag(b);
      if (whole && (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX)) {
        return Fail("a pointer position beyond 32 bits", start);
      }
      event.Value = static_cast<uint64_t>(x);
      event.LParam = y;
      break;
    }
    case dtIdlePasses:
      whole = in.Varint(a);
      if (whole && (a == 0 || a > DemoMaxPasses)) return Fail("an idle run of " + std::to_string(a) + " passes", start);
      if (!whole) break;
      event.Value = a;
      if (!unfold) return true;
      at.IdleLeft = a;
      return Decode(at, event, true);
    case dtSameTicks:
      whole = in.Varint(a);
      if (whole && (a == 0 || a > DemoMaxSameTicks)) {
        return Fail("a run of " + std::to_string(a) + " tick readings", start);
      }
      if (!whole) break;
      event.Value = a;
      if (!unfold) return true;
      at.SameTicksLeft = a;
      return Decode(at, event, true);
    case dtEnd:
      whole = in.Varint(a) && in.Fixed(b, 8);
      event.Value = a;
      event.LParam = static_cast<int64_t>(b);
      break;
    default:
      return Fail("an unknown record (tag " + std::to_string(tag) + ")", start);
  }
  if (!whole) return Fail("a record is cut short or malformed", start);
  return true;
}

bool ZrDemoReader::Take(Cursor& at, ZrDemoEvent& event) {
  if (at.Pos >= Limit && at.IdleLeft == 0 && !at.IdleEndNext && at.SameTicksLeft == 0) return false;
  // Past the end mark, Pos is at Limit: nothing more is handed over.
  return Decode(at, event, true) && event.Tag != dtEnd;
}

bool ZrDemoReader::Peek(ZrDemoEvent& event) {
  Cursor copy = At;
  return Take(copy, event);
}

bool ZrDemoReader::Next(ZrDemoEvent& event) { return Take(At, event); }
