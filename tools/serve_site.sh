# Sourced by the scripts that drive the browser build in headless Chromium (the web stage,
# the web benchmark): serve_site DIR LOG serves DIR on 127.0.0.1 at a port the system
# picks, so that runs side by side never collide, and sets `server` (its process, for the
# caller's trap) and `port`. It also sets `node_flags`: Node 20 has a WebSocket of its own
# behind a flag; Node 18 has none, and the tests bring one.
serve_site() {
  python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$1" >"$2" 2>&1 &
  server=$!
  port=""
  for _ in $(seq 1 100); do
    port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$2" | head -1)
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { cat "$2" >&2; return 1; }
  node_flags=()
  if node --experimental-websocket -e 0 2>/dev/null; then node_flags+=(--experimental-websocket); fi
}
