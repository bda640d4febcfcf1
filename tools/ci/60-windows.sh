#!/usr/bin/env bash
# The Windows build: cross-compiled with mingw-w64, its unit and Win32 backend tests and
# the smoke test of zr_ironfall.exe run under wine in Xvfb. The zip package (CPack)
# comes last.
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
# ctest runs the .exe files through wine (the toolchain's emulator): the unit and backend
# tests, and the golden demos recorded on Linux, which must play to the same state, and
# reach it again with --verify, with no display.
# The smoke test runs once more when it fails, its first failure shown, as the Linux
# end-to-end tests do: now and then wine's window system turns a window away.
timeout 1500 bash tools/with-xvfb.sh bash -c \
  'ctest --test-dir "$1" --output-on-failure --timeout 300 &&
   { bash tests/e2e/windows_smoke.sh || { echo "--- the smoke test failed; once more"; bash tests/e2e/windows_smoke.sh; }; } &&
   ZR_WIN_BUILD="$1" bash tests/e2e/windows_demo.sh' _ "$build"
wineserver -w

# The zip for players, made by CPack from the installation: the one folder zr_ironfall/
# with the .exe, data/, README.txt and LICENSE.txt.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip="$build/zr_ironfall-$version-windows.zip"
rm -f "$build"/*.zip
(cd "$build" && cpack -G ZIP >/dev/null)
tmp=$(mktemp -d)
# The read-only folder and the Cyrillic user of the last runs go, whatever happened.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
readonly_dir="$tmp/Program Files"
restore() {
  mountpoint -q "$readonly_dir" && umount "$readonly_dir"
  timeout 60 wine reg add "$shell_folders\\User Shell Folders" /v AppData /t REG_EXPAND_SZ \
    /d '%USERPROFILE%\AppData\Roaming' /f >/dev/null || true
  timeout 60 wine reg delete "$shell_folders\\Shell Folders" /v AppData /f >/dev/null 2>&1 || true
  wineserver -w
  chmod -R u+w "$tmp"
  rm -rf "$WINEPREFIX/drive_c/users/Иван" "$tmp"
}
trap restore EXIT
unpacked="$tmp/Unpacked here"  # a folder with a space, as "My Games" would be
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
{ printf '%s\n' zr_ironfall/zr_ironfall.exe zr_ironfall/README.txt zr_ironfall/LICENSE.txt
  for f in data/*.tga; do echo "zr_ironfall/$f"; done; } | sort >"$unpacked/expected"
(cd "$unpacked" && find zr_ironfall -type f | sort) | diff -u "$unpacked/expected" - ||
  { echo "the zip does not hold the expected files" >&2; exit 1; }
exe="$unpacked/zr_ironfall/zr_ironfall.exe"
# Its resources: the icon (a group of icons from 16 to 256 pixels), the version and the
# manifest (type 24), which declares per-monitor v2 DPI awareness.
resources=$(wrestool -l "$exe")
grep -q 'type=group_icon' <<<"$resources" && grep -q 'type=version' <<<"$resources" &&
  grep -q -- '--type=24 --name=1 ' <<<"$resources" ||
  { echo "zr_ironfall.exe lacks its icon, version or manifest resource:"$'\n'"$resources" >&2; exit 1; }
manifest=$(wrestool -x --raw -t24 -n1 "$exe")
grep -q '<dpiAwareness[^>]*>PerMonitorV2' <<<"$manifest" && grep -q 'Microsoft.Windows.Common-Controls' <<<"$manifest" ||
  { echo "the manifest does not declare PerMonitorV2 and Common Controls 6:"$'\n'"$manifest" >&2; exit 1; }
wrestool -x -t14 "$exe" >"$tmp/group.ico"
sizes=$(icotool -l "$tmp/group.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
[ "$sizes" = "16 24 32 48 64 128 256 " ] || { echo "the icon's sizes: $sizes" >&2; exit 1; }
strings=$(wrestool -x --raw -t16 "$exe" | tr -d '\0')
[[ "$strings" == *"ProductVersion$version"* ]] || { echo "the version resource does not say $version" >&2; exit 1; }
# Only the DLLs that come with Windows: each one the .exe imports is in wine's system32.
system32=$(ls "$WINEPREFIX/drive_c/windows/system32")
for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p'); do
  grep -qixF "$dll" <<<"$system32" || { echo "zr_ironfall.exe needs $dll, which Windows does not have" >&2; exit 1; }
done

# Started from another folder, as a shortcut may start it, from folders named in Cyrillic
# and in scripts outside code page 1251: the game keeps its score beside itself.
root=$PWD
play_zip() { (cd "$tmp" && timeout 600 bash "$root/tools/with-xvfb.sh" bash "$root/tests/e2e/windows_zip.sh" "$@"); wineserver -w; }
for where in "Иван/Игры" "Ελληνικά 中文"; do
  mkdir -p "$tmp/$where"
  (cd "$tmp/$where" && cmake -E tar xf "$zip")
  play_zip "$tmp/$where/zr_ironfall/zr_ironfall.exe"
done

# A folder the player may not write, as Program Files is, and a user named in Cyrillic:
# the score goes to %APPDATA%. Root writes anywhere, so for root the folder is a read-only
# mount of itself.
user_appdata='C:\users\Иван\AppData\Roaming'
mkdir "$readonly_dir"
(cd "$readonly_dir" && cmake -E tar xf "$zip")
if [ "$(id -u)" -ne 0 ]; then
  chmod -R a-w "$readonly_dir"
elif ! { mount --bind "$readonly_dir" "$readonly_dir" && mount -o remount,bind,ro "$readonly_dir"; }; then
  echo "windows zip: no read-only folder can be made here; the %APPDATA% case is left out" >&2
  readonly_dir=""
fi
if [ -n "$readonly_dir" ]; then
  timeout 60 wine reg add "$shell_folders\\User Shell Folders" /v AppData /t REG_EXPAND_SZ /d "$user_appdata" /f >/dev/null
  timeout 60 wine reg add "$shell_folders\\Shell Folders" /v AppData /t REG_SZ /d "$user_appdata" /f >/dev/null
  wineserver -w
  play_zip "$readonly_dir/zr_ironfall/zr_ironfall.exe" "$WINEPREFIX/drive_c/users/Иван/AppData/Roaming/Zr Ironfall/bs.zrt"
fi
echo "windows package: $zip ($(stat -c %s "$zip") bytes)"
