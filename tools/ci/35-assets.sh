#!/usr/bin/env bash
# The pictures in data/ are the generator's output: paint them again and compare bytes.
# After changing tools/make_assets, run: build/zr_make_assets data
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${ZR_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zr_make_assets -j"$(nproc)"
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$build/zr_make_assets" "$fresh"
status=0
for f in "$fresh"/*.tga; do
  name=$(basename "$f")
  if ! cmp -s "$f" "data/$name"; then
    echo "data/$name differs from what tools/make_assets paints" >&2
    status=1
  fi
done
for f in data/*.tga; do
  [ -f "$fresh/$(basename "$f")" ] || { echo "$f is not made by tools/make_assets" >&2; status=1; }
done
[ $status -eq 0 ] && echo "data/ is in step with tools/make_assets ($(ls "$fresh" | wc -l) pictures)"
exit $status
