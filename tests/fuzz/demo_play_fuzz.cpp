// libFuzzer target: any bytes played as a demo by the real player, as --verify plays them,
// on the null backend, for at most a few thousand passes. Whatever the file holds, the
// game must end in one of the known ways, with a reason for every refusal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/zr_verify.h"
#include "platform/null/null_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullPlatform::Reset();  // what an earlier game queued (its window closed) goes
  ZrVerifyLimits limits;
  limits.MaxPasses = 3000;
  const ZrVerifyResult result = VerifyDemo(std::vector<uint8_t>(data, data + size), limits);
  switch (result.ExitCode) {
    case 0: break;
    case 2:
    case 3:
    case 4:
      if (result.Reason.empty()) std::abort();
      break;
    default: std::abort();  // the game itself failed
  }
  if (result.Frames > limits.MaxPasses) std::abort();
  return 0;
}
