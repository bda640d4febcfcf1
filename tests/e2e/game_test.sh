#!/usr/bin/env bash
# End to end: the real game under Xvfb, driven by xdotool through every screen: the menu,
# the records and back, a battle that ends with shots at the base's own centre, the
# game-over screen, and "Выход". Exit code 0; a PNG of each screen is kept. The walk is
# recorded as a demo, which must then play back to the same state in a window of twice
# the size; and a recording killed mid-battle must still play to its last frame.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_workdir

"$ZR_EXE" --record walk.zrd >walk.txt 2>"$ZR_ARTIFACTS/game_stderr.txt" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid") || { cat "$ZR_ARTIFACTS/game_stderr.txt"; exit 1; }
wait_for is_menu game_menu 0
press Down
press Return
wait_for is_records game_records
press space
wait_for is_menu game_menu_back 1  # "Рекорды" is still the selected item
press Up
press Return
wait_for is_battle game_battle
sleep 0.6  # the frame-rate reading starts at 0; the battle runs at its pace after it
each="click_at 400 300" wait_for is_game_over game_game_over  # each fireball takes 96 of the base's 100 hit points
press space
wait_for is_menu game_menu_after_battle 0
press Down
press Down
wait_for is_menu game_menu_quit 2
press Return 2>/dev/null || true  # the game ends on the key-down: the window may be gone before the key-up
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game exited with $status"; exit 1; }
grep -Eq '^demo: [0-9]+ frames, state [0-9a-f]{16}$' walk.txt || { echo "the recording said: $(cat walk.txt)"; exit 1; }

# Played back at its pace in a window of 1600 x 1200: the pointer was recorded in the
# game's own pixels, so the state must come out the same, frame for frame; the player's
# own clicks and keys do nothing.
"$ZR_EXE" --play walk.zrd >played.txt 2>"$ZR_ARTIFACTS/demo_stderr.txt" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid") || { cat "$ZR_ARTIFACTS/demo_stderr.txt"; exit 1; }
xdotool windowsize "$wid" 1600 1200
sleep 1
size=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = 1600x1200 ] || { echo "the playing window is $size"; exit 1; }
e2e_shot "$wid" game_played_twice_the_size
xdotool mousemove --window "$wid" 10 10 click 1 key Up key Return || true
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] && [ "$(head -1 played.txt)" = "$(cat walk.txt)" ] ||
  { echo "playback exited with $status: $(cat played.txt)"; cat "$ZR_ARTIFACTS/demo_stderr.txt"; exit 1; }

# kill -9 in the middle of a battle: what was written plays to its last whole frame.
"$ZR_EXE" --record cut.zrd >/dev/null 2>&1 & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid")
wait_for is_menu game_cut_menu 0
press Return
wait_for is_battle game_cut_battle
click_at 200 200
sleep 0.5
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=""
SDL_VIDEODRIVER=offscreen "$ZR_EXE" --timedemo cut.zrd >cut.txt 2>cut_stderr.txt ||
  { echo "the cut demo did not play: $(cat cut.txt cut_stderr.txt)"; exit 1; }
grep -q 'cut short' cut_stderr.txt && grep -Eq '^demo: [0-9]+ frames' cut.txt ||
  { echo "the cut demo said: $(cat cut.txt cut_stderr.txt)"; exit 1; }
echo "game e2e: passed ($(cat walk.txt); cut short: $(head -1 cut.txt))"
