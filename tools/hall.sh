#!/usr/bin/env bash
# The hall of fame on this machine: installs what is missing, builds zr_hall and the
# browser build, then serves both on 127.0.0.1 (the hall's page at /, the game at /game/).
#   bash tools/hall.sh [--port PORT]      # 8080 by default; Ctrl+C ends it
# The games are kept in one SQLite file, hall-data/hall.sqlite (ZR_HALL_DATA names another
# folder); ZR_HALL_STORE=postgresql://... keeps them in PostgreSQL instead.
set -euo pipefail
cd "$(dirname "$0")/.."

port=8080
case "${1:-}" in
  --port) port=${2:?--port needs a number} ;;
  "") ;;
  *) echo "usage: $0 [--port PORT]" >&2; exit 2 ;;
esac

ZR_WITH_WINDOWS=0 bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_hall
bash tools/web.sh

data=${ZR_HALL_DATA:-hall-data}
mkdir -p "$data"
store=${ZR_HALL_STORE:-$data/hall.sqlite}
case "$store" in postgres*) echo "the games are kept in PostgreSQL" ;; *) echo "the games are kept in $store" ;; esac
exec ./build/zr_hall --host 127.0.0.1 --port "$port" --store "$store" --page src/hall/page --web build-web
