#!/usr/bin/env bash
# The whole real game as a benchmark: the golden long battle (the menu, then about thirty
# tanks at the end) played by `zr_ironfall --timedemo` as fast as it draws, offscreen,
# three times. Run from the repository root after a build; compare the frames a second
# with the fill-rate floor that build/bench_screens prints for the same machine.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${ZR_EXE:-build/zr_ironfall}
demo=${1:-tests/demos/long_battle.zrd}
for run in 1 2 3; do
  echo "run $run:"
  SDL_VIDEODRIVER=offscreen "$exe" --timedemo "$demo"
done
