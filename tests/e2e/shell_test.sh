#!/usr/bin/env bash
# End to end: the real game opens "Zr Ironfall" with an 800 x 600 client area, draws,
# and ends with exit code 0 when the window manager closes it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
close_tool=$(e2e_close_tool)
workdir=$(mktemp -d)
cp -r "${ZR_DATA_DIR}" "$workdir/data"
cd "$workdir"
"$ZR_EXE" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall")
sleep 1.5
geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x600" ] || { echo "client area is $geometry, not 800x600"; exit 1; }
e2e_shot "$wid" shell_window
"$close_tool" "$wid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game exited with $status"; exit 1; }
echo "shell e2e: passed"
