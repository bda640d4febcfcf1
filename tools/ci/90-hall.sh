#!/usr/bin/env bash
# The hall of fame server: its API against SQLite and against a throwaway PostgreSQL
# cluster, two servers sharing one queue, and kill -9 under load (tests/hall/). The browser
# test (tests/hall/browser_test.sh, after tools/web.sh) is run by hand for now: in headless
# Chromium a paced playback of the browser build stands at its first frame.
set -euo pipefail
cd "$(dirname "$0")/../.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_hall zr_ironfall
bash tests/hall/api_test.sh sqlite
bash tests/hall/api_test.sh postgresql
bash tests/hall/queue_test.sh
