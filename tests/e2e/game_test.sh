#!/usr/bin/env bash
# End to end: the real game under Xvfb, driven by xdotool through every screen: the menu,
# the records and back, a battle that ends with shots at the base's own centre, the
# game-over screen, and "Выход". Exit code 0; a PNG of each screen is kept.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
workdir=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT
cp -r "${ZR_DATA_DIR}" "$workdir/data"
cd "$workdir"

# Keys and the button are held for a few frames, as a hand does: a flag that is set and
# cleared again before a frame is drawn is never seen by the game.
press() { xdotool keydown --window "$wid" "$1" sleep 0.12 keyup --window "$wid" "$1" sleep 0.1; }
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2" sleep 0.05 mousedown --window "$wid" 1 sleep 0.12 \
    mouseup --window "$wid" 1 sleep 0.1
}

# The screens, told apart by what only each of them shows.
score_line() { [ "$(count_colour "$1" 200 186 250 18 red)" -gt 40 ]; }  # the best score, or the battle's
is_menu() {  # the red title, and item number $2 of the menu red
  [ "$(count_colour "$1" 50 36 200 18 red)" -gt 40 ] &&
    [ "$(count_colour "$1" 500 $((186 + 20 * $2)) 100 18 red)" -gt 20 ]
}
is_records() {  # the white title where the menu has its red one
  [ "$(count_colour "$1" 50 36 120 18 red)" -lt 5 ] && [ "$(count_colour "$1" 50 36 120 18 white)" -gt 30 ] &&
    score_line "$1"
}
is_battle() { [ "$(count_colour "$1" 8 498 24 94 yellow)" -gt 300 ]; }  # the health bar's frame
is_game_over() {  # the purple tint: the background has lost its green, but for explosions
  score_line "$1" && [ "$(convert "$1" -crop 780x300+10+280 +repage -channel G -separate -threshold 0 \
    -format '%[fx:mean<0.3]' info:)" = 1 ]
}

# Photographs the window until the check holds (at most about 10 s), each time after
# the command in $each if there is one; keeps the picture.
wait_for() {
  local check=$1 shot="${ZR_ARTIFACTS}/game_${2}.png"
  shift 2
  for _ in $(seq 1 40); do
    ${each:-}
    import -window "$wid" "$shot" 2>/dev/null && "$check" "$shot" "$@" && return 0
    sleep 0.25
  done
  echo "the screen did not show; last picture: $shot" >&2
  return 1
}

"$ZR_EXE" 2>"$ZR_ARTIFACTS/game_stderr.txt" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid") || { cat "$ZR_ARTIFACTS/game_stderr.txt"; exit 1; }
wait_for is_menu menu 0
press Down
press Return
wait_for is_records records
press space
wait_for is_menu menu_back 1  # "Рекорды" is still the selected item
press Up
press Return
wait_for is_battle battle
sleep 0.6  # the frame-rate reading starts at 0; the battle runs at its pace after it
each="click_at 400 300" wait_for is_game_over game_over  # each fireball takes 96 of the base's 100 hit points
press space
wait_for is_menu menu_after_battle 0
press Down
press Down
wait_for is_menu menu_quit 2
press Return 2>/dev/null || true  # the game ends on the key-down: the window may be gone before the key-up
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game exited with $status"; exit 1; }
echo "game e2e: passed"
