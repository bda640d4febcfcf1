#!/usr/bin/env bash
# End to end on Windows, as far as this machine can go: the cross-built zr_ironfall.exe
# under wine in Xvfb. The window "Zr Ironfall" appears with an 800 x 600 client area,
# the menu shows its red title at (50, 50) in Cyrillic letters, the arrow keys, Enter
# and Space reach the game (menu -> records -> menu), and closing the window ends the
# process with exit code 0. Then the two message boxes: "TGA File Error" for a picture
# the loader refuses (the game goes on), "Application Error" for a missing one (the
# game ends with exit code 1).
#
# Needs: DISPLAY (run it under xvfb-run), ZR_WIN_EXE (the .exe), ZR_LINUX_EXE (the
# Linux build, whose menu is the reference for the letters), ZR_ARTIFACTS (where the
# PNGs go), WINEPREFIX (an initialised prefix), ZR_DATA_DIR (the game's pictures).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
: "${ZR_WIN_EXE:?}" "${ZR_LINUX_EXE:?}" "${ZR_ARTIFACTS:?}" "${WINEPREFIX:?}" "${ZR_DATA_DIR:?}"
export WINEDEBUG=-all

fail() {
  echo "windows smoke: $*" >&2
  exit 1
}

# Counts the pixels of a rectangle of a PNG whose colour is red (the game's 1, 0, 0
# text colour) and prints "count left top right bottom" of them, in PNG coordinates.
red_box() {
  local png="$1" x="$2" y="$3" w="$4" h="$5"
  convert "$png" -crop "${w}x${h}+${x}+${y}" +repage txt:- | awk -F'[,:() ]+' -v ox="$x" -v oy="$y" '
    NR > 1 && $3 > 180 && $4 < 80 && $5 < 80 {
      n++; px = $1 + ox; py = $2 + oy
      if (n == 1 || px < l) l = px; if (n == 1 || py < t) t = py
      if (px > r) r = px; if (py > b) b = py
    }
    END { printf "%d %d %d %d %d\n", n, l, t, r, b }'
}

# The red pixels of the title's strip as a black-and-white PNG.
title_mask() {
  convert "$1" -crop 260x34+40+24 +repage -fx '(r > 0.7 && g < 0.3 && b < 0.3) ? 1 : 0' -monochrome "$2"
}

# Waits up to 20 s for the wine process to end and leaves its exit code in status.
# (Not in a $(...) subshell: only this shell can wait for its own child.)
wait_exit() {
  local pid="$1"
  status=0
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "the game did not end"
  fi
  wait "$pid" || status=$?
}

# A key held long enough for the game to draw a frame while it is down, as a finger
# would; a press and release in one burst would be handled before any frame looks.
hold_key() {
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
  sleep 0.5
}

close_tool=$(e2e_close_tool)
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cp "$ZR_WIN_EXE" "$workdir/zr_ironfall.exe"
[ -f "${ZR_DATA_DIR}/bg2.tga" ] || fail "no pictures in '${ZR_DATA_DIR}'"
cp -r "${ZR_DATA_DIR}" "$workdir/data"
cd "$workdir"

# The reference: the Linux build's menu, drawn from the same face (Liberation Mono
# stands in for "Courier New" on both sides here).
"$ZR_LINUX_EXE" &
linux_pid=$!
linux_wid=$(e2e_wait_window "Zr Ironfall") || { kill "$linux_pid" 2>/dev/null; fail "no Linux window"; }
sleep 1.5
e2e_shot "$linux_wid" linux_menu
"$close_tool" "$linux_wid"
wait "$linux_pid" || fail "the Linux reference build did not end cleanly"

# Park the pointer in a corner, so the menu is driven by the keyboard alone.
xdotool mousemove 1020 760
wine zr_ironfall.exe &
pid=$!
wid=$(e2e_wait_window "Zr Ironfall") || { kill "$pid" 2>/dev/null; fail "no window"; }
sleep 2

geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x600" ] || fail "client area is $geometry, not 800x600"

xdotool windowfocus --sync "$wid"
sleep 0.5
e2e_shot "$wid" windows_menu
menu="${ZR_ARTIFACTS}/windows_menu.png"

# The title: red, starting at x = 50, its capitals standing on the baseline at y = 50.
read -r n left top right bottom < <(red_box "$menu" 30 20 300 45)
echo "title: $n red pixels, box ($left,$top)-($right,$bottom)"
[ "$n" -gt 200 ] || fail "no red title at (50, 50)"
[ "$left" -ge 48 ] && [ "$left" -le 54 ] || fail "the title starts at x = $left, not 50"
[ "$bottom" -ge 47 ] && [ "$bottom" -le 51 ] || fail "the title's baseline is at y = $bottom, not 50"
# Its letters: Cyrillic, as on Linux. Read as Latin-1 the same bytes would draw
# "ÂÎÉÍÛ ÇÀ ÒÎÐÂÀË", whose shapes differ in most of their pixels.
title_mask "${ZR_ARTIFACTS}/linux_menu.png" "${ZR_ARTIFACTS}/linux_title.png"
title_mask "$menu" "${ZR_ARTIFACTS}/windows_title.png"
differ=$(compare -metric AE "${ZR_ARTIFACTS}/linux_title.png" "${ZR_ARTIFACTS}/windows_title.png" null: 2>&1 || true)
echo "title: $differ of its pixels differ from the Linux build's"
[ "$differ" -lt $((n / 10)) ] || fail "the title's letters are not the Cyrillic ones of the Linux build"

# The items at x = 500, y = 200, 220, 240: the first one red.
item_red() { red_box "$1" 495 $(($2 - 16)) 140 20 | cut -d' ' -f1; }
[ "$(item_red "$menu" 200)" -gt 50 ] || fail "\"Играть\" is not selected at first"
[ "$(item_red "$menu" 220)" -eq 0 ] || fail "\"Рекорды\" is red before any key"

# Down selects "Рекорды".
hold_key Down
e2e_shot "$wid" windows_menu_down
[ "$(item_red "${ZR_ARTIFACTS}/windows_menu_down.png" 220)" -gt 50 ] || fail "Down did not reach the game"
[ "$(item_red "${ZR_ARTIFACTS}/windows_menu_down.png" 200)" -eq 0 ] || fail "\"Играть\" still red after Down"

# Enter opens the records screen: its red lines at (200, 200) and (200, 240), and no
# red title any more.
hold_key Return
e2e_shot "$wid" windows_records
records="${ZR_ARTIFACTS}/windows_records.png"
[ "$(red_box "$records" 195 184 300 20 | cut -d' ' -f1)" -gt 50 ] || fail "Enter did not open the records screen"
[ "$(red_box "$records" 30 20 300 45 | cut -d' ' -f1)" -lt 50 ] || fail "the menu title is still shown"

# Space goes back to the menu, with "Рекорды" still chosen.
hold_key space
e2e_shot "$wid" windows_menu_back
back="${ZR_ARTIFACTS}/windows_menu_back.png"
[ "$(red_box "$back" 30 20 300 45 | cut -d' ' -f1)" -gt 200 ] || fail "Space did not return to the menu"
[ "$(item_red "$back" 220)" -gt 50 ] || fail "\"Рекорды\" is not selected after returning"

# Closing the window the way a window manager does ends the game normally.
"$close_tool" "$wid"
wait_exit "$pid"
[ "$status" -eq 0 ] || fail "the game exited with $status after its window was closed"

# A 16-bit picture is refused in a "TGA File Error" box; after OK the game goes on.
printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\20\0\0\0\0\0\0\0\0\0' >data/smoke.tga
wine zr_ironfall.exe &
pid=$!
box=$(e2e_wait_window "TGA File Error") || { kill "$pid"; fail "no \"TGA File Error\" box"; }
sleep 0.5
e2e_shot "$box" windows_tga_error
xdotool windowfocus --sync "$box"
hold_key Return
wid=$(e2e_wait_window "Zr Ironfall") || { kill "$pid"; fail "no window after the box"; }
sleep 1.5
e2e_shot "$wid" windows_menu_after_box
[ "$(red_box "${ZR_ARTIFACTS}/windows_menu_after_box.png" 30 20 300 45 | cut -d' ' -f1)" -gt 200 ] ||
  fail "no menu after the \"TGA File Error\" box"
"$close_tool" "$wid"
wait_exit "$pid"
[ "$status" -eq 0 ] || fail "the game exited with $status after the \"TGA File Error\" box"

# A missing picture ends the program through the "Application Error" box, exit code 1.
rm data/bg2.tga
wine zr_ironfall.exe &
pid=$!
box=$(e2e_wait_window "Application Error") || { kill "$pid"; fail "no \"Application Error\" box"; }
sleep 0.5
e2e_shot "$box" windows_application_error
xdotool windowfocus --sync "$box"
hold_key Return
wait_exit "$pid"
[ "$status" -eq 1 ] || fail "the game exited with $status after the \"Application Error\" box, not 1"

echo "windows smoke: passed"
