// Verification on the null backend, as a server that replays submitted games runs it:
// the golden demos end where their files say, and a changed, cut or endless one is told
// apart, one after the other in the same process.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/zr_verify.h"
#include "demo/zr_demo_format.h"

namespace {

std::vector<uint8_t> ReadDemo(const char* name) {
  std::ifstream in(std::string(ZR_SOURCE_DIR "/tests/demos/") + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Verify, GoldenDemosEndInTheirRecordedStateAndBadOnesAreToldApart) {
  for (const char* name : {"lost_at_base.zrd", "records_and_best.zrd", "lost_at_base.zrd"}) {
    const std::vector<uint8_t> bytes = ReadDemo(name);
    ZrDemoReader reader;
    ASSERT_TRUE(reader.Open(bytes)) << name;
    const ZrVerifyResult result = VerifyDemo(bytes);
    EXPECT_EQ(result.ExitCode, 0) << name << ": " << result.Reason;
    EXPECT_EQ(result.Frames, reader.TotalPasses()) << name;
    EXPECT_EQ(result.StateHash, reader.End().StateHash) << name;
    EXPECT_EQ(result.ClaimedScore, reader.End().Score) << name;
    EXPECT_TRUE(result.GameOver) << name;
    EXPECT_EQ(VerifyLine(result).rfind("verify: score ", 0), 0u);
  }

  std::vector<uint8_t> bytes = ReadDemo("lost_at_base.zrd");
  EXPECT_EQ(VerifyDemo({bytes.begin(), bytes.begin() + 20}).ExitCode, 2);

  const ZrVerifyResult limited = VerifyDemo(bytes, ZrVerifyLimits{100, 0});
  EXPECT_EQ(limited.ExitCode, 4);
  EXPECT_EQ(limited.Frames, 100u);

  // Another seed: the game parts from its recording at once.
  const uint8_t seedTag = 5;
  const auto seed = std::find(bytes.begin() + 8 + 2 + 1 + 5 + 4, bytes.end(), seedTag);
  ASSERT_NE(seed, bytes.end());
  seed[1] ^= 1;
  const ZrVerifyResult parted = VerifyDemo(bytes);
  EXPECT_EQ(parted.ExitCode, 3);
  EXPECT_NE(parted.Reason.find("out of step"), std::string::npos) << parted.Reason;
}
