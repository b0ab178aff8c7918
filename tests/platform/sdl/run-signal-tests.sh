#!/usr/bin/env bash
# The desktop's display mode comes back however a fullscreen run ends. Each
# case starts the program fullscreen (640x480) on a private Xvfb display with
# openbox, sends it a signal and waits for the process to end, with the
# signal's own status, and for the screen to be back at 1024x768.
#
#   run-signal-tests.sh CASE PROGRAM
#
# CASE is a signal that kills: HUP QUIT SEGV BUS ABRT FPE ILL PIPE, whose
# handler has the display guard restore the mode before the program dies
# (strace shows the program taking the guard's answer), or KILL, after which
# the guard restores it on its own; or INT, which stays a
# normal quit (status 0); or `windowed`, where the display is never switched
# and no guard may be started. In every case no display guard may be left
# running once the program has ended.
set -uo pipefail

scenario=${1:?case}
program=$(realpath "${2:?program}")
guard=$(dirname "$program")/quellor-display-guard
workdir=$(mktemp -d)
xvfb_pid=
openbox_pid=
strace_pid=
unset DISPLAY WAYLAND_DISPLAY
# A killed program would write its core into its folder, the build's.
ulimit -c 0
# In AddressSanitizer builds: the leak checker cannot attribute the blocks of
# the libraries SDL unloads at exit, and its own handlers for SIGSEGV, SIGBUS
# and SIGFPE would end the program with status 1 in place of the signal's.
export ASAN_OPTIONS="detect_leaks=0:handle_segv=0:handle_sigbus=0:handle_sigfpe=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
here=$(dirname "$(realpath "$0")")
# shellcheck source=../../support/x11-display.sh
source "$here/../../support/x11-display.sh"

# The display guards whose display is ours.
guards_on_display() {
  local dir
  for dir in /proc/[0-9]*; do
    [ "$(readlink "$dir/exe" 2>/dev/null)" = "$guard" ] || continue
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY" && echo "${dir#/proc/}"
  done
}

no_guard() { [ -z "$(guards_on_display)" ]; }

# Whether every thread of the program is traced.
all_threads_traced() {
  local status
  for status in /proc/"$app_pid"/task/*/status; do
    awk '/^TracerPid:/ {exit $2 == 0}' "$status" || return 1
  done
}

# Logs the program's socket calls from now on, in all its threads: a signal
# is handled by whichever thread it reaches.
trace_program() {
  strace -f -qq -e trace=sendto,recvfrom -o "$workdir/trace" -p "$app_pid" \
    2>"$workdir/strace.err" &
  strace_pid=$!
  wait_for 10 all_threads_traced || fail "strace did not attach: $(cat "$workdir/strace.err")"
}

cleanup() {
  # shellcheck disable=SC2046 # one process id a word
  stop_all "$strace_pid" "$app_pid" $(guards_on_display) "$openbox_pid" "$xvfb_pid"
}
trap cleanup EXIT

start_display
add_640x480_mode
start_app_in "$(dirname "$program")" "$program"
case "$scenario" in
windowed)
  answer_box "Cela obrazovka?" Escape
  wait_window Quellor
  # A guard is started before the display is switched, so one started for
  # this window would be running by now.
  no_guard || fail "a display guard runs for a windowed program"
  screen_is 1024x768 || fail "the screen is $(screen_size) in windowed mode"
  kill -TERM "$app_pid"
  expect_status 0
  ;;
*)
  number=$(kill -l "$scenario" 2>/dev/null) || fail "unknown case"
  answer_box "Cela obrazovka?" Return
  wait_for 20 screen_is 640x480 || fail "the display did not switch to 640x480"
  case "$scenario" in INT | KILL) ;; *) trace_program ;; esac
  kill -s "$scenario" "$app_pid"
  case "$scenario" in
  INT)
    expect_status 0
    ;;
  KILL)
    expect_status $((128 + number))
    ;;
  *)
    expect_status $((128 + number))
    wait "$strace_pid"
    strace_pid=
    # The guard answers once the mode is back; the program took that answer
    # before it died.
    if ! grep -q 'sendto([0-9]*, "X", 1,' "$workdir/trace" ||
      ! grep -q 'recvfrom([0-9]*, "K", 1,' "$workdir/trace"; then
      fail "the program died without the guard's answer: $(cat "$workdir/trace")"
    fi
    ;;
  esac
  wait_for 20 screen_is 1024x768 || fail "display mode not restored: $(screen_size)"
  ;;
esac
wait_for 20 no_guard || fail "a display guard outlived the program: $(guards_on_display)"
echo "PASS [$scenario]"
