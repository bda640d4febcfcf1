#!/usr/bin/env bash
# End to end: a picture the game cannot use brings up the "TGA File Error" box, and after
# it the menu. Where SDL can show no box at all (here: no display), one of the desktop's
# dialog programs shows the report: here a stand-in xmessage, which writes down what it
# was given.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
close_tool=$(e2e_close_tool)
e2e_workdir
fail() { echo "message box: $*" >&2; exit 1; }

printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\20\0\0\0\0\0\0\0\0\0' >data/smoke.tga  # 16 bits a pixel
"$ZR_EXE" 2>stderr.txt & pid=$!
box=$(e2e_wait_window "TGA File Error" "$pid") || fail "no \"TGA File Error\" box: $(cat stderr.txt)"
e2e_shot "$box" message_box_tga
wid=$(e2e_find_window "Zr Ironfall")
for _ in $(seq 1 20); do  # OK is the box's default button
  [ -n "$(e2e_find_window "TGA File Error")" ] || break
  xdotool key --window "$box" Return 2>/dev/null || true
  sleep 0.5
done
wait_for is_menu message_box_menu 0
"$close_tool" "$wid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "after the box the game exited with $status"

mkdir bin
cat >bin/xmessage <<'END'
#!/bin/sh
printf '%s\n' "$@" >xmessage.txt
END
chmod +x bin/xmessage
status=0
PATH="$PWD/bin:$PATH" DISPLAY=:nowhere XDG_RUNTIME_DIR= WAYLAND_DISPLAY= timeout 20 "$ZR_EXE" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "without a display the game exited with $status, not 1"
[ -f xmessage.txt ] || fail "no dialog program was run"
head -8 xmessage.txt | tr '\n' ' ' |
  grep -qx -- '-title Application Error -center -buttons OK:0 -default OK Exception EOSError in module zr_ironfall at [0-9A-F]*\. ' ||
  fail "xmessage was given: $(cat xmessage.txt)"
! grep -q $'\r' xmessage.txt || fail "the text keeps its carriage returns"
echo "message box e2e: passed"
