#!/usr/bin/env bash
# What a player and a packager see of a Linux release: `cmake --install` into a staging
# directory (then moved), and the Debian package built with CPack, with the checks
# Debian's own tools make (lintian, desktop-file-validate, appstreamcli).
# The Windows zip is checked by stage 60.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${ZR_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target zr_ironfall zr_install_docs >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
appstream_id=io.github.zrironfall.ZrIronfall
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "release: $*" >&2; exit 1; }

# The files every Linux installation holds besides the game's binary and pictures.
common_files() {
  echo share/applications/zr-ironfall.desktop
  echo "share/metainfo/$appstream_id.metainfo.xml"
  echo share/man/man6/zr_ironfall.6.gz
  echo share/doc/zr-ironfall/copyright
  echo share/doc/zr-ironfall/changelog.gz
  for s in 16 32 48 64 128 256; do echo "share/icons/hicolor/${s}x$s/apps/zr-ironfall.png"; done
}
# expect_tree <root> <bin dir> <data dir>: exactly the files of an installation.
expect_tree() {
  { echo "$2/zr_ironfall"
    for f in data/*.tga; do echo "$3/$f"; done
    common_files
  } | sort >"$work/expected"
  (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/actual"
  diff -u "$work/expected" "$work/actual" || fail "$1 does not hold the expected files"
  for f in data/*.tga; do cmp -s "$f" "$1/$3/$f" || fail "$1/$3/$f differs from $f"; done
  for s in 16 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$1/share/icons/hicolor/${s}x$s/apps/zr-ironfall.png")" = "${s}x$s" ] ||
      fail "the ${s}x$s icon has another size"
  done
}
# validate <root>: the desktop entry, the AppStream metadata and the manual page.
validate() {
  desktop-file-validate "$1/share/applications/zr-ironfall.desktop"
  appstreamcli validate --no-net "$1/share/metainfo/$appstream_id.metainfo.xml" ||
    fail "appstreamcli does not accept the metadata"
  grep -q "<release version=\"$version\"" "$1/share/metainfo/$appstream_id.metainfo.xml" ||
    fail "the AppStream metadata does not name version $version"
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1/share/man/man6/zr_ironfall.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page: $warnings"
  zcat "$1/share/doc/zr-ironfall/changelog.gz" | head -1 | grep -q "^zr-ironfall ($version) " ||
    fail "the changelog does not start with version $version"
}

echo "--- cmake --install, DESTDIR staging, prefix /opt/zr-ironfall"
DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/zr-ironfall >/dev/null
[ "$(ls -A "$work/stage")" = opt ] && [ "$(ls -A "$work/stage/opt")" = zr-ironfall ] ||
  fail "the installation wrote outside its prefix: $(ls -A "$work/stage")"
expect_tree "$work/stage/opt/zr-ironfall" bin share/zr-ironfall
validate "$work/stage/opt/zr-ironfall"
# The tree moved as a whole, to a path with a space: it must still run from there.
installed="$work/moved tree"
mv "$work/stage/opt/zr-ironfall" "$installed"

echo "--- the installed game, started from elsewhere by a player with a fresh home"
# Every file of the installation, with its contents: the game must change none of them.
tree_sums() { (cd "$installed" && find . -printf '%p %M\n' | sort && find . -type f -exec md5sum {} + | sort -k2); }
tree_sums >"$work/tree.before"
ZR_ARTIFACTS="$(cd "$build" && pwd)/e2e-artifacts"
export ZR_ARTIFACTS
mkdir -p "$ZR_ARTIFACTS"
root=$PWD
play_installed() {
  rm -rf "$work/home" "$work/elsewhere" && mkdir "$work/home" "$work/elsewhere"
  (cd "$work/elsewhere" && env -u XDG_DATA_HOME HOME="$work/home" timeout 600 \
    bash "$root/tools/with-xvfb.sh" bash "$root/tests/e2e/installed_game.sh" "$installed/bin/zr_ironfall")
}
# Like the end-to-end stage: a failure is played once more, with a fresh home, on a fresh
# X server; one that comes twice fails the stage.
play_installed || { echo "--- the installed game failed; once more on a fresh X server"; play_installed; }
tree_sums | diff -u "$work/tree.before" - || fail "the game changed its installation"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the game wrote into its working directory: $(ls -A "$work/elsewhere")"

echo "--- the Debian package"
# Its own build dir: the Debian layout is compiled into the game (ZR_DATA_FROM_BINARY),
# with Debian's build flags.
deb_build=build-deb
(
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
  cmake -S . -B "$deb_build" -DZR_DEBIAN_LAYOUT=ON -DCMAKE_BUILD_TYPE=Release -DZR_TESTS=OFF -DZR_BENCH=OFF >/dev/null
)
cmake --build "$deb_build" -j"$(nproc)" >/dev/null
rm -f "$deb_build"/*.deb
(cd "$deb_build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$deb_build/zr-ironfall_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$deb_build"/*.deb 2>/dev/null)"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zr-ironfall ] && [ "$(field Version)" = "$version" ] && [ "$(field Section)" = games ] ||
  fail "control: $(field Package) $(field Version) $(field Section)"
depends=$(field Depends)
for p in libsdl2-2.0-0 libc6 fonts-liberation2; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
[[ "$(field Recommends)" == *xfonts-base* ]] || fail "Recommends lacks xfonts-base: $(field Recommends)"

dpkg-deb -x "$deb" "$work/deb"
expect_tree "$work/deb/usr" games share/games/zr-ironfall
validate "$work/deb/usr"
dpkg-deb -c "$deb" | awk '$2 != "root/root" { bad = 1; print } END { exit bad }' || fail "files not owned by root"

# Errors fail the stage; warnings and notes are shown.
status=0
report=$(lintian --fail-on error --display-info "$deb" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ $status -eq 0 ] || fail "lintian reports errors"
echo "release: $deb ($(stat -c %s "$deb") bytes): Depends: $depends; Recommends: $(field Recommends)"
