#!/usr/bin/env bash
# zr_ironfall.exe under wine in Xvfb (set up by tools/ci/60-windows.sh): --version; the menu,
# drawn as the Linux build draws it; Down, Enter, Space to the records and back; a clean
# close, the walk recorded to a file named in Cyrillic and verified the same on Linux. Full screen over the whole screen, closed with exit code 0; under openbox, losing
# the focus to another program minimises it and it comes back with its battle. A larger
# window on a display scaled to 150%. Then the
# "TGA File Error" box (the game goes on) and the "Application Error" box (exit code 1).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
: "${ZR_WIN_EXE:?}" "${ZR_LINUX_EXE:?}" "${ZR_ARTIFACTS:?}" "${WINEPREFIX:?}" "${ZR_DATA_DIR:?}"
fail() { echo "windows smoke: $*" >&2; exit 1; }
count='%[fx:int(mean*w*h+0.5)]'  # the pixels an -fx test lit
# Pixels of the game's red text colour in the crop $2 (WxH+X+Y) of screenshot $1.
red() { convert "$ZR_ARTIFACTS/$1.png" -crop "$2" -fx 'r > 0.7 && g < 0.3 && b < 0.3' -format "$count" info:; }
# Runs "${@:2}" and waits for its window named $1: sets pid and wid.
start() { timeout 60 "${@:2}" & pid=$!; wid=$(e2e_wait_window "$1") || fail "no window \"$1\""; sleep 2; }
# Held long enough for the game to draw a frame while the key is down, as a finger would.
press() { xdotool windowfocus --sync "$wid" keydown "$1" sleep 0.25 keyup "$1" sleep 0.5; }
size_of() { xwininfo "$@" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
exits_with() { local status=0; wait "$pid" || status=$?; [ "$status" -eq "$1" ] || fail "$2 gave exit code $status"; }

close_tool=$(e2e_close_tool)
workdir=$(mktemp -d)
trap 'kill ${pid:-} ${other:-} ${wm:-} 2>/dev/null || true; rm -rf "$workdir"
  timeout 60 wine reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
cp "$ZR_WIN_EXE" "$workdir/zr_ironfall.exe"
cp -r "$ZR_DATA_DIR" "$workdir/data"
cd "$workdir"

version=$(timeout 60 wine zr_ironfall.exe --version) || fail "--version gave exit code $?"
[[ "$version" == "Zr Ironfall "[0-9]* ]] || fail "--version says: $version"

# The reference menu. Liberation Mono stands in for "Courier New" on both sides.
start "Zr Ironfall" "$ZR_LINUX_EXE"
e2e_shot "$wid" linux_menu
"$close_tool" "$wid"
exits_with 0 "closing the Linux build"

xdotool mousemove 1020 760  # out of the way: the keyboard alone drives the menu
# Recorded under a Cyrillic name, which the game reads from the command line as Windows
# keeps it, in wide characters, not in the ANSI code page's question marks.
start "Zr Ironfall" wine zr_ironfall.exe --record запись.zrd
xdotool windowfocus --sync "$wid" sleep 0.5
e2e_shot "$wid" menu
title=260x34+40+24 play=140x20+495+184 recs=140x20+495+204
# The red title at (50, 50) in the same letters as on Linux: read as Latin-1, its bytes
# would draw "ÂÎÉÍÛ ÇÀ ÒÎÐÂÀË", and a shift by one pixel changes over half of them.
n=$(red menu $title)
differ=$(convert "$ZR_ARTIFACTS"/{linux_,}menu.png -crop $title \
  -fx '(u.r > 0.7 && u.g < 0.3 && u.b < 0.3) != (v.r > 0.7 && v.g < 0.3 && v.b < 0.3)' -format "$count" info:)
echo "title: $n red pixels, $differ differ from the Linux build's"
[ "$n" -gt 200 ] && [ "$differ" -lt $((n / 10)) ] || fail "no red Cyrillic title as the Linux build draws it"
[ "$(red menu $play)" -gt 50 ] && [ "$(red menu $recs)" -eq 0 ] || fail "\"Играть\" is not selected at first"
press Down; e2e_shot "$wid" menu_down
[ "$(red menu_down $recs)" -gt 50 ] && [ "$(red menu_down $play)" -eq 0 ] || fail "Down did not select \"Рекорды\""
press Return; e2e_shot "$wid" records
[ "$(red records 300x20+195+184)" -gt 50 ] && [ "$(red records $title)" -lt 50 ] || fail "Enter did not open records"
press space; e2e_shot "$wid" menu_back
[ "$(red menu_back $title)" -gt 200 ] && [ "$(red menu_back $recs)" -gt 50 ] || fail "Space did not go back"
"$close_tool" "$wid"
exits_with 0 "closing the window"
[ -f запись.zrd ] || fail "--record запись.zrd wrote: $(ls)"
verified=$(timeout 60 wine zr_ironfall.exe --verify запись.zrd) || fail "--verify запись.zrd gave exit code $?: $verified"
[ "$verified" = "$("$ZR_LINUX_EXE" --verify запись.zrd)" ] || fail "the walk verified as $verified on Windows, not on Linux"
echo "recorded as запись.zrd: $verified"

# Xvfb has no 800 x 600 mode to switch to: the game covers the screen in its own mode,
# the picture scaled to it (the screen is 4:3), the title where the picture has it.
start "Zr Ironfall" wine zr_ironfall.exe --fullscreen
screen=$(size_of -root)
[ "$(size_of -id "$wid")" = "$screen" ] || fail "full screen does not cover the $screen screen"
e2e_shot "$wid" fullscreen_screen
convert "$ZR_ARTIFACTS/fullscreen_screen.png" -filter box -resize '800x600!' "$ZR_ARTIFACTS/fullscreen.png"
[ "$(red fullscreen $title)" -gt 200 ] || fail "no red title at its place in full screen"
# Alt+Enter: an 800 x 600 window, drawn with the same GL context, font and textures.
xdotool windowfocus --sync "$wid" key alt+Return sleep 1 2>/dev/null
[ "$(size_of -id "$wid")" = 800x600 ] || fail "Alt+Enter did not leave full screen for an 800 x 600 window"
e2e_shot "$wid" fullscreen_left
[ "$(red fullscreen_left $title)" -gt 200 ] || fail "no red title after Alt+Enter"
"$close_tool" "$wid"
exits_with 0 "closing the full-screen game"

# Under a window manager, another program takes the focus from the full-screen battle: the
# game gives the desktop back, minimised, and comes back in full screen with its battle
# as it was (the base still hurt, not a new one).
openbox --sm-disable >/dev/null 2>&1 & wm=$!
for _ in $(seq 1 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
start "Zr Ironfall" wine zr_ironfall.exe --fullscreen
bar() { convert "$ZR_ARTIFACTS/$1.png" -filter box -resize '800x600!' -crop 24x94+8+498 \
  -fx 'r > 0.7 && g < 0.3 && b < 0.3' -format "$count" info:; }  # the health bar's red
e2e_key Return
e2e_shot "$wid" focus_battle
[ "$(bar focus_battle)" -gt 1000 ] || fail "no battle with a healthy base in full screen"
sleep 0.6  # the frame-rate reading starts at 0
xdotool mousemove --window "$wid" 512 384 click 1 sleep 1  # the base's centre: 96 of its 100 hit points
e2e_shot "$wid" focus_hurt
[ "$(bar focus_hurt)" -lt 100 ] || fail "the shot at the base did not hurt it"
xmessage -geometry +40+40 "another program" & other=$!
other_wid=$(e2e_wait_window xmessage)
xdotool windowactivate --sync "$other_wid" sleep 1
xprop -id "$wid" WM_STATE | grep -q 'window state: Iconic' || fail "the full-screen game did not minimise"
xdotool windowactivate --sync "$wid" sleep 1
[ "$(size_of -id "$wid")" = "$screen" ] || fail "back from the taskbar, the game does not cover the $screen screen"
e2e_shot "$wid" focus_back
[ "$(bar focus_back)" -lt 100 ] && [ "$(red focus_back 80x16+8+4)" -gt 20 ] || fail "the battle is not as it was"
kill "$other"
"$close_tool" "$wid"
exits_with 0 "closing the game after it came back"
kill "$wm"; wait "$wm" 2>/dev/null || true

# A display scaled to 150%: the manifest makes the game aware of it, and the window opens
# larger (here as large as the 1024 x 768 screen's work area allows), in the picture's
# shape, the picture scaled by the game itself.
dpi() { timeout 60 wine reg "$1" 'HKCU\Control Panel\Desktop' /v LogPixels "${@:2}" /f >/dev/null 2>&1 || true; wineserver -w; }
dpi add /t REG_DWORD /d 144
start "Zr Ironfall" wine zr_ironfall.exe
read -r w h < <(size_of -id "$wid" | tr x ' ')
[ "$w" -gt 800 ] && [ $((w * 3 - h * 4)) -le 4 ] && [ $((h * 4 - w * 3)) -le 4 ] ||
  fail "at 150% the client area is ${w}x$h, not larger than 800 x 600 in its shape"
e2e_shot "$wid" scaled_150
convert "$ZR_ARTIFACTS/scaled_150.png" -filter box -resize '800x600!' "$ZR_ARTIFACTS/scaled_150_picture.png"
[ "$(red scaled_150_picture $title)" -gt 200 ] || fail "no red title in the scaled picture at 150%"
"$close_tool" "$wid"
exits_with 0 "closing the game at 150%"
dpi delete

# A 16-bit picture: its "TGA File Error" box, then OK, and the menu comes.
printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\20\0\0\0\0\0\0\0\0\0' >data/smoke.tga
start "TGA File Error" wine zr_ironfall.exe
press Return
wid=$(e2e_wait_window "Zr Ironfall") || fail "no window after the box"
sleep 2; e2e_shot "$wid" after_box
[ "$(red after_box $title)" -gt 200 ] || fail "no menu after the \"TGA File Error\" box"
"$close_tool" "$wid"
exits_with 0 "closing the window after the \"TGA File Error\" box"

rm data/bg2.tga  # a missing picture
start "Application Error" wine zr_ironfall.exe --fullscreen
game=$(xdotool search --name '^Zr Ironfall$' | head -1)
[ "$(size_of -id "$game")" = 800x600 ] || fail "the box came over the full-screen game, not a window"
press Return
exits_with 1 "the \"Application Error\" box"
echo "windows smoke: passed"
