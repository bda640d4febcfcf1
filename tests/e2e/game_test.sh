#!/usr/bin/env bash
# End to end: the real game under Xvfb, driven by xdotool through every screen: the menu,
# the records and back, a battle that ends with shots at the base's own centre, the
# game-over screen, and "Выход". Exit code 0; a PNG of each screen is kept.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_workdir

"$ZR_EXE" 2>"$ZR_ARTIFACTS/game_stderr.txt" & pid=$!
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
echo "game e2e: passed"
