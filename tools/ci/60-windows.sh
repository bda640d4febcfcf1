#!/usr/bin/env bash
# The Windows build: cross-compiled with mingw-w64, its unit and Win32 backend tests and
# the smoke test of zr_ironfall.exe run under wine in Xvfb. The zip package comes last.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$PWD/build-win"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DZR_BENCH=OFF >/dev/null
cmake --build "$build" -j2

# A prefix of our own, made once; no Mono or Gecko installers, no debug chatter.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || timeout 300 wineboot -i
# A fresh prefix has no "Courier New", and wine's stand-in is proportional: the
# look-alike Liberation Mono (fonts-liberation2) stands in, in this prefix only.
timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
  /d 'Liberation Mono' /f >/dev/null
# Wine's desktop keeps the display of the run that started its server: that one must end first.
wineserver -w

# The smoke test's reference for the menu's letters: the Linux build of stage 10, or our own.
export ZR_LINUX_EXE="$PWD/build/zr_ironfall"
if [ ! -x "$ZR_LINUX_EXE" ]; then
  ZR_LINUX_EXE="$PWD/build-winlinux/zr_ironfall"
  cmake -S . -B build-winlinux -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_TESTS=OFF -DZR_BENCH=OFF >/dev/null
  cmake --build build-winlinux -j2 --target zr_ironfall
fi
export ZR_WIN_EXE="$build/zr_ironfall.exe" ZR_DATA_DIR="$PWD/data" ZR_ARTIFACTS="$build/e2e-artifacts"
mkdir -p "$ZR_ARTIFACTS"
# ctest runs the .exe files through wine (the toolchain's emulator).
timeout 900 bash tools/with-xvfb.sh bash -c \
  'ctest --test-dir "$1" --output-on-failure --timeout 300 && bash tests/e2e/windows_smoke.sh' _ "$build"
wineserver -w

cmake --build "$build" --target zr_zip
grep -qx 'zr_ironfall/zr_ironfall.exe' <(cmake -E tar tf "$build/zr_ironfall-windows.zip")
echo "windows package: $build/zr_ironfall-windows.zip"
