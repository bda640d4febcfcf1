#!/usr/bin/env bash
# The hall of fame server: its API against SQLite and against a throwaway PostgreSQL
# cluster, two servers sharing one queue, kill -9 under load, and the browser build in
# headless Chromium sending a best game that "Watch" then plays back (tests/hall/).
set -euo pipefail
cd "$(dirname "$0")/../.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_hall zr_ironfall
bash tests/hall/api_test.sh sqlite
bash tests/hall/api_test.sh postgresql
bash tests/hall/queue_test.sh
# The browser build as the web stage made it.
[ -f build-web/index.html ] || bash tools/web.sh
bash tests/hall/browser_test.sh
