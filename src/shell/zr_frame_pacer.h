// Even frames: each frame is due one frame time after the previous one was due, not
// after the previous sleep ended. A wake-up that comes late is then taken back by the
// next frame instead of being added to every period, and the rate stays the display's.
#pragma once

#include <cstdint>

class ZrFramePacer {
 public:
  // When the next frame is due, seen at now: the last deadline plus a frame. The first
  // frame, and one that has fallen more than a frame behind (a stall, a window that was
  // minimised), is due at once, and the schedule starts again from there rather than
  // hurrying to catch up.
  uint64_t Due(uint64_t now, uint64_t frameNs) const;
  // Sleeps until the next frame is due and books it.
  void WaitForFrame(uint64_t frameNs);
  // Sleeps until the next frame is due or a message comes, whichever is first. The frame
  // is booked only when its time has come: an early message leaves the deadline standing.
  void WaitForFrameOrMessage(uint64_t frameNs);

  // The deadline of the last frame booked; 0 before the first.
  uint64_t Deadline = 0;
};
