#!/usr/bin/env bash
# End to end, under openbox: the command line; no display, exit code 1; full screen over
# the whole screen with the picture scaled; Alt+Enter back to an 800 x 600 window with
# the battle as it was; a window resized to 1600 x 1200 showing and aiming at 2x; F11;
# closing, exit code 0. The Xvfb screen is 1920 x 1280 (tools/ci/40-e2e.sh).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
close_tool=$(e2e_close_tool)
e2e_workdir
fail() { echo "window e2e: $*" >&2; exit 1; }
exits_with() {  # code, what, command...: the command's output in out.txt and err.txt
  local status=0
  "${@:3}" >out.txt 2>err.txt || status=$?
  [ "$status" -eq "$1" ] || fail "$2: exit code $status"
}

exits_with 0 "--help" timeout 20 "$ZR_EXE" --help
grep -q -- "--fullscreen" out.txt && grep -q "bs.zrt" out.txt || fail "--help says: $(cat out.txt)"
exits_with 0 "--version" timeout 20 "$ZR_EXE" --version
grep -Eq "^Zr Ironfall [0-9]+\.[0-9]+" out.txt || fail "--version says: $(cat out.txt)"
exits_with 2 "--bogus" timeout 20 "$ZR_EXE" --bogus  # and no window
grep -q "unknown option '--bogus'" err.txt || fail "--bogus says: $(cat err.txt)"
DISPLAY=:nowhere XDG_RUNTIME_DIR= WAYLAND_DISPLAY= exits_with 1 "no display" timeout 20 "$ZR_EXE"
grep -q "Exception EOSError in module zr_ironfall" err.txt || fail "without a display: $(cat err.txt)"

openbox --sm-disable >/dev/null 2>&1 & wm=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
# The client area as WxH+X+Y on the screen, once it is that (at most about 10 s).
wait_geometry() {
  local g=""
  for _ in $(seq 1 100); do
    g=$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
      /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
    [[ "$g" == $1 ]] && return 0
    sleep 0.1
  done
  fail "the client area is $g, not $1"
}
health_low() { is_battle "$1" && [ "$(count_colour "$1" 10 500 20 80 red)" -lt 50 ]; }

"$ZR_EXE" --fullscreen 2>"$ZR_ARTIFACTS/window_stderr.txt" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid") || { cat "$ZR_ARTIFACTS/window_stderr.txt"; exit 1; }
wait_geometry "1920x1280+0+0"
fit=1707x1280+106+0  # 2.13 times, smoothly, between black bars
picture=$fit wait_for is_menu window_fullscreen_menu 0
[ "$(count_colour "$ZR_ARTIFACTS/window_fullscreen_menu.png" 0 0 106 1280 black)" -eq $((106 * 1280)) ] ||
  fail "the bars are not black"
press Return
picture=$fit wait_for is_battle window_fullscreen_battle
sleep 0.6  # the frame-rate reading starts at 0
click_at 960 640  # the base's centre: the shot costs it 96 of its 100 hit points
picture=$fit wait_for health_low window_fullscreen_hit

xdotool key --window "$wid" alt+Return
wait_geometry "800x600+*"
wait_for health_low window_windowed_battle  # the same battle, its base as hurt as it was
each="click_at 400 300" wait_for is_game_over window_windowed_game_over
press space
wait_for is_menu window_windowed_menu 0

xdotool windowsize "$wid" 1600 1200
wait_geometry "1600x1200+*"
picture=1600x1200+0+0 wait_for is_menu window_large_menu 0
press Return
picture=1600x1200+0+0 wait_for is_battle window_large_battle
sleep 0.6
picture=1600x1200+0+0 each="click_at 800 600" wait_for is_game_over window_large_game_over

xdotool key --window "$wid" F11
wait_geometry "1920x1280+0+0"
"$close_tool" "$wid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game exited with $status"
echo "window e2e: passed"
