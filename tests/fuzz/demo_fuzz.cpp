// libFuzzer target: any bytes through the demo reader. A file it takes must hand over
// exactly the passes it counted, never more, however it is read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "demo/zr_demo_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZrDemoReader reader;
  if (!reader.Open(std::vector<uint8_t>(data, data + size))) {
    if (reader.Error().empty()) std::abort();
    return 0;
  }
  // Runs unfold into what they stand for; a hostile run must not be able to make this
  // slow, so only the first passes are walked.
  uint64_t passes = 0;
  ZrDemoEvent event;
  for (uint64_t n = 0; n < 100000 && reader.Next(event); ++n) {
    if (event.Tag == dtPassEnd || event.Tag == dtPassHash) ++passes;
    if (event.Tag == dtEnd || event.Tag == dtIdlePasses || event.Tag == dtSameTicks) std::abort();
  }
  if (passes > reader.TotalPasses()) std::abort();
  return 0;
}
