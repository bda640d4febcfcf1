#!/usr/bin/env bash
# The SDL backend's input tests through real X events, under a window manager.
set -euo pipefail
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; wait $wm 2>/dev/null || true' EXIT
sleep 1
"${ZR_X11_TESTS}"
