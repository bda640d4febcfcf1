#include "shell/zr_frame_pacer.h"

#include "platform/platform.h"

uint64_t ZrFramePacer::Due(uint64_t now, uint64_t frameNs) const {
  if (Deadline == 0) return now;
  const uint64_t next = Deadline + frameNs;
  return now > next && now - next > frameNs ? now : next;
}

void ZrFramePacer::WaitForFrame(uint64_t frameNs) {
  if (frameNs == 0) return;
  const uint64_t due = Due(Platform::FineClockNs(), frameNs);
  Platform::SleepUntilNs(due);
  Deadline = due;
}

void ZrFramePacer::WaitForFrameOrMessage(uint64_t frameNs) {
  if (frameNs == 0) return;
  const uint64_t now = Platform::FineClockNs();
  const uint64_t due = Due(now, frameNs);
  if (due > now) Platform::WaitForMessageNs(due - now);
  if (Platform::FineClockNs() >= due) Deadline = due;
}
