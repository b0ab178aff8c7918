# shellcheck shell=bash
# Waiting in the harnesses (sourced, not run). A harness never pauses for a
# fixed time: it polls for evidence of what it waits for (a window, a display
# mode, a frame, a file, a process's end) and gives up only after a deadline.
# The deadlines are generous for a busy machine; QUELLOR_TEST_DEADLINE_SCALE
# (a whole number, default 1) multiplies every one of them for a slower one.

# SECONDS times the scale.
scaled_seconds() {
  local scale=${QUELLOR_TEST_DEADLINE_SCALE:-1}
  [[ "$scale" =~ ^[1-9][0-9]*$ ]] || scale=1
  echo $(($1 * scale))
}

# Polls COMMAND until it succeeds or SECONDS (scaled) pass. The poll interval
# is short so that a wait ends soon after the evidence appears.
wait_for() {
  local deadline=$((SECONDS + $(scaled_seconds "$1")))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# Whether process PID has ended (a child of the harness is reaped by bash as
# soon as it ends, so it is gone from the process table).
process_ended() { ! kill -0 "$1" 2>/dev/null; }

# Waits for process PID to end, at most SECONDS (scaled).
wait_process_end() { wait_for "$2" process_ended "$1"; }

# Ends a process the harness started: politely, then (say, when it is stuck
# in a message box) for good.
stop() {
  [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null
  wait_process_end "$1" 5 || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
