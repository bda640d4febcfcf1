# Helpers for the end-to-end tests: the real game under Xvfb, driven by xdotool.
# Source this file; it expects ZR_EXE (the game) and ZR_ARTIFACTS (where PNGs go).

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Builds the WM_DELETE_WINDOW sender once.
e2e_close_tool() {
  local tool="${ZR_ARTIFACTS}/x_close_window"
  [ -x "$tool" ] || cc -O2 -o "$tool" "$E2E_DIR/x_close_window.c" -lX11
  echo "$tool"
}

# Waits up to 60 s for a window with the given name; prints its id. Given the pid of
# the program that should open it, stops as soon as that program has ended.
e2e_wait_window() {
  local name="$1" pid="${2:-}" id=""
  for _ in $(seq 1 600); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended before window '$name' appeared" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "window '$name' did not appear on display $DISPLAY; its windows:" >&2
  xwininfo -root -children >&2 || true
  return 1
}

# Photographs a window into $ZR_ARTIFACTS/NAME.png.
e2e_shot() {
  import -window "$1" "${ZR_ARTIFACTS}/$2.png"
}

# Keys and the button are held for a few frames, as a hand does: a flag that is set and
# cleared again before a frame is drawn is never seen by the game. They go to window $wid.
press() { xdotool keydown --window "$wid" "$1" sleep 0.12 keyup --window "$wid" "$1" sleep 0.1; }
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2" sleep 0.05 mousedown --window "$wid" 1 sleep 0.12 \
    mouseup --window "$wid" 1 sleep 0.1
}

# Pixels of a rectangle of the shot (x, y from the top left) near one colour.
count_colour() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fuzz 12% -fill black +opaque "$6" \
    -fill white -opaque "$6" -format "%[fx:round(mean*w*h)]" info:
}
# The screens in the game's 800 x 600 pixels, told apart by what only each of them shows.
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

# Photographs window $wid until the check holds on the game's picture (at most about
# 10 s), each time after the command in $each if there is one; keeps the picture as
# $ZR_ARTIFACTS/NAME.png. With $picture (WxH+X+Y) set, the picture is that part of the
# window, scaled back to 800 x 600 for the check.
wait_for() {
  local check=$1 shot="${ZR_ARTIFACTS}/${2}.png"
  shift 2
  for _ in $(seq 1 40); do
    ${each:-}
    if import -window "$wid" -quality 10 "$shot" 2>/dev/null; then  # quick to write, if larger
      local seen=$shot
      if [ -n "${picture:-}" ]; then
        seen="${shot%.png}_picture.png"
        convert "$shot" -crop "$picture" +repage -filter box -resize "800x600!" -quality 10 "$seen"
      fi
      "$check" "$seen" "$@" && return 0
    fi
    sleep 0.25
  done
  echo "the screen did not show; last picture: $shot" >&2
  return 1
}

# CPU time (user + system) of a process so far, in clock ticks.
e2e_cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat"
}
