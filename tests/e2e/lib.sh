# Helpers for the end-to-end tests: the real game under Xvfb, driven by xdotool.
# Source this file; it expects ZR_EXE (the game) and ZR_ARTIFACTS (where PNGs go).

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Builds the WM_DELETE_WINDOW sender once.
e2e_close_tool() {
  local tool="${ZR_ARTIFACTS}/x_close_window"
  [ -x "$tool" ] || cc -O2 -o "$tool" "$E2E_DIR/x_close_window.c" -lX11
  echo "$tool"
}

# Waits up to 60 s for a window with the given name; prints its id. Given the pid of
# the program that should open it, stops as soon as that program has ended.
e2e_wait_window() {
  local name="$1" pid="${2:-}" id=""
  for _ in $(seq 1 600); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended before window '$name' appeared" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "window '$name' did not appear on display $DISPLAY; its windows:" >&2
  xwininfo -root -children >&2 || true
  return 1
}

# Photographs a window into $ZR_ARTIFACTS/NAME.png.
e2e_shot() {
  import -window "$1" "${ZR_ARTIFACTS}/$2.png"
}

# Pixels of a rectangle of the shot (x, y from the top left) near one colour.
count_colour() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fuzz 12% -fill black +opaque "$6" \
    -fill white -opaque "$6" -format "%[fx:round(mean*w*h)]" info:
}

# CPU time (user + system) of a process so far, in clock ticks.
e2e_cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat"
}
