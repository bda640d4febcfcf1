#!/usr/bin/env bash
# Records the golden demos in tests/demos again: each scripted game played once by the
# real game in an offscreen window. Their playback guards the whole game, so a change
# that alters play breaks them on purpose; run this only when that change is meant, and
# say why in the commit that brings the new demos.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_make_golden_demos zr_ironfall
# A folder of the game's own, so that the games' best scores land there, not here.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$root/data" "$scratch/data"
mkdir -p "$scratch/demos"
(cd "$scratch" && SDL_VIDEODRIVER=offscreen "$root/build/zr_make_golden_demos" demos)
for demo in "$scratch"/demos/*.zrd; do
  # Each must play back to its own end before it is kept.
  SDL_VIDEODRIVER=offscreen "$root/build/zr_ironfall" --timedemo "$demo" >/dev/null
  cp "$demo" tests/demos/
done
ls -l tests/demos
