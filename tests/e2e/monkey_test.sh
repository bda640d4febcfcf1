#!/usr/bin/env bash
# End to end: 30 s of random clicks, drags out of the window and key presses against
# the game (the sanitizer build when there is one). Choosing "Выход" ends a run
# normally and the game is started again; any other ending fails the test.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
exe="${ZR_SANITIZED_EXE:-$ZR_EXE}"
[ -x "$exe" ] || exe="$ZR_EXE"
e2e_workdir
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

RANDOM=1  # the same sequence of input every time
keys=(Up Up Up Down Return space Escape F10 KP_8 a)
events=0 runs=0
end=$((SECONDS + 30))
while [ $SECONDS -lt $end ]; do
  "$exe" 2>>stderr.txt & pid=$!
  runs=$((runs + 1))
  wid=$(e2e_wait_window "Zr Ironfall" "$pid") || { cat stderr.txt; exit 1; }
  while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
    x=$((RANDOM % 800)) y=$((RANDOM % 600)) r=$((RANDOM % 10))
    if [ $r -lt 5 ]; then
      xdotool mousemove --window "$wid" $x $y click --window "$wid" 1 2>/dev/null || true
    elif [ $r -lt 6 ]; then
      xdotool mousemove --window "$wid" $x $y mousedown --window "$wid" 1 \
        mousemove --window "$wid" 900 700 mouseup --window "$wid" 1 2>/dev/null || true
    else
      key=${keys[$((RANDOM % ${#keys[@]}))]}
      xdotool keydown --window "$wid" "$key" sleep 0.05 keyup --window "$wid" "$key" 2>/dev/null || true
    fi
    events=$((events + 1))
  done
  status=0
  if kill -0 "$pid" 2>/dev/null; then
    "$(e2e_close_tool)" "$wid"
  fi
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || { echo "run $runs ended with $status after $events events:"; cat stderr.txt; exit 1; }
done
if [ -n "$(grep -v "XDG_RUNTIME_DIR" stderr.txt)" ]; then
  echo "the game complained:"; cat stderr.txt; exit 1
fi
echo "monkey e2e: passed ($events events over $runs runs)"
