#!/usr/bin/env bash
# The pictures in data/ and the icons in dist/icons/ are the generator's output: paint
# them again and compare bytes. So is the browser build's font, data/font.zrf: the glyphs
# the Linux game draws, rasterised again.
# After changing tools/make_assets, run: build/zr_make_assets data --icons dist/icons
# After changing the font code: build/zr_make_font data/font.zrf
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${ZR_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zr_make_assets zr_make_font -j"$(nproc)"
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$build/zr_make_assets" "$fresh/data" --icons "$fresh/icons"
"$build/zr_make_font" "$fresh/data/font.zrf"
status=0
# compare <fresh dir> <committed dir> <pattern>
compare() {
  local f name
  for f in "$1"/$3; do
    name=$(basename "$f")
    if ! cmp -s "$f" "$2/$name"; then
      echo "$2/$name differs from what tools/make_assets paints" >&2
      status=1
    fi
  done
  for f in "$2"/$3; do
    [ -f "$1/$(basename "$f")" ] || { echo "$f is not made by tools/make_assets" >&2; status=1; }
  done
}
compare "$fresh/data" data '*.tga'
compare "$fresh/data" data 'font.zrf'
compare "$fresh/icons" dist/icons '*'
[ $status -eq 0 ] &&
  echo "data/ and dist/icons/ are in step with tools/make_assets ($(ls "$fresh/data" "$fresh/icons" | grep -c "\.") files)"
exit $status
