#!/usr/bin/env bash
# The browser build: build-web/ made by tools/web.sh, served on 127.0.0.1 and played in
# headless Chromium (tests/web/play_test.mjs), its menu compared with the Linux game's
# own picture; its drawing and a lost context (tests/web/gl_test.mjs); then the golden
# demos played there (tests/web/demo_test.mjs). Prints what
# the page loads, raw and compressed; PNGs of each screen go to build/web-artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
bash tools/web.sh

artifacts="$root/build/web-artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

# What a host serves, all of build-web/: at most 1 MB (10^6 bytes) as it lies, for a host
# that does not compress.
raw=0 packed=0
while IFS= read -r f; do
  raw=$((raw + $(stat -c %s "$f")))
  packed=$((packed + $(gzip -9 -c "$f" | wc -c)))
done < <(find build-web -type f)
echo "build-web/ serves $raw bytes, $packed bytes gzip-compressed"
[ "$raw" -le 1000000 ] || { echo "FAIL build-web/ weighs more than 1 MB" >&2; exit 1; }

# The Linux game's menu, for the picture the browser must show.
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_ironfall
cat >"$work/native.sh" <<'NATIVE'
set -euo pipefail
source "$1/tests/e2e/lib.sh"
ZR_DATA_DIR="$1/data" e2e_workdir
"$1/build/zr_ironfall" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid")
sleep 1.5  # the first frame is long drawn
import -window "$wid" "$ZR_ARTIFACTS/native_menu.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
NATIVE
ZR_ARTIFACTS="$artifacts" bash tools/with-xvfb.sh bash "$work/native.sh" "$root"
convert "$artifacts/native_menu.png" -depth 8 "rgb:$work/native_menu.rgb"

# The game as built, and beside it the same game with one picture missing.
mkdir -p "$work/site/missing/data"
ln -s "$root/build-web" "$work/site/game"
for f in build-web/*; do [ "$f" = build-web/data ] || ln -s "$root/$f" "$work/site/missing/"; done
for f in build-web/data/*; do [ "$(basename "$f")" = expl.tga.gz ] || ln -s "$root/$f" "$work/site/missing/data/"; done
source tools/serve_site.sh
serve_site "$work/site" "$work/http.log"

node "${node_flags[@]}" tests/web/play_test.mjs "http://127.0.0.1:$port/game/" \
  "http://127.0.0.1:$port/missing/" "$work/native_menu.rgb" "$artifacts" "$root/build-web"

# The drawing: draw calls a battle frame, and a lost WebGL context that comes back.
node "${node_flags[@]}" tests/web/gl_test.mjs "http://127.0.0.1:$port/game/" "$artifacts"

# The golden demos, played in the browser to their recorded state.
ln -s "$root/tests/demos" "$work/site/demos"
node "${node_flags[@]}" tests/web/demo_test.mjs "http://127.0.0.1:$port/game/" \
  ../demos/lost_at_base.zrd ../demos/records_and_best.zrd ../demos/long_battle.zrd
