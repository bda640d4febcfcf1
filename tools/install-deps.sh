#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its tests, the Windows cross-build, the
# browser build and the hall of fame server need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libfreetype-dev libfontconfig-dev fonts-liberation2
  googletest clang libclang-rt-14-dev
  xvfb xdotool imagemagick x11-utils openbox
  xfonts-base
  lintian desktop-file-utils appstream man-db
  time  # the memory the timedemo holds (bench/timedemo.sh)
  # The hall of fame server and its tests: HTTP, JSON, both stores, a client.
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpq-dev postgresql curl python3
)
if [ "${ZR_WITH_WINDOWS:-1}" = 1 ]; then
  packages+=(mingw-w64 wine wine64 zip icoutils)
fi
if [ "${ZR_WITH_WEB:-1}" = 1 ]; then
  # The browser build (emscripten, with Node.js) and the browser it is tested in.
  packages+=(emscripten chromium python3)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
