#!/usr/bin/env bash
# The hall and the browser build together in headless Chromium (browser_test.mjs): a
# server on a free port with its page, the game in build-web/ (tools/web.sh) and a fresh
# SQLite file.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${ZR_BUILD:-$root/build}"
HALL_EXE="$build/zr_hall"
HALL_WORK=$(mktemp -d)
source "$root/tests/hall/lib.sh"
HALL_PID=""
trap 'hall_stop "$HALL_PID"; rm -rf "$HALL_WORK"' EXIT
hall_start "$HALL_WORK/hall.log" --store "$HALL_WORK/hall.sqlite" --page "$root/src/hall/page" \
  --web "$root/build-web"
# Node 20 has a WebSocket of its own behind a flag; Node 18 neither, and the test brings one.
node_flags=()
node --experimental-websocket -e 0 2>/dev/null && node_flags+=(--experimental-websocket)
node "${node_flags[@]}" "$root/tests/hall/browser_test.mjs" "$HALL_URL" "$HALL_WORK/hall.log"
