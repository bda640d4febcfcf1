#!/usr/bin/env bash
# An installed game as a player starts it (run by tools/ci/70-release.sh under Xvfb):
# bash installed_game.sh <its executable>, from a working directory without data/, with
# HOME a fresh folder. Its menu shows; a battle's new best score is saved into
# ~/.local/share/zr-ironfall/bs.zrt, which it makes; a best score placed there shows on
# the records screen; its window carries the game's icon.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
exe=$1
: "${HOME:?}" "${ZR_ARTIFACTS:?}"
fail() { echo "installed game: $*" >&2; exit 1; }
score="$HOME/.local/share/zr-ironfall/bs.zrt"
[ ! -e "$HOME/.local" ] || fail "HOME is not fresh"
close_tool=$(e2e_close_tool)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT

start() { "$exe" 2>>"$ZR_ARTIFACTS/installed_stderr.txt" & pid=$!; wid=$(e2e_wait_window "Zr Ironfall" "$pid"); }
stop() {
  "$close_tool" "$wid"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the game exited with $status"
}
# The records screen, its red line measured; back to the menu.
records_width() {
  e2e_key Down
  e2e_key Return
  wait_for is_records "installed_records_$1" >&2
  score_line_width "$ZR_ARTIFACTS/installed_records_$1.png"
  e2e_key space
  e2e_key Up
}

start
wait_for is_menu installed_menu 0
# Read whole first: grep -q would leave xprop writing into a closed pipe, and under
# pipefail that fails the check even when the icon is there.
icon=$(xprop -id "$wid" _NET_WM_ICON)
grep -q 'Icon (64 x 64)' <<<"$icon" || fail "the window has no icon of 64 x 64 pixels"
narrow=$(records_width 0)
e2e_play_until_saved "$score"
stop
grep -qx '[1-9][0-9]*' <(cat "$score"; echo) || fail "the saved best score is \"$(cat "$score")\""
echo "installed game: saved the best score $(cat "$score") in $score"

printf 4000000000 >"$score"
start
wide=$(records_width placed)
stop
# Nine digits more than a score of one digit, each of them wider than 8 pixels.
[ "$wide" -gt $((narrow + 9 * 8)) ] || fail "the records line is $wide pixels wide with 4000000000, $narrow with 0"
echo "installed game: passed"
