#!/usr/bin/env bash
# Runs a command under a private Xvfb server (1024 x 768, 24 bits, or ZR_XVFB_SCREEN) and returns its exit
# status. Unlike xvfb-run it lets the server pick a free display itself (-displayfd) and
# waits for the server to be gone before returning: xvfb-run does neither, so a test
# that follows can pick the display of a server that is still shutting down, and its
# client then never gets a window.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 command [args...]" >&2; exit 2; }

dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${ZR_XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
finish() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$dir"
}
trap finish EXIT

# The server writes its display number once it accepts clients.
for _ in $(seq 1 300); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi

status=0
DISPLAY=":$(head -1 "$dir/display")" "$@" || status=$?
exit "$status"
