// The null backend: no window, no GL, no display. Window-free tests and tools link it
// in place of a real backend. Its queue is the one tests fill with QueueMessage, and its
// clock stands still until a test moves it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace NullPlatform {

// The fake clock: TickCount and FineClockNs read it; SleepUntilNs moves it on.
void SetClockNs(uint64_t ns);
uint64_t ClockNs();
// Every message box shown so far, as "caption|text".
std::vector<std::string>& MessageBoxes();
// The last icon put on the window: its size and its pixels, the top row first.
struct Icon {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgba;
};
Icon& WindowIcon();
// An empty queue, a clock at 0, no boxes, no icon.
void Reset();

}  // namespace NullPlatform
