# Helpers for the hall's tests: servers on free ports, a throwaway PostgreSQL cluster,
# submissions with curl. Source this file; it expects HALL_EXE and HALL_WORK (a folder
# of the test's own, removed by the test).

# Starts a server: hall_start LOG ARGS...; sets HALL_PID and HALL_URL.
hall_start() {
  local log="$1"
  shift
  "$HALL_EXE" --port 0 "$@" >"$log" 2>&1 &
  HALL_PID=$!
  HALL_URL=""
  for _ in $(seq 1 100); do
    HALL_URL=$(sed -n "s|^hall: serving on \(http://[^ /]*\)/$|\1|p" "$log" | head -1)
    [ -n "$HALL_URL" ] && return 0
    kill -0 "$HALL_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "zr_hall did not start:" >&2
  cat "$log" >&2
  return 1
}

hall_stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Sends a game: hall_submit URL NAME FILE; prints the answer's body, then its status.
hall_submit() {
  curl -sS -m 300 --form-string "name=$2" -F "demo=@$3;type=application/octet-stream" -w '\n%{http_code}\n' "$1/api/games"
}

# Fails the test with a message.
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A throwaway PostgreSQL cluster on a free port, for this test alone; sets HALL_PG_URL.
# The server refuses to run as root: as root the cluster belongs to the postgres user.
hall_pg_start() {
  local bin port
  bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
  HALL_PG_DIR="$HALL_WORK/pg"
  HALL_PG_RUN=()
  mkdir -p "$HALL_PG_DIR"
  if [ "$(id -u)" = 0 ]; then
    chmod 755 "$HALL_WORK"
    chown postgres: "$HALL_PG_DIR"
    HALL_PG_RUN=(runuser -u postgres --)
  fi
  "${HALL_PG_RUN[@]}" "$bin/initdb" -D "$HALL_PG_DIR/data" -U hall --auth=trust -E UTF8 >/dev/null
  for _ in $(seq 1 20); do
    port=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    if "${HALL_PG_RUN[@]}" "$bin/pg_ctl" -D "$HALL_PG_DIR/data" -l "$HALL_PG_DIR/log" -w -t 60 \
      -o "-p $port -k $HALL_PG_DIR -c listen_addresses=127.0.0.1" start >/dev/null; then
      HALL_PG_BIN=$bin
      HALL_PG_PORT=$port
      "$bin/createdb" -h 127.0.0.1 -p "$port" -U hall hall
      HALL_PG_URL="postgresql://hall@127.0.0.1:$port/hall"
      return 0
    fi
  done
  cat "$HALL_PG_DIR/log" >&2
  return 1
}

hall_pg_stop() {
  [ -n "${HALL_PG_BIN:-}" ] || return 0
  "${HALL_PG_RUN[@]}" "$HALL_PG_BIN/pg_ctl" -D "$HALL_PG_DIR/data" -m immediate stop >/dev/null 2>&1 || true
  HALL_PG_BIN=""
}

# One value from the cluster: hall_psql "SQL".
hall_psql() {
  psql -X -q -t -A -h 127.0.0.1 -p "$HALL_PG_PORT" -U hall -d hall -c "$1"
}

# A field of the JSON on standard input: jfield NAME (games.0.name for nested ones).
jfield() {
  python3 -c 'import json, sys
v = json.load(sys.stdin)
for k in sys.argv[1].split("."):
    v = v[int(k)] if isinstance(v, list) else v[k]
print(v)' "$1"
}

# Sends a game and checks the answer's status: expect URL NAME FILE STATUS; leaves the
# answer's body in $answer.
expect() {
  local out status
  out=$(hall_submit "$1" "$2" "$3")
  status=$(echo "$out" | tail -1)
  answer=$(echo "$out" | head -n -1)
  [ "$status" = "$4" ] || fail "$(basename "$3") as '$2': status $status, not $4: $answer"
}
