#!/usr/bin/env bash
# The game in a browser: installs what is missing, builds build-web/ (index.html, the game's
# .js and .wasm, its pictures and font) and, with --serve, serves that folder.
#   bash tools/web.sh                 # build build-web/
#   bash tools/web.sh --serve [PORT]  # build, then serve it on http://127.0.0.1:PORT/ (8000)
# build-web/ is a plain static site: any static web host can serve it as it is. The build
# tree is build-emscripten/.
set -euo pipefail
cd "$(dirname "$0")/.."

serve=0 port=8000
case "${1:-}" in
  --serve) serve=1; port=${2:-8000} ;;
  "") ;;
  *) echo "usage: $0 [--serve [PORT]]" >&2; exit 2 ;;
esac

# emscripten to build, chromium for the tests (tools/ci/80-web.sh), python3 to pack and serve.
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
# The build tree lies beside the site, so that the site holds only what a host serves.
tree=build-emscripten
# An installed game's layout, as the page lays the files out in the browser's memory:
# the binary in bin/, the pictures in share/data/.
emcmake cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DZR_TESTS=OFF -DZR_BENCH=OFF \
  -DZR_INSTALL_BINDIR=bin -DZR_INSTALL_DATADIR=share >/dev/null
cmake --build "$tree" -j"${ZR_JOBS:-2}" --target zr_ironfall

# The site, made afresh: the page, its icons, and the game and its pictures packed (the
# page unpacks them; tools/web_pack.py). The build's name, a hash of what it serves, keeps
# each build's files apart in the browser's cache, so that a new build replaces the old.
rm -rf "$out"
mkdir -p "$out/icons"
page=src/platform/web/page
cp dist/icons/zr-ironfall-32.png dist/icons/zr-ironfall-256.png "$out/icons/"
cp "$page/page.css" "$page/manifest.webmanifest" "$out/"
sources=("zr_ironfall.js=$tree/zr_ironfall.js" "zr_ironfall.wasm=$tree/zr_ironfall.wasm")
for f in data/*.tga data/font.zrf; do
  [ "$(basename "$f")" = icon.tga ] && continue  # the page has its own icon
  sources+=("$f=$f")
done
list=$(python3 tools/web_pack.py "$out" "${sources[@]}")
build=$( (cat "$page"/* "$out"/*.gz "$out"/data/*) | sha256sum | cut -c1-12)
sed "s|@FILES@|${list}|; s|@BUILD@|${build}|" "$page/page.js" >"$out/page.js"
sed "s|@BUILD@|${build}|g" "$page/index.html" >"$out/index.html"
sed "s|@BUILD@|${build}|g" "$page/sw.js" >"$out/sw.js"
echo "built $out/ ($build): $(du -sb "$out" | cut -f1) bytes to serve"

if [ $serve = 1 ]; then
  echo "serving $out/ on http://127.0.0.1:${port}/ (Ctrl+C ends)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
