# shellcheck shell=bash
# A private X display for the end-to-end harnesses (sourced, not run): Xvfb,
# the openbox window manager, and the small helpers every harness polls with.
# The caller defines `workdir`, `xvfb_pid`, `openbox_pid` and `fail`, and
# stops the two processes on exit.

# Polls COMMAND every 0.1 s until it succeeds or SECONDS pass.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# Ends a process the harness started: politely, then (say, when it is stuck
# in a message box) for good.
stop() {
  [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null
  local tries=0
  while kill -0 "$1" 2>/dev/null && [ $tries -lt 30 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

start_xvfb() {
  # Xvfb picks a free display number itself and writes it to descriptor 5,
  # so parallel runs never race for one. Without -noreset clients fail to
  # connect at random.
  Xvfb -displayfd 5 -screen 0 1024x768x24 -noreset -nolisten tcp \
    5>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 10 test -s "$workdir/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$workdir/display")"
  wait_for 10 xdpyinfo || fail "Xvfb does not answer on $DISPLAY"
}

start_window_manager() {
  # Focus, minimising and closing windows need a window manager. openbox
  # announces itself to wmctrl before it has finished starting, and a window
  # mapped in between is never shown; it runs its start-up command once it
  # is ready for windows.
  openbox --startup "touch $workdir/openbox-ready" >"$workdir/openbox.log" 2>&1 &
  openbox_pid=$!
  wait_for 10 test -e "$workdir/openbox-ready" || fail "openbox did not start"
}

start_display() {
  start_xvfb
  start_window_manager
}

# Xvfb offers only its own screen size; this adds 640x480 to its modes.
add_640x480_mode() {
  xrandr --newmode 640x480_q 25.175 640 656 752 800 480 490 492 525 -hsync -vsync &&
    xrandr --addmode screen 640x480_q || fail "could not add the 640x480 mode"
}

screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }

screen_is() { [ "$(screen_size)" = "$1" ]; }

# The ids of the viewable top-level windows with this exact title. SDL's
# dialogs are not found by `xdotool search --name`, but xwininfo lists them.
viewable_windows() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" 'index($0, t) {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && echo "$id"
  done
}

# The first of them (awk reads them all: a reader that stops early would
# fail the listing under pipefail).
viewable_window() { viewable_windows "$1" | awk 'NR == 1 {print} END {exit NR == 0}'; }

# The first of them other than the window EXCEPT.
other_viewable_window() { # TITLE EXCEPT
  viewable_windows "$1" | awk -v except="$2" '$0 != except && !found {print; found = 1}
    END {exit !found}'
}

# Waits for a window with this title (SECONDS, else window_timeout, else
# 20) and leaves its id in window_id.
window_id=
wait_window() {
  wait_for "${2:-${window_timeout:-20}}" viewable_window "$1" || fail "no window titled \"$1\""
  window_id=$(viewable_window "$1")
}
