#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository root,
# where data/ lies and where "bs.zrt" is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
ZR_WITH_WINDOWS=0 ZR_WITH_WEB=0 bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zr_ironfall
exec ./build/zr_ironfall
