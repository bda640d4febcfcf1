#!/usr/bin/env bash
# End-to-end tests of the real Linux binary under Xvfb; PNGs of each screen go to
# build/e2e-artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
export ZR_EXE="$PWD/build/zr_ironfall"
export ZR_SANITIZED_EXE="$PWD/build-sanitize/zr_ironfall"  # made by the sanitizer stage
export ZR_X11_TESTS="$PWD/build/zr_x11_tests"
export ZR_DATA_DIR="$PWD/data"
export ZR_ARTIFACTS="$PWD/build/e2e-artifacts"
mkdir -p "$ZR_ARTIFACTS"
# Room for a window of 1600 x 1200 with its frame, and a full screen that is not 4:3.
export ZR_XVFB_SCREEN=1920x1280x24
# A test that fails is run once more on a fresh server, its first failure shown above:
# a window system that now and then turns a client away is no fault of the game, but a
# failure that comes twice is.
for t in tests/e2e/*_test.sh; do
  echo "--- $t"
  if ! bash tools/with-xvfb.sh bash "$t"; then
    echo "--- $t failed; once more on a fresh X server"
    bash tools/with-xvfb.sh bash "$t"
  fi
done
