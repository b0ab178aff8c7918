# shellcheck shell=bash
# The processes of an end-to-end harness (sourced, not run; x11-display.sh
# sources it): the program under test, run in the background, and its exit
# status; stopping everything the harness started; and how a check fails or
# is skipped. The caller sets `scenario` (for messages) and `workdir` (its
# work folder, removed by stop_all) and stops its processes on exit with
# stop_all.

# shellcheck source=wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

app_pid=
app_status=

# Stops every process PID given that still runs (politely, then for good), in
# the order given, and removes the work folder.
stop_all() {
  local pid
  for pid in "$@"; do
    stop "$pid"
  done
  rm -rf "$workdir"
}

# Ends the check as failed: the message, then what the program wrote.
fail() {
  echo "FAIL [$scenario]: $*" >&2
  for f in "$workdir"/app.out "$workdir"/app.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; cat "$f" >&2; }
  done
  exit 1
}

# Ends the check as skipped (status 77): it cannot run on this machine.
skip() {
  echo "SKIP [$scenario]: $*"
  exit 77
}

# Prints the first TOOL that is not installed; fails when all are.
missing_tool() { # TOOL...
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || {
      echo "$tool"
      return 0
    }
  done
  return 1
}

# Starts COMMAND in FOLDER in the background as app_pid, its output kept in
# the work folder's app.out and app.err.
start_app_in() { # FOLDER COMMAND...
  local folder=$1
  shift
  (cd "$folder" && exec "$@") </dev/null >"$workdir/app.out" 2>"$workdir/app.err" &
  app_pid=$!
}

app_running() { kill -0 "$app_pid" 2>/dev/null; }

# Waits for the program to end, at most SECONDS (default 60, scaled), and
# sets app_status.
wait_app_exit() { # [SECONDS]
  wait_process_end "$app_pid" "${1:-60}" || fail "the program did not end"
  wait "$app_pid"
  app_status=$?
  app_pid=
}

expect_status() { # STATUS [SECONDS]
  wait_app_exit "${2:-60}"
  [ "$app_status" = "$1" ] || fail "exit status $app_status, expected $1"
}
