#!/usr/bin/env bash
# The hall's API against one store: api_test.sh sqlite|postgresql. Golden demos are kept
# with the score and state the game's own --verify gives; changed ones, bad names, large
# bodies, a flood from one address and the fuzzer's files are refused with the right
# answer; the table pages; what was kept is there after a restart.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${ZR_BUILD:-$root/build}"  # another build folder (a sanitizer build) by ZR_BUILD
HALL_EXE="$build/zr_hall"
game="$build/zr_ironfall"
HALL_WORK=$(mktemp -d)
source "$root/tests/hall/lib.sh"
HALL_PID=""
trap 'hall_stop "$HALL_PID"; hall_pg_stop; rm -rf "$HALL_WORK"' EXIT

case "${1:-sqlite}" in
  sqlite) store="$HALL_WORK/hall.sqlite" ;;
  postgresql) hall_pg_start; store=$HALL_PG_URL ;;
  *) fail "usage: $0 sqlite|postgresql" ;;
esac
demos=("$root"/tests/demos/*.zrd)
long="$root/tests/demos/long_battle.zrd"
for kind in score tick cut foreign version; do
  python3 "$root/tests/hall/tamper.py" "$kind" "$long" "$HALL_WORK/$kind.zrd"
done

# A flood: two queued games a minute from one address, the third turned away.
hall_start "$HALL_WORK/rate.log" --store "$store" --rate 2 --workers 2
expect "$HALL_URL" Flood "$HALL_WORK/tick.zrd" 422
expect "$HALL_URL" Flood "$HALL_WORK/tick.zrd" 422
expect "$HALL_URL" Flood "$long" 429
hall_stop "$HALL_PID"

hall_start "$HALL_WORK/hall.log" --store "$store" --rate 0 --workers 2
url=$HALL_URL

# Each golden demo ending in a game over is kept with the score and the state that the
# game's own verifier reaches; sent again, it is the same entry.
kept=0
for demo in "${demos[@]}"; do
  line=$("$game" --verify "$demo")  # verify: score N, frames F, state H
  score=$(echo "$line" | sed -n 's/^verify: score \([0-9]*\), .*/\1/p')
  state=$(echo "$line" | sed -n 's/.* state \([0-9a-f]*\)$/\1/p')
  expect "$url" "  Σπύρος <b>&amp;</b> 李  " "$demo" 201
  [ "$(echo "$answer" | jfield score)" = "$score" ] || fail "$demo: score $answer, verify says $line"
  [ "$(echo "$answer" | jfield state)" = "$state" ] || fail "$demo: state $answer, verify says $line"
  grep -q "kept: score $score, frames .*, state $state" "$HALL_WORK/hall.log" || fail "no state line for $demo"
  kept=$((kept + 1))
done
expect "$url" Again "$long" 409
[ "$(echo "$answer" | jfield name)" = "Σπύρος <b>&amp;</b> 李" ] || fail "the name was not kept as sent: $answer"

# Changed games: refused with what is wrong.
expect "$url" Cheat "$HALL_WORK/tick.zrd" 422
expect "$url" Cheat "$HALL_WORK/cut.zrd" 400
expect "$url" Cheat "$HALL_WORK/score.zrd" 422
expect "$url" Cheat "$HALL_WORK/foreign.zrd" 400
expect "$url" Cheat "$HALL_WORK/version.zrd" 422
echo "$answer" | grep -q "version" || fail "another version, another reason: $answer"

# Names: empty, blank, 25 characters, a control, a direction override, not UTF-8.
for name in "" "   " "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ" $'tab\there' $'\xe2\x80\xaeevil' $'\xc0\xafover'; do
  expect "$url" "$name" "$long" 400
done
expect "$url" "  ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ  " "$long" 409  # 24, once trimmed

# A body over the limit; the fuzzer's files: clean refusals, and the server goes on.
head -c 3000000 /dev/urandom >"$HALL_WORK/large.zrd"
expect "$url" Large "$HALL_WORK/large.zrd" 413
for f in "$root"/tests/fuzz/corpus/*; do
  out=$(hall_submit "$url" Fuzz "$f" | tail -1)
  case "$out" in 400 | 413 | 422) ;; *) fail "$(basename "$f"): status $out" ;; esac
done
[ "$(curl -sSf "$url/api/status" | jfield schema)" = 2 ] || fail "the server stopped answering, or its schema is not up to date"

# The table, a page at a time, and a kept game's demo as it was sent.
table=$(curl -sSf "$url/api/games?offset=1&limit=1")
[ "$(echo "$table" | jfield total)" = "$kept" ] || fail "table: $table"
[ "$(echo "$table" | jfield games.0.rank)" = 2 ] || fail "second page: $table"
id=$(curl -sSf "$url/api/games?limit=1" | jfield games.0.id)
curl -sSf "$url/api/games/$id/demo" -o "$HALL_WORK/back.zrd"
found=0
for demo in "${demos[@]}"; do cmp -s "$demo" "$HALL_WORK/back.zrd" && found=1; done
[ $found = 1 ] || fail "the kept demo is not the one sent"
[ "$(curl -s -o /dev/null -w '%{http_code}' "$url/api/games/999999")" = 404 ] || fail "a missing game is not 404"

# A restart finds every kept game.
hall_stop "$HALL_PID"
hall_start "$HALL_WORK/again.log" --store "$store"
[ "$(curl -sSf "$HALL_URL/api/status" | jfield games)" = "$kept" ] || fail "games lost across a restart"
echo "hall API on $1: $kept golden games kept, changed games, names, sizes, a flood and the fuzz corpus refused"
