#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "demo/zr_demo_format.h"

namespace {

ZrDemoHeader Header() { return ZrDemoHeader{"1.0.0", 0x0123456789ABCDEFull, 4000000000u}; }

// Three passes and a run of idle ones: every kind of record, with values at their edges.
ZrDemoWriter SampleDemo() {
  ZrDemoWriter w(Header(), 1);
  w.Seed(0xFEEDFACECAFEBEEFull);
  w.Message(0x0005, 0, 0x02580320);
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

std::vector<ZrDemoEvent> ReadAll(ZrDemoReader& r) {
  std::vector<ZrDemoEvent> events;
  ZrDemoEvent e;
  while (r.Next(e)) events.push_back(e);
  return events;
}

std::vector<uint8_t> Finished(ZrDemoWriter w) {
  w.Finish(33);
  std::vector<uint8_t> bytes = w.Take();
  return bytes;
}

}  // namespace

TEST(DemoFile, RecordsReadBackInOrderWithRunsUnfolded) {
  ZrDemoReader r;
  ASSERT_TRUE(r.Open(Finished(SampleDemo()))) << r.Error();
  EXPECT_EQ(r.Header().GameVersion, "1.0.0");
  EXPECT_EQ(r.Header().DataHash, 0x0123456789ABCDEFull);
  EXPECT_EQ(r.Header().BestScore, 4000000000u);
  EXPECT_TRUE(r.Finished());
  EXPECT_EQ(r.TotalPasses(), 6u);
  EXPECT_EQ(r.FinalHash(), 33u);

  const std::vector<ZrDemoEvent> e = ReadAll(r);
  std::vector<ZrDemoTag> tags;
  for (const ZrDemoEvent& x : e) tags.push_back(x.Tag);
  const std::vector<ZrDemoTag> expected = {
      dtSeed, dtMessage, dtPassHash, dtPollMessage, dtGameMouse, dtTick, dtTick, dtTick, dtTick, dtPassHash,
      dtPollNone, dtPassEnd, dtPollNone, dtPassEnd, dtPollNone, dtPassEnd, dtPollQuit, dtPassHash};
  ASSERT_EQ(tags, expected);
  EXPECT_EQ(e[0].Value, 0xFEEDFACECAFEBEEFull);
  EXPECT_EQ(e[1].Message, 0x0005u);
  EXPECT_EQ(e[1].LParam, 0x02580320);
  EXPECT_EQ(e[2].Value, 11u);
  EXPECT_EQ(static_cast<int64_t>(e[4].Value), -32768 * 3);
  EXPECT_EQ(e[4].LParam, INT32_MAX);
  EXPECT_EQ(e[5].Value, 4294967290u);
  EXPECT_EQ(e[7].Value, 4294967290u);
  EXPECT_EQ(e[8].Value, 10u);
  EXPECT_EQ(e[16].Message, 7u);
}

// What a crash leaves: the whole passes taken so far, without the end mark.
TEST(DemoFile, ACutShortRecordingPlaysToItsLastWholePass) {
  ZrDemoWriter w = SampleDemo();
  std::vector<uint8_t> bytes = w.Take();
  w.PollNone();  // a pass under way is never taken
  EXPECT_TRUE(w.Take().empty());
  ZrDemoReader r;
  ASSERT_TRUE(r.Open(bytes)) << r.Error();
  EXPECT_FALSE(r.Finished());
  EXPECT_EQ(r.TotalPasses(), 6u);
  EXPECT_EQ(ReadAll(r).size(), 18u);
}

TEST(DemoFile, BadFilesAreRefusedWithAReason) {
  const std::vector<uint8_t> good = Finished(SampleDemo());
  const size_t records = sizeof DemoMagic + 2 + 1 + 5 + 8 + 4;
  auto with = [&](size_t at, std::vector<uint8_t> bytes) {
    // Byte by byte: GCC 12 misreads a range insert here as an overflow.
    std::vector<uint8_t> out(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at));
    for (const uint8_t b : bytes) out.push_back(b);
    return out;
  };
  auto header = [&](std::vector<uint8_t> rest) { return with(records, rest); };
  const uint8_t passEnd[] = {dtPassEnd};
  struct Case {
    const char* What;
    std::vector<uint8_t> Bytes;
    const char* Says;
  };
  std::vector<uint8_t> newer = good;
  newer[8] = 2;
  std::vector<uint8_t> zero = good;
  zero[8] = 0;
  std::vector<uint8_t> longName = good;
  longName[10] = 200;
  std::vector<uint8_t> wrongCount = good;
  wrongCount[wrongCount.size() - 9] = 5;
  const Case cases[] = {
      {"empty", {}, "empty"},
      {"another file", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 1, 0}, "not a demo"},
      {"a newer format", newer, "newer"},
      {"format 0", zero, "version 0"},
      {"an overlong version", longName, "too long"},
      {"a header cut short", with(records - 3, {}), "header"},
      {"an unknown record", header({99}), "unknown"},
      {"an overlong varint", header({dtTick, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}), "malformed"},
      {"a tick step beyond 32 bits", header({dtTick, 0x80, 0x80, 0x80, 0x80, 0x10, dtPassEnd}), "32 bits"},
      {"an idle run of none", header({dtIdlePasses, 0}), "idle"},
      {"an endless idle run", header({dtIdlePasses, 0x80, 0x80, 0x80, 0x80, 0x01}), "idle"},
      {"a million tanks' ticks", header({dtSameTicks, 0x80, 0x80, 0x80, 0x01, dtPassEnd}), "tick readings"},
      {"too many passes", header({dtIdlePasses, 0x80, 0x80, 0x80, 0x20, dtIdlePasses, 0x80, 0x80, 0x80, 0x20, dtIdlePasses,
                                  0x01}), "more passes"},
      {"a pointer beyond 32 bits", header({dtGameMouse, 0x80, 0x80, 0x80, 0x80, 0x20, 0, dtPassEnd}), "pointer"},
      {"an end mark that miscounts", wrongCount, "end mark counts"},
      {"bytes after the end mark", with(good.size(), {passEnd[0]}), "follow the end mark"},
      {"a pass without its end", header({dtPollNone, dtTick, 4}), "cut short"},
  };
  for (const Case& c : cases) {
    ZrDemoReader r;
    EXPECT_FALSE(r.Open(c.Bytes)) << c.What;
    EXPECT_NE(r.Error().find(c.Says), std::string::npos) << c.What << ": " << r.Error();
  }
  // Cut anywhere, a demo is refused or plays the whole passes before the cut.
  for (size_t n = 0; n < good.size(); ++n) {
    ZrDemoReader r;
    if (r.Open(with(n, {}))) {
      EXPECT_LE(r.TotalPasses(), 6u) << n;
    }
  }
}
