#!/usr/bin/env bash
# End-to-end tests of the real Linux binary under Xvfb; PNGs of each screen go to
# build/e2e-artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
export ZR_EXE="$PWD/build/zr_ironfall"
export ZR_DATA_DIR="$PWD/data"
export ZR_ARTIFACTS="$PWD/build/e2e-artifacts"
mkdir -p "$ZR_ARTIFACTS"
for t in tests/e2e/*_test.sh; do
  echo "--- $t"
  bash tools/with-xvfb.sh bash "$t"
done
