#!/usr/bin/env bash
# The game in a browser: installs what is missing, builds build-web/ (index.html, the game's
# .js and .wasm, its pictures and font) and, with --serve, serves that folder.
#   bash tools/web.sh                 # build build-web/
#   bash tools/web.sh --serve [PORT]  # build, then serve it on http://127.0.0.1:PORT/ (8000)
# build-web/ is a plain static site: any static web host can serve it as it is.
set -euo pipefail
cd "$(dirname "$0")/.."

serve=0 port=8000
case "${1:-}" in
  --serve) serve=1; port=${2:-8000} ;;
  "") ;;
  *) echo "usage: $0 [--serve [PORT]]" >&2; exit 2 ;;
esac

# emscripten to build, chromium for the tests (tools/ci/80-web.sh), python3 to serve.
need=()
command -v emcc >/dev/null || need+=(emscripten)
command -v chromium >/dev/null || need+=(chromium)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# Debian's emscripten finds its JavaScript tools (acorn, for the optimised builds) here.
export NODE_PATH=/usr/share/nodejs
out=build-web
# An installed game's layout, as the page lays the files out in the browser's memory:
# the binary in bin/, the pictures in share/data/.
emcmake cmake -S . -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release -DZR_TESTS=OFF -DZR_BENCH=OFF \
  -DZR_INSTALL_BINDIR=bin -DZR_INSTALL_DATADIR=share >/dev/null
cmake --build "$out/cmake" -j"${ZR_JOBS:-2}" --target zr_ironfall

mkdir -p "$out/data"
cp "$out/cmake/zr_ironfall.js" "$out/cmake/zr_ironfall.wasm" "$out/"
page=src/platform/web/page
cp "$page/index.html" "$page/page.css" "$out/"
cp dist/icons/zr-ironfall-64.png "$out/icon.png"
rm -f "$out"/data/*
files=()
for f in data/*.tga data/font.zrf; do
  [ "$(basename "$f")" = icon.tga ] && continue  # the page has its own icon
  cp "$f" "$out/data/"
  files+=("[\"$(basename "$f")\", $(stat -c %s "$f")]")
done
list=$(IFS=,; echo "[${files[*]}]")
sed "s|@FILES@|${list}|" "$page/page.js" >"$out/page.js"
echo "built $out/: $(du -sh --exclude=cmake "$out" | cut -f1) to serve"

if [ $serve = 1 ]; then
  echo "serving $out/ on http://127.0.0.1:${port}/ (Ctrl+C ends)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
