#!/usr/bin/env bash
# The queue: two servers sharing one PostgreSQL replay a batch with no game replayed
# twice; kill -9 of a server during the load loses no game it answered "kept" and leaves
# no job stuck (the other server, or the same one started again on SQLite, takes the
# dead one's jobs once their lease is over).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${ZR_BUILD:-$root/build}"  # another build folder (a sanitizer build) by ZR_BUILD
HALL_EXE="$build/zr_hall"
HALL_WORK=$(mktemp -d)
source "$root/tests/hall/lib.sh"
pids=()
trap 'for p in "${pids[@]}"; do hall_stop "$p"; done; hall_pg_stop; rm -rf "$HALL_WORK"' EXIT

# The batch: the golden demos and changed ones, each sent twice.
batch=()
for demo in "$root"/tests/demos/*.zrd; do batch+=("$demo" "$demo"); done
for kind in tick cut foreign; do
  python3 "$root/tests/hall/tamper.py" "$kind" "$root/tests/demos/long_battle.zrd" "$HALL_WORK/$kind.zrd"
  batch+=("$HALL_WORK/$kind.zrd" "$HALL_WORK/$kind.zrd")
done

# Sends the batch to the given servers in turn, all at once; answers in $1/N.
send_batch() {
  local dir=$1 i=0
  shift
  local urls=("$@")
  mkdir -p "$dir"
  senders=()
  for f in "${batch[@]}"; do
    hall_submit "${urls[$((i % ${#urls[@]}))]}" "Player $i" "$f" >"$dir/$i" 2>/dev/null &
    senders+=($!)
    i=$((i + 1))
  done
}

# Waits until the store has no job left unanswered.
drained() {
  for _ in $(seq 1 600); do
    [ "$(curl -sS "$1/api/status" | jfield waiting)" = 0 ] && return 0
    sleep 0.2
  done
  fail "jobs were left unanswered: $(curl -sS "$1/api/status")"
}

# Once a game of the load is answered kept, freezes a server while it holds a job, then
# kills it: prints the jobs it held.
kill_holding() {
  local pid=$1 log=$2 answers=$3 held
  for _ in $(seq 1 600); do
    cat "$answers"/* 2>/dev/null | grep -qx '201\|409' && break
    sleep 0.02
  done
  for _ in $(seq 1 200); do
    kill -STOP "$pid"
    held=$(sed -n 's/^hall: job \([0-9]*\) taken by .*/\1/p' "$log" | while read -r j; do
      grep -q "^hall: job $j \(kept\|answered\)" "$log" || echo "$j"
    done)
    [ -n "$held" ] && break
    kill -CONT "$pid"
    sleep 0.02
  done
  [ -n "$held" ] || fail "the server never held a job"
  kill -9 "$pid"
  echo $held
}

# Every game answered "kept" (201, or 409: kept before) is in the table with the state it was answered with.
all_kept() {
  local url=$1 n=0
  for a in "$2"/*; do
    case "$(tail -1 "$a")" in 201 | 409) ;; *) continue ;; esac
    local body id state
    body=$(head -n -1 "$a")
    id=$(echo "$body" | jfield id)
    state=$(echo "$body" | jfield state)
    [ "$(curl -sSf "$url/api/games/$id" | jfield state)" = "$state" ] || fail "kept game $id is lost"
    n=$((n + 1))
  done
  echo "$n"
}

hall_pg_start
hall_start "$HALL_WORK/a.log" --store "$HALL_PG_URL" --rate 0 --workers 1 --lease-seconds 4
a=$HALL_PID a_url=$HALL_URL
pids+=("$a")
hall_start "$HALL_WORK/b.log" --store "$HALL_PG_URL" --rate 0 --workers 1 --lease-seconds 4
b=$HALL_PID b_url=$HALL_URL
pids+=("$b")

send_batch "$HALL_WORK/one" "$a_url" "$b_url"
wait "${senders[@]}" || true
drained "$a_url"
[ "$(hall_psql "SELECT count(*) FROM jobs WHERE attempts <> 1")" = 0 ] || fail "a game was replayed twice"
servers=$(hall_psql "SELECT count(DISTINCT split_part(claimed_by, '/', 2)) FROM jobs")
[ "$servers" = 2 ] || fail "the batch was replayed by $servers server(s), not both"
dupes=$(cat "$HALL_WORK/a.log" "$HALL_WORK/b.log" | sed -n 's/^hall: job \([0-9]*\) \(kept\|answered\).*/\1/p' | sort | uniq -d)
[ -z "$dupes" ] || fail "jobs answered twice: $dupes"
echo "two servers on one PostgreSQL: ${#batch[@]} games, each replayed once, by both servers"

# kill -9 of one server while both work: the other answers the rest.
send_batch "$HALL_WORK/two" "$a_url" "$b_url"
held=$(kill_holding "$a" "$HALL_WORK/a.log" "$HALL_WORK/two")
{ wait "$a"; } 2>/dev/null || true
wait "${senders[@]}" || true
drained "$b_url"
for j in $held; do
  grep -q "^hall: job $j \(kept\|answered\)" "$HALL_WORK/b.log" || fail "job $j of the dead server was not taken again"
done
n=$(all_kept "$b_url" "$HALL_WORK/two")
echo "kill -9 of one of two servers: the jobs it held ($held) answered by the other, $n games answered kept are kept, no job left"

# The same on SQLite: the server started again takes the jobs it held when it died.
store="$HALL_WORK/hall.sqlite"
hall_start "$HALL_WORK/c.log" --store "$store" --rate 0 --workers 2 --lease-seconds 2
c=$HALL_PID
pids+=("$c")
send_batch "$HALL_WORK/three" "$HALL_URL"
held=$(kill_holding "$c" "$HALL_WORK/c.log" "$HALL_WORK/three")
{ wait "$c"; } 2>/dev/null || true
wait "${senders[@]}" || true
hall_start "$HALL_WORK/d.log" --store "$store" --rate 0 --workers 2 --lease-seconds 2
pids+=("$HALL_PID")
drained "$HALL_URL"
for j in $held; do
  grep -q "^hall: job $j \(kept\|answered\)" "$HALL_WORK/d.log" || fail "job $j was not taken again after the restart"
done
n=$(all_kept "$HALL_URL" "$HALL_WORK/three")
echo "kill -9 on SQLite: the jobs it held ($held) answered after the restart, $n games answered kept are kept, no job left"
