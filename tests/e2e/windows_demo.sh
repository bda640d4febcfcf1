#!/usr/bin/env bash
# A game recorded by the Windows build, under wine, plays back to the same state on Linux:
# the scripted player's short game lost at the base, recorded by the .exe's own scripted
# player, then played by the Linux game offscreen. (The golden demos, recorded on Linux,
# are played by the .exe in the ctest run before this.)
# Needs ZR_WIN_BUILD (the cross-build's folder), ZR_LINUX_EXE and ZR_DATA_DIR.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$ZR_DATA_DIR" "$work/data"
cd "$work"
timeout 300 wine "$ZR_WIN_BUILD/zr_make_golden_demos.exe" . 0 >recorded.txt 2>wine_stderr.txt ||
  { echo "the Windows build could not record its game:"; cat recorded.txt wine_stderr.txt; exit 1; }
recorded=$(grep -Eo 'demo: [0-9]+ frames, state [0-9a-f]{16}' recorded.txt | head -1)
[ -n "$recorded" ] || { echo "the Windows build said: $(cat recorded.txt)"; exit 1; }
SDL_VIDEODRIVER=offscreen "$ZR_LINUX_EXE" --timedemo trial.zrd >played.txt ||
  { echo "Linux did not play the Windows game to its end: $(cat played.txt)"; exit 1; }
[ "$(head -1 played.txt)" = "$recorded" ] || { echo "recorded on Windows: $recorded; played on Linux: $(head -1 played.txt)"; exit 1; }
echo "windows demo: recorded under wine and played on Linux to the same state ($recorded)"
