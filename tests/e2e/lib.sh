# Helpers for the end-to-end tests: the real game under Xvfb, driven by xdotool.
# Source this file; it expects ZR_EXE (the game) and ZR_ARTIFACTS (where PNGs go).

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Builds the WM_DELETE_WINDOW sender once.
e2e_close_tool() {
  local tool="${ZR_ARTIFACTS}/x_close_window"
  [ -x "$tool" ] || cc -O2 -o "$tool" "$E2E_DIR/x_close_window.c" -lX11
  echo "$tool"
}

# The id of a window named exactly $1, or nothing. xwininfo also reads the names that
# xdotool cannot: SDL's message box gives its name as UTF-8 text.
e2e_find_window() {
  local id
  id=$(xdotool search --name "^${1}\$" 2>/dev/null | head -1 || true)
  [ -n "$id" ] || id=$(xwininfo -root -tree 2>/dev/null | grep -F " \"$1\": " | awk '{print $1; exit}' || true)
  echo "$id"
}

# Waits up to 60 s for a window with the given name; prints its id. Given the pid of
# the program that should open it, stops as soon as that program has ended.
e2e_wait_window() {
  local name="$1" pid="${2:-}" id=""
  for _ in $(seq 1 600); do
    id=$(e2e_find_window "$name")
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

# A fresh working folder holding the game's pictures becomes the current one; at exit it
# goes, with the game ($pid) and the window manager ($wm) if they still run.
e2e_workdir() {
  workdir=$(mktemp -d)
  pid="" wm=""
  trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    rm -rf "$workdir"' EXIT
  cp -r "${ZR_DATA_DIR}" "$workdir/data"
  cd "$workdir"
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

# The width in pixels of the red line of the score screens, label and number.
score_line_width() {
  convert "$1" -crop 600x18+200+186 +repage -fuzz 12% -fill black +opaque red -fill white -opaque red \
    -trim -format %w info:
}

# --- Input through the X server's own devices, to the focused window $wid: it reaches
# the game as a player's does, under wine too ---
e2e_key() { xdotool windowfocus --sync "$wid" keydown "$1" sleep 0.25 keyup "$1" sleep 0.5; }

# From the menu with "Играть" selected, plays battles until the game has saved a new best
# score into the file $1 (at most $2 battles, 4 by default); back in the menu after each.
# A battle: three waves of fireballs over the whole field but the base (their bursts
# reach every tank on it), then two at the base's own centre, each of which takes 96 of
# its 100 hit points, and Space on the game-over screen, which saves a score above 0.
e2e_play_until_saved() {
  local file=$1 battles=${2:-4} x y wave=() end=(mousemove --window "$wid" 400 300)
  for y in 60 160 260 360 460 560; do
    for x in 50 150 250 350 450 550 650 750; do
      [ $(((x - 400) ** 2 + (y - 300) ** 2)) -gt $((110 ** 2)) ] &&
        wave+=(mousemove --window "$wid" "$x" "$y" sleep 0.04 mousedown 1 sleep 0.04 mouseup 1 sleep 0.03)
    done
  done
  end+=(sleep 0.1 mousedown 1 sleep 0.1 mouseup 1 sleep 0.5 mousedown 1 sleep 0.1 mouseup 1 sleep 1)
  for _ in $(seq 1 "$battles"); do
    e2e_key Return
    sleep 1
    xdotool windowfocus --sync "$wid" "${wave[@]}" "${wave[@]}" "${wave[@]}"
    sleep 3  # the last fireballs are still flying
    xdotool windowfocus --sync "$wid" "${end[@]}"
    e2e_key space
    [ -s "$file" ] && return 0
  done
  echo "no best score was saved in $file after $battles battles" >&2
  return 1
}
