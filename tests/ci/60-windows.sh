#!/usr/bin/env bash
# The Windows build: cross-compiled with mingw-w64, tested under wine. The unit tests
# and the Win32 backend's own tests run as Windows programs; the end-to-end smoke test
# drives zr_ironfall.exe in Xvfb. The zip package is built last.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build="$root/build-win"

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DZR_BENCH=OFF >/dev/null
cmake --build "$build" -j2

# A prefix of our own, made once; no Mono or Gecko installers, no debug chatter.
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 wineboot -i
fi
# The game asks for "Courier New", which a fresh prefix does not have; wine's default
# stand-in is proportional. The look-alike monospaced face (fonts-liberation2) stands in
# here, in the test prefix only.
timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
  /d 'Liberation Mono' /f >/dev/null
# Wine's desktop keeps the display of the run that started its server: each X server
# below gets a server of its own, so the last one must be gone first.
wineserver -w

# ctest runs the .exe files through wine (the toolchain's emulator); the backend's own
# tests open real windows, so everything runs in Xvfb.
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build" --output-on-failure --timeout 300
wineserver -w

export ZR_WIN_EXE="$build/zr_ironfall.exe"
# The smoke test compares the menu's letters with the Linux build's: the one stage
# 10 made, or one of our own when this stage runs alone.
export ZR_LINUX_EXE="$root/build/zr_ironfall"
if [ ! -x "$ZR_LINUX_EXE" ]; then
  cmake -S . -B "$root/build-winlinux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_TESTS=OFF -DZR_BENCH=OFF >/dev/null
  cmake --build "$root/build-winlinux" -j2 --target zr_ironfall
  ZR_LINUX_EXE="$root/build-winlinux/zr_ironfall"
fi
export ZR_DATA_DIR="$root/data"
export ZR_ARTIFACTS="$build/e2e-artifacts"
mkdir -p "$ZR_ARTIFACTS"
timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash tests/e2e/windows_smoke.sh
wineserver -w

cmake --build "$build" --target zr_zip
listing=$(cmake -E tar tf "$build/zr_ironfall-windows.zip")
grep -qx 'zr_ironfall/zr_ironfall.exe' <<<"$listing"
echo "windows package: $build/zr_ironfall-windows.zip"
