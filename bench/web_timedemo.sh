#!/usr/bin/env bash
# The browser build against the native game, side by side on this machine: the golden long
# battle as a timedemo, natively (offscreen, each frame finished before the next, as the
# game's timedemo does) and in headless Chromium (the page's ?timedemo=), with the frames a
# second, the draw calls a drawn frame (browser) and the CPU time a drawn frame (the native
# process; all the browser's processes), and the browser's own floor for a WebGL frame
# (bench/web_floor.html). Chromium draws WebGL through each renderer in ZR_WEB_RENDERERS:
# "mesa" (ANGLE on the system's Mesa, the llvmpipe the native game draws with here) and
# "swiftshader" (Chromium's own, as the web tests use). Run from the repository root after
# `bash tools/web.sh` and a native build in build/.
#   bash bench/web_timedemo.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-2}
demo=tests/demos/long_battle.zrd
work=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/site"
ln -s "$root/build-web" "$work/site/game"
ln -s "$root/tests/demos" "$work/site/demos"
ln -s "$root/bench" "$work/site/bench"
source tools/serve_site.sh
serve_site "$work/site" "$work/http.log"

for run in $(seq 1 "$runs"); do
  echo "run $run:"
  TIMEFORMAT='%U %S'
  { time SDL_VIDEODRIVER=offscreen build/zr_ironfall --timedemo "$demo" >"$work/native.txt" 2>&1; } \
    2>"$work/native.time"
  line=$(grep '^timedemo:' "$work/native.txt")
  drawn=$(sed -n 's/^timedemo: \([0-9]*\) frames drawn.*/\1/p' <<<"$line")
  read -r user sys <"$work/native.time"
  echo "native  $line"
  echo "native: $(echo "($user + $sys) * 1000 / $drawn" | bc -l | xargs printf '%.2f') ms CPU a drawn frame"
  for renderer in ${ZR_WEB_RENDERERS:-mesa swiftshader}; do
    ZR_WEB_GL=$renderer node "${node_flags[@]}" bench/web_timedemo.mjs "http://127.0.0.1:$port/game/" \
      ../demos/long_battle.zrd "http://127.0.0.1:$port/bench/web_floor.html"
  done
done
