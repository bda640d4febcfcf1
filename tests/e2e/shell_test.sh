#!/usr/bin/env bash
# End to end: the real game opens "Zr Ironfall" with an 800 x 600 client area, draws,
# draws its still menu again when another window has covered it and gone (and costs
# next to nothing while it stays still), and ends with exit code 0 when the window
# manager closes it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
close_tool=$(e2e_close_tool)
e2e_workdir

"$ZR_EXE" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid")
sleep 1.5
geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x600" ] || { echo "client area is $geometry, not 800x600"; exit 1; }
e2e_shot "$wid" shell_window

# Another window over the menu, then gone: the uncovered picture must be the menu's again.
xmessage -geometry 900x700+0+0 "covering the game" & cover=$!
sleep 1
kill "$cover"
wait "$cover" 2>/dev/null || true
sleep 0.5
e2e_shot "$wid" shell_uncovered
differing=$(compare -metric AE "${ZR_ARTIFACTS}/shell_window.png" "${ZR_ARTIFACTS}/shell_uncovered.png" null: 2>&1 || true)
[ "$differing" = 0 ] || { echo "uncovered, the menu differs from before in $differing pixels"; exit 1; }

# The menu left alone: its CPU over 5 s.
before=$(e2e_cpu_ticks "$pid")
sleep 5
after=$(e2e_cpu_ticks "$pid")
awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "the still menu used %.1f%% of one core over 5 s\n", t * 100 / hz / 5 }'
"$close_tool" "$wid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "the game exited with $status"; exit 1; }
echo "shell e2e: passed"
