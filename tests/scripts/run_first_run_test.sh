#!/usr/bin/env bash
# scripts/run on the surprises of a first run, against the binaries of a
# build directory: a home that does not exist yet with port 4000 held by
# someone else, a client port held by another program, and a Trellan that
# fails to start. Each run lives in a session of its own, so whatever it
# leaves running is found (and reported, then stopped) by its session id.
#   tests/scripts/run_first_run_test.sh BUILD_DIR
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
export TRELLAN_RUN_NO_BUILD=1 TRELLAN_BUILD_DIR="$build"
unset DISPLAY WAYLAND_DISPLAY TRELLAN_HOME

tmp="$(mktemp -d)"
own_pids=()
failures=0
cleanup() {
  for pid in ${own_pids[@]+"${own_pids[@]}"}; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

port_taken() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

free_port() {
  local port=$((20000 + RANDOM % 30000))
  while port_taken "$port"; do port=$((port + 1)); done
  echo "$port"
}

# A listener of the test's own on PORT (the demo MUD serves well as one);
# false when the port could not be had.
hold_port() {
  "$build/trellan-demo-mud" --port "$1" 2>/dev/null &
  local pid=$!
  for _ in $(seq 50); do
    if port_taken "$1"; then own_pids+=("$pid"); return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  return 1
}

# Starts scripts/run in a new session; sets run_pid (also the session id).
start_run() {
  local log="$1"
  shift
  setsid "$root/scripts/run" "$@" >"$log" 2>&1 </dev/null &
  run_pid=$!
}

wait_for_text() {
  local log="$1" text="$2"
  for _ in $(seq 100); do
    grep -qF -- "$text" "$log" && return 0
    kill -0 "$run_pid" 2>/dev/null || { grep -qF -- "$text" "$log"; return; }
    sleep 0.1
  done
  return 1
}

# Waits for scripts/run to end; sets run_status (-1 when it did not).
wait_run() {
  run_status=-1
  for _ in $(seq 100); do
    if ! kill -0 "$run_pid" 2>/dev/null; then
      wait "$run_pid"
      run_status=$?
      return
    fi
    sleep 0.1
  done
  kill -TERM "$run_pid" 2>/dev/null
}

expect_nothing_left() {
  local case="$1" left
  left="$(ps -o pid=,comm= -s "$run_pid" 2>/dev/null || true)"
  if [ -n "$left" ]; then
    fail "$case: left running: $left"
    for pid in $(ps -o pid= -s "$run_pid"); do kill -KILL "$pid" 2>/dev/null; done
  fi
}

expect_in_log() {
  local case="$1" log="$2" text="$3"
  grep -qF -- "$text" "$log" || fail "$case: no \"$text\" in the output:$(printf '\n'; sed 's/^/  | /' "$log")"
}

# 1. A home that does not exist yet, port 4000 taken (by us, or by whoever
#    already holds it).
hold_port 4000 || port_taken 4000 || fail "port 4000 neither free to take nor taken"
home="$tmp/new/home"
log="$tmp/missing-home.log"
start_run "$log" --home "$home"
wait_for_text "$log" "Trellan listens on 127.0.0.1:" || fail "missing home: Trellan did not start"
[ -d "$home" ] || fail "missing home: $home was not created"
[ -f "$home/local.ini" ] || fail "missing home: no demo profile written"
expect_in_log "missing home" "$log" "Created the home directory $home."
expect_in_log "missing home" "$log" "Port 4000 is held by process"
demo_port="$(sed -n 's/.*the demo MUD uses port \([0-9]*\)\./\1/p' "$log")"
[ -n "$demo_port" ] && [ "$demo_port" != 4000 ] || fail "missing home: the demo MUD's port is not told"
expect_in_log "missing home" "$log" "connects to 127.0.0.1:$demo_port"
kill -TERM "$run_pid"
wait_run
[ "$run_status" = 0 ] || fail "missing home: stopped with status $run_status"
expect_in_log "missing home" "$log" "kept in $home/Maps"
expect_nothing_left "missing home"

# 2. The client port of an existing profile is held by another program.
client_port="$(free_port)"
hold_port "$client_port" || fail "could not hold port $client_port"
holder_pid="${own_pids[${#own_pids[@]} - 1]}"
home="$tmp/taken"
mkdir -p "$home"
printf '[Connect]\r\nClient Port=%s\r\nServer Name=\r\n' "$client_port" >"$home/local.ini"
log="$tmp/client-port.log"
start_run "$log" --home "$home"
wait_run
[ "$run_status" = 1 ] || fail "client port taken: status $run_status, wanted 1"
expect_in_log "client port taken" "$log" "cannot listen on 127.0.0.1:$client_port: it is held by process $holder_pid (trellan-demo-mu"
expect_in_log "client port taken" "$log" "change \"Client Port\" in $home/local.ini"
grep -qF "Trellan listens" "$log" && fail "client port taken: Trellan was started"
expect_nothing_left "client port taken"

# 3. Trellan fails to start (an option it does not know): the demo MUD that
#    was started for it is stopped again.
log="$tmp/fails.log"
start_run "$log" --home "$tmp/fails" --no-such-option
wait_run
[ "$run_status" = 2 ] || fail "Trellan failing: status $run_status, wanted 2"
expect_in_log "Trellan failing" "$log" "unknown argument: --no-such-option"
expect_in_log "Trellan failing" "$log" "Trellan stopped with status 2."
expect_in_log "Trellan failing" "$log" "Stopped the demo MUD it was using."
expect_nothing_left "Trellan failing"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "scripts/run: all first-run cases passed"
