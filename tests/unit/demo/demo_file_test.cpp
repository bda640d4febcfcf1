// The demo file: what the writer builds the reader hands back, what the reader refuses
// before anything plays, and what a cut leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "demo/zr_demo_format.h"
#include "platform/zr_winmsg.h"

namespace {

ZrDemoHeader Header() { return ZrDemoHeader{"1.0.0", 4000000000u}; }

// Three passes and a run of idle ones: every kind of record, with values at their edges.
ZrDemoWriter SampleDemo(const ZrDemoStart* start = nullptr) {
  ZrDemoWriter w(Header(), 1);
  if (start != nullptr) w.Start(*start);
  w.Seed(0xFEEDFACECAFEBEEFull);
  w.Message(WM_SIZE, SIZE_MINIMIZED);
  w.EndPass(11);
  w.PollMessage();
  w.GameMouse(-32768 * 3, INT32_MAX);
  w.Tick(4294967290u);
  w.Tick(4294967290u);
  w.Tick(4294967290u);
  w.Tick(10);  // wrapped
  w.EndPass(22);
  for (int i = 0; i < 3; ++i) {
    w.PollNone();
    w.EndPass(22);
  }
  w.PollQuit(7);
  w.EndPass(33);
  return w;
}

std::vector<uint8_t> Finished(ZrDemoWriter w) {
  w.Finish(12345, true);
  return w.Take();
}

std::vector<ZrDemoEvent> ReadAll(ZrDemoReader& r) {
  std::vector<ZrDemoEvent> events;
  ZrDemoEvent e;
  while (r.Next(e)) events.push_back(e);
  return events;
}

size_t PassEnds(const std::vector<ZrDemoEvent>& events) {
  size_t n = 0;
  for (const ZrDemoEvent& e : events) n += e.Tag == dtPassEnd || e.Tag == dtPassHash;
  return n;
}

}  // namespace

TEST(DemoFile, RecordsReadBackInOrderWithRunsUnfoldedAndTheStartAndEndClaims) {
  ZrDemoStart start;
  start.RandomState = 0x0123456789ABCDEFull;
  start.MenuIndex = 2;
  start.Active = start.RightDown = true;
  start.Keys[0] = start.Keys[VK_UP] = start.Keys[255] = true;
  start.MouseX = -5;
  start.MouseY = 700;
  start.LastTick = 4294967280u;  // the first tick reading is counted from here
  start.Fps = 62;
  start.FpsElapsed = 499;
  start.FpsFrames = 31;
  start.BaseX = 400.5f;
  start.BaseY = -0.0f;
  start.BaseTurret = std::nanf("");  // aimed at the base's own centre
  ZrDemoReader r;
  ASSERT_TRUE(r.Open(Finished(SampleDemo(&start)))) << r.Error();
  EXPECT_EQ(r.Header().GameVersion, "1.0.0");
  EXPECT_EQ(r.Header().BestScore, 4000000000u);
  ASSERT_TRUE(r.StartsAtNewGame());
  const ZrDemoStart& s = r.Start();
  EXPECT_TRUE(s.RandomState == start.RandomState && s.MenuIndex == 2 && s.Active && !s.LeftDown && s.RightDown);
  EXPECT_TRUE(s.Keys[0] && s.Keys[VK_UP] && s.Keys[255] && !s.Keys[1] && !s.Keys[254]);
  EXPECT_TRUE(s.MouseX == -5 && s.MouseY == 700 && s.LastTick == 4294967280u && s.Fps == 62 && s.FpsElapsed == 499 &&
              s.FpsFrames == 31);
  EXPECT_TRUE(s.BaseX == 400.5f && std::signbit(s.BaseY) && std::isnan(s.BaseTurret));
  EXPECT_TRUE(r.Finished() && !r.CutShort());
  EXPECT_EQ(r.TotalPasses(), 6u);
  EXPECT_TRUE(r.End().Passes == 6 && r.End().StateHash == 33u && r.End().Score == 12345u && r.End().GameOver);

  const std::vector<ZrDemoEvent> e = ReadAll(r);
  std::vector<ZrDemoTag> tags;
  for (const ZrDemoEvent& x : e) tags.push_back(x.Tag);
  const std::vector<ZrDemoTag> expected = {
      dtSeed, dtMessage, dtPassHash, dtPollMessage, dtGameMouse, dtTick, dtTick, dtTick, dtTick, dtPassHash,
      dtPollNone, dtPassEnd, dtPollNone, dtPassEnd, dtPollNone, dtPassEnd, dtPollQuit, dtPassHash};
  ASSERT_EQ(tags, expected);
  EXPECT_EQ(e[0].Value, 0xFEEDFACECAFEBEEFull);
  EXPECT_TRUE(e[1].Message == WM_SIZE && e[1].Value == SIZE_MINIMIZED);
  EXPECT_EQ(e[2].Value, 11u);
  EXPECT_TRUE(static_cast<int64_t>(e[4].Value) == -32768 * 3 && e[4].Y == INT32_MAX);
  EXPECT_TRUE(e[5].Value == 4294967290u && e[7].Value == 4294967290u && e[8].Value == 10u);
  EXPECT_EQ(e[16].Message, 7u);

  // Without a start record, the ticks count from 0 and the demo starts at launch.
  ZrDemoReader plain;
  ASSERT_TRUE(plain.Open(Finished(SampleDemo()))) << plain.Error();
  EXPECT_FALSE(plain.StartsAtNewGame());
  EXPECT_EQ(ReadAll(plain)[5].Value, 4294967290u);
}

TEST(DemoFile, BadFilesAreRefusedWithAReasonBeforeAnythingPlays) {
  const std::vector<uint8_t> good = Finished(SampleDemo());
  const size_t records = sizeof DemoMagic + 2 + 1 + 5 + 4;
  auto with = [&](size_t at, std::vector<uint8_t> bytes) {
    // Byte by byte: GCC 12 misreads a range insert here as an overflow.
    std::vector<uint8_t> out(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at));
    for (const uint8_t b : bytes) out.push_back(b);
    return out;
  };
  auto header = [&](std::vector<uint8_t> rest) { return with(records, rest); };
  auto changed = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> out = good;
    out[at] = value;
    return out;
  };
  const uint8_t pass = dtPassEnd, none = dtPollNone;
  struct Case {
    const char* What;
    std::vector<uint8_t> Bytes;
    const char* Says;
  };
  const Case cases[] = {
      {"empty", {}, "empty"},
      {"another file", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 1, 0}, "not a demo"},
      {"a newer format", changed(8, DemoFormatVersion + 1), "newer"},
      {"the first format", changed(8, 1), "older game (format version 1"},
      {"format 0", changed(8, 0), "version 0"},
      {"an overlong version", changed(10, 200), "too long"},
      {"a header cut short", with(records - 3, {}), "header"},
      {"a header and no pass", header({}), "before its first whole pass"},
      {"an unknown record", header({99}), "unknown"},
      {"an overlong varint", header({dtTick, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}), "tick step"},
      {"a tick step beyond 32 bits", header({dtTick, 0x80, 0x80, 0x80, 0x80, 0x10, pass}), "32 bits"},
      {"an idle run of none", header({dtIdlePasses, 0}), "idle"},
      {"an endless idle run", header({dtIdlePasses, 0x80, 0x80, 0x80, 0x80, 0x01}), "idle"},
      {"a million tanks' ticks", header({dtSameTicks, 0x80, 0x80, 0x80, 0x01, pass}), "tick readings"},
      {"too many passes", header({dtIdlePasses, 0x80, 0x80, 0x80, 0x20, dtIdlePasses, 0x80, 0x80, 0x80, 0x20, dtIdlePasses,
                                  0x01}), "more passes"},
      {"a pointer beyond 32 bits", header({dtGameMouse, 0x80, 0x80, 0x80, 0x80, 0x20, 0, pass}), "pointer"},
      {"a message not of the game's input", header({dtMessage, 0x24, 0, pass}), "0x24 is not the game's input"},
      {"the pointer as a message", header({dtMessage, 0x80, 0x04, 0, pass}), "0x200 is not"},
      {"two looks at the queue in a pass", header({none, none, pass}), "second look"},
      {"input after the quit", header({dtPollQuit, 0, dtTick, 1, pass}), "after the quit"},
      {"a pass after the quit", header({dtPollQuit, 0, pass, none, pass}), "follows the one that quit"},
      {"an end mark inside a pass", header({none, dtEnd, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "end mark inside"},
      {"an end mark before any pass", header({dtEnd, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "before any pass"},
      {"an idle run inside a pass", header({none, dtIdlePasses, 1}), "inside a pass"},
      {"a start after the first record", header({none, pass, dtStart}), "first record"},
      {"an end mark that miscounts", changed(good.size() - 12, 5), "end mark counts"},
      {"bytes after the end mark", with(good.size(), {pass}), "follow the end mark"},
  };
  for (const Case& c : cases) {
    ZrDemoReader r;
    EXPECT_FALSE(r.Open(c.Bytes)) << c.What;
    EXPECT_NE(r.Error().find(c.Says), std::string::npos) << c.What << ": " << r.Error();
  }
}

// What a crash leaves: any cut after the first whole pass plays the whole passes before
// it, the golden demos' whole variety of records included; a cut before it is refused.
TEST(DemoFile, AGoldenDemoCutAtEveryBytePlaysItsWholePasses) {
  std::ifstream in(std::string(ZR_SOURCE_DIR) + "/tests/demos/lost_at_base.zrd", std::ios::binary);
  const std::vector<uint8_t> whole{std::istreambuf_iterator<char>(in), {}};
  ZrDemoReader full;
  ASSERT_TRUE(full.Open(whole)) << full.Error();
  ASSERT_TRUE(full.Finished());
  uint64_t lastPasses = 0;
  for (size_t n = 0; n < whole.size(); ++n) {
    ZrDemoReader r;
    if (!r.Open(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)))) {
      ASSERT_EQ(lastPasses, 0u) << "refused after a whole pass, cut at " << n << ": " << r.Error();
      ASSERT_TRUE(r.Error().find("header") != std::string::npos || r.Error().find("first whole pass") != std::string::npos ||
                  r.Error().find("not a demo") != std::string::npos || r.Error().find("empty") != std::string::npos)
          << n << ": " << r.Error();
      continue;
    }
    ASSERT_TRUE(r.CutShort()) << n;
    ASSERT_GE(r.TotalPasses(), lastPasses) << n;
    ASSERT_LE(r.TotalPasses(), full.TotalPasses()) << n;
    lastPasses = r.TotalPasses();
    // Every hundredth cut is also read out: exactly the passes counted, never more.
    if (n % 100 == 0) {
      ASSERT_EQ(PassEnds(ReadAll(r)), r.TotalPasses()) << n;
    }
  }
  EXPECT_GT(lastPasses, full.TotalPasses() - 60) << "the last cuts keep all but the last passes";
}

// The writer keeps what the reader takes: a pass that would not fit is not taken.
TEST(DemoFile, TheWriterStopsAtTheReadersCaps) {
  ZrDemoWriter w(Header(), 1);
  w.PollNone();
  ASSERT_TRUE(w.EndPass(1));
  // Passes of half a million 12-byte messages (6 MB): the 64 MB cap is met in the 11th.
  int taken = 1;
  while (true) {
    w.PollMessage();
    for (int i = 0; i < 500000; ++i) w.Message(WM_KEYDOWN, UINT64_MAX);
    if (!w.EndPass(static_cast<uint64_t>(taken) + 1)) break;
    ++taken;
  }
  EXPECT_TRUE(w.Full());
  w.PollNone();
  EXPECT_FALSE(w.EndPass(99)) << "nothing is taken after the cap";
  ZrDemoReader r;
  ASSERT_TRUE(r.Open(w.Snapshot(0, false))) << r.Error();
  EXPECT_EQ(r.TotalPasses(), static_cast<uint64_t>(taken));
}
