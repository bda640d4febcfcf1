#!/usr/bin/env bash
# The unpacked zip as a player starts it (run by tools/ci/60-windows.sh under Xvfb):
# bash windows_zip.sh <its zr_ironfall.exe> [<where the best score must land>], from a
# folder without data/. The menu shows, the game has written nothing yet, and a battle's
# new best score is saved where it must be: by default in bs.zrt beside the .exe, and
# nowhere else (no folder in %APPDATA%); given another place, there, and nothing beside
# the .exe.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
exe=$1
folder=$(dirname "$exe")
score=${2:-$folder/bs.zrt}
: "${ZR_ARTIFACTS:?}" "${WINEPREFIX:?}"
fail() { echo "windows zip: $*" >&2; exit 1; }
[ ! -e "$score" ] || fail "$score is there before the game has run"
close_tool=$(e2e_close_tool)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT
files_before=$(cd "$folder" && find . | sort)

xdotool mousemove 1020 760  # out of the way until the battle
timeout 300 wine "$exe" & pid=$!
wid=$(e2e_wait_window "Zr Ironfall" "$pid")
# Wine names its window before it maps it, and X refuses the focus to a window not yet
# shown: asked again until it is.
for _ in $(seq 1 40); do
  timeout 10 xdotool windowfocus --sync "$wid" 2>/dev/null && break
  sleep 0.25
done
sleep 1
wait_for is_menu windows_zip_menu 0
[ "$(cd "$folder" && find . | sort)" = "$files_before" ] || fail "the game wrote beside itself before any score"
e2e_play_until_saved "$score"
"$close_tool" "$wid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game exited with $status"
grep -qx '[1-9][0-9]*' <(cat "$score"; echo) || fail "the saved best score is \"$(cat "$score")\""
if [ -z "${2:-}" ]; then
  elsewhere=$(find "$WINEPREFIX/drive_c/users" -iname 'Zr Ironfall')
  [ -z "$elsewhere" ] || fail "the game also made $elsewhere"
else
  [ "$(cd "$folder" && find . | sort)" = "$files_before" ] || fail "the game wrote beside itself"
fi
echo "windows zip: saved the best score $(cat "$score") in $score; passed"
