#!/usr/bin/env bash
# The hall under load: 1,000 submissions (the golden demos, changed copies of them, and the
# fuzzer's files, which are no demos) sent by build/bench_hall_load from 8 connections to
# zr_hall on 127.0.0.1, first to one server on SQLite, then to two servers sharing a
# throwaway PostgreSQL cluster. Prints, for each, the answers, the latency from submission
# to answer, and the games replayed a second and per processor core.
#   bash bench/hall_load.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
count=${1:-1000}
cmake --build build -j2 --target zr_hall bench_hall_load >/dev/null
HALL_EXE="$root/build/zr_hall"
HALL_WORK=$(mktemp -d)
source tests/hall/lib.sh
pids=()
trap 'for p in "${pids[@]}"; do hall_stop "$p"; done; hall_pg_stop; rm -rf "$HALL_WORK"' EXIT

files=(tests/demos/*.zrd)
kinds=(score tick cut foreign version)
for kind in "${kinds[@]}"; do
  python3 tests/hall/tamper.py "$kind" tests/demos/long_battle.zrd "$HALL_WORK/$kind.zrd"
  files+=("$HALL_WORK/$kind.zrd")
done
files+=(tests/fuzz/corpus/*)
cores=$(nproc)
echo "files: ${#files[@]} (${#kinds[@]} changed demos, $(ls tests/fuzz/corpus | wc -l) fuzz files); $cores cores"

# Processor seconds of the servers and of the replays they have waited for, in ticks.
cpu_ticks() {
  local t=0 p
  for p in "${servers[@]}"; do
    t=$((t + $(awk '{print $14 + $15 + $16 + $17}' "/proc/$p/stat")))
  done
  echo "$t"
}

# Runs the load against the given servers; the first one's store is asked what it replayed.
# The machine may be shared: the games a processor second counts only the hall's own work.
load() {
  local before after start end cpu0 cpu1
  before=$(curl -sS "$1/api/status" | jfield replayed)
  cpu0=$(cpu_ticks)
  start=$(date +%s.%N)
  build/bench_hall_load --count "$count" --concurrency 8 --seconds 900 "$@" -- "${files[@]}"
  end=$(date +%s.%N)
  cpu1=$(cpu_ticks)
  after=$(curl -sS "$1/api/status" | jfield replayed)
  python3 -c "import sys
n, s, c, cpu = int(sys.argv[1]), float(sys.argv[3]) - float(sys.argv[2]), int(sys.argv[4]), int(sys.argv[5]) / int(sys.argv[6])
print(f'replayed {n} games in {s:.2f} s: {n / s:.1f} a second, {n / s / c:.1f} a second per core of the machine;')
print(f'  the hall used {cpu:.1f} processor seconds (server and replays): {n / cpu:.1f} games a processor second')" \
    "$((after - before))" "$start" "$end" "$cores" "$((cpu1 - cpu0))" "$(getconf CLK_TCK)"
  echo "  load average of the machine: $(cut -d' ' -f1-3 /proc/loadavg)"
}

echo "== one server, SQLite, $cores workers"
hall_start "$HALL_WORK/one.log" --store "$HALL_WORK/hall.sqlite" --rate 0 --queue-limit 5000 --workers "$cores"
pids+=("$HALL_PID")
servers=("$HALL_PID")
load "$HALL_URL"
hall_stop "$HALL_PID"

echo "== two servers, one PostgreSQL, $((cores / 2 > 0 ? cores / 2 : 1)) worker(s) each"
hall_pg_start
urls=()
servers=()
for s in a b; do
  hall_start "$HALL_WORK/$s.log" --store "$HALL_PG_URL" --rate 0 --queue-limit 5000 \
    --workers $((cores / 2 > 0 ? cores / 2 : 1))
  pids+=("$HALL_PID")
  servers+=("$HALL_PID")
  urls+=("$HALL_URL")
done
load "${urls[@]}"
