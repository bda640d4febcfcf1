#!/usr/bin/env bash
# The whole real game as a benchmark: the golden long battle (the menu, then about thirty
# tanks at the end) played by `zr_ironfall --timedemo` as fast as it draws, each frame
# finished before the next, offscreen, three times, with the most memory each run held.
# First, in the same run, the floor that build/bench_screens measures on this machine: a
# frame that only clears, draws the background and swaps. Run from the repository root
# after a build.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${ZR_EXE:-build/zr_ironfall}
screens=${ZR_BENCH_SCREENS:-build/bench_screens}
demo=${1:-tests/demos/long_battle.zrd}
export SDL_VIDEODRIVER=offscreen
"$screens" | awk '/^GL renderer|^fill rate/ { print } /^floor:/ {
  print; printf "  so at most %.1f frames/s (wall)\n", 1000 / $(NF - 2) }'
for run in 1 2 3; do
  echo "run $run:"
  /usr/bin/time -f "resident at most %M KB; CPU %U s user, %S s system, in %e s" "$exe" --timedemo "$demo"
done
