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
press() {
  xdotool keydown --window "$wid" "$1"
  sleep 0.12
  xdotool keyup --window "$wid" "$1"
  sleep 0.1
}
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.05
  xdotool mousedown --window "$wid" 1
  sleep 0.12
  xdotool mouseup --window "$wid" 1
  sleep 0.1
}

# Pixels of a rectangle of the shot (x, y from the top left) near one colour.
count_colour() {
  local png=$1 x=$2 y=$3 w=$4 h=$5 colour=$6
  convert "$png" -crop "${w}x${h}+${x}+${y}" +repage -fuzz 12% -fill black +opaque "$colour" \
    -fill white -opaque "$colour" -format "%[fx:round(mean*w*h)]" info:
}

# The screens, told apart by what only each of them shows.
is_menu() {  # the red title, the story, and item number $2 of the menu red
  local row=$((186 + 20 * $2))
  [ "$(count_colour "$1" 50 36 200 18 red)" -gt 40 ] && [ "$(count_colour "$1" 500 "$row" 100 18 red)" -gt 20 ]
}
is_records() {  # the white title where the menu has its red one, and the red best-score line
  [ "$(count_colour "$1" 50 36 120 18 red)" -lt 5 ] && [ "$(count_colour "$1" 50 36 120 18 white)" -gt 30 ] &&
    [ "$(count_colour "$1" 200 186 250 18 red)" -gt 40 ]
}
is_battle() {  # the yellow frame of the health bar in the bottom left corner
  [ "$(count_colour "$1" 8 498 24 94 yellow)" -gt 300 ]
}
is_game_over() {  # the purple tint: the background has lost its green, but for explosions
  [ "$(count_colour "$1" 200 186 250 18 red)" -gt 40 ] &&
    [ "$(convert "$1" -crop 780x300+10+280 +repage -channel G -separate -threshold 0 -format '%[fx:mean<0.3]' info:)" = 1 ]
}

# Photographs the window until the check holds (at most about 10 s); keeps the picture.
wait_for() {
  local check=$1 name=$2 shot="${ZR_ARTIFACTS}/game_${2}.png"
  shift 2
  for _ in $(seq 1 40); do
    import -window "$wid" "$shot" 2>/dev/null && "$check" "$shot" "$@" && return 0
    sleep 0.25
  done
  echo "the $name screen did not show; last picture: $shot" >&2
  return 1
}

"$ZR_EXE" 2>"$ZR_ARTIFACTS/game_stderr.txt" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall")

wait_for is_menu menu 0
press Down
wait_for is_menu menu_records 1
press Return
wait_for is_records records
press space
wait_for is_menu menu_back 1  # "Рекорды" is still the selected item

press Up
wait_for is_menu menu_play 0
press Return
wait_for is_battle battle
sleep 0.6  # the frame-rate reading starts at 0; the battle runs at its pace after it

# Each fireball bursts on the base at once and takes 96 of its 100 hit points.
for _ in $(seq 1 10); do
  click_at 400 300
  import -window "$wid" "$workdir/now.png" && is_game_over "$workdir/now.png" && break
  sleep 0.3
done
wait_for is_game_over game_over
press space
wait_for is_menu menu_after_battle 0
# The battle scored nothing, so no best score was written.
[ ! -e bs.zrt ] || { echo "bs.zrt written after a battle of 0 points: $(cat bs.zrt)"; exit 1; }

press Down
press Down
wait_for is_menu menu_quit 2
# The game ends on the key-down; the window may be gone before the key comes up.
xdotool keydown --window "$wid" Return
sleep 0.12
xdotool keyup --window "$wid" Return 2>/dev/null || true
status=0
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game exited with $status"; exit 1; }
echo "game e2e: passed"
