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

# Runs the load against the given servers; the first one's store is asked what it replayed.
load() {
  local before after start end
  before=$(curl -sS "$1/api/status" | jfield replayed)
  start=$(date +%s.%N)
  build/bench_hall_load --count "$count" --concurrency 8 --seconds 900 "$@" -- "${files[@]}"
  end=$(date +%s.%N)
  after=$(curl -sS "$1/api/status" | jfield replayed)
  python3 -c "import sys
n, s, c = int(sys.argv[1]), float(sys.argv[3]) - float(sys.argv[2]), int(sys.argv[4])
print(f'replayed {n} games in {s:.2f} s: {n / s:.1f} a second, {n / s / c:.1f} a second per core')" \
    "$((after - before))" "$start" "$end" "$cores"
}

echo "== one server, SQLite, $cores workers"
hall_start "$HALL_WORK/one.log" --store "$HALL_WORK/hall.sqlite" --rate 0 --queue-limit 5000 --workers "$cores"
pids+=("$HALL_PID")
load "$HALL_URL"
hall_stop "$HALL_PID"

echo "== two servers, one PostgreSQL, $((cores / 2 > 0 ? cores / 2 : 1)) worker(s) each"
hall_pg_start
urls=()
for s in a b; do
  hall_start "$HALL_WORK/$s.log" --store "$HALL_PG_URL" --rate 0 --queue-limit 5000 \
    --workers $((cores / 2 > 0 ? cores / 2 : 1))
  pids+=("$HALL_PID")
  urls+=("$HALL_URL")
done
load "${urls[@]}"
