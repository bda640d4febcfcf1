// The removal the explosions use for their particles and their effects.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Runs step once on each entry present at the start; an entry for which it returns
// false is dead and the last entry moves into its slot, taking its own turn there. The
// array and its count change once, at the end, and only if anything died.
template <typename T, typename Step>
void AnimateAndSwapRemove(std::vector<T>& items, int32_t& count, Step step) {
  int32_t alive = count;
  int32_t i = 0;
  while (i < alive) {
    if (step(items[static_cast<size_t>(i)])) {
      ++i;
    } else {
      items[static_cast<size_t>(i)] = std::move(items[static_cast<size_t>(alive - 1)]);
      --alive;
    }
  }
  if (alive != count) {
    items.resize(static_cast<size_t>(alive));
    count = alive;
  }
}
