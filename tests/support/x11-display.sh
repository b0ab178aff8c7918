# shellcheck shell=bash
# A private X display for the end-to-end harnesses (sourced, not run): Xvfb,
# the openbox window manager, and the small helpers every harness polls with
# (the waiting itself is wait.sh's, the processes processes.sh's).
# The caller defines `xvfb_pid` and `openbox_pid` and stops the two processes
# on exit.

# shellcheck source=processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

# Xvfb with a screen of SIZE (default 1024x768), as DISPLAY.
start_xvfb() { # [SIZE]
  # Xvfb picks a free display number itself and writes it to descriptor 5,
  # so parallel runs never race for one. Without -noreset clients fail to
  # connect at random.
  Xvfb -displayfd 5 -screen 0 "${1:-1024x768}x24" -noreset -nolisten tcp \
    5>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 30 test -s "$workdir/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$workdir/display")"
  wait_for 30 xdpyinfo || fail "Xvfb does not answer on $DISPLAY"
  no_key_repeat
}

# A key held down by hold_key stays one press: without this the server
# would repeat it after a moment, and a program that takes each press as a
# command (F1, Space) would act on it again.
no_key_repeat() { xset r off || fail "could not turn key repeat off on $DISPLAY"; }

start_window_manager() {
  # Focus, minimising and closing windows need a window manager. openbox
  # announces itself to wmctrl before it has finished starting, and a window
  # mapped in between is never shown; it runs its start-up command once it
  # is ready for windows.
  openbox --startup "touch $workdir/openbox-ready" >"$workdir/openbox.log" 2>&1 &
  openbox_pid=$!
  wait_for 30 test -e "$workdir/openbox-ready" || fail "openbox did not start"
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
# 60) and leaves its id in window_id.
window_id=
wait_window() {
  wait_for "${2:-${window_timeout:-60}}" viewable_window "$1" || fail "no window titled \"$1\""
  window_id=$(viewable_window "$1")
}

# Whether the window with this id is still shown.
window_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
window_gone() { ! window_viewable "$1"; }

# Whether the window has the keyboard focus.
window_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(($1))" ]; }

# Gives the window the keyboard focus, as a click would, and waits until the
# server has it there (a harness may redefine it: Wine's virtual desktop).
activate_window() {
  timeout "$(scaled_seconds 60)" xdotool windowactivate --sync "$1" >/dev/null 2>&1
  wait_for 60 window_focused "$1" || fail "window $1 did not get the keyboard focus"
}

# Holds KEY down, through the server's input (XTEST) to the focused window,
# until COMMAND succeeds or SECONDS (scaled) pass, then releases it; fails
# when COMMAND never succeeded. A program that polls its keys once a frame
# pass, after taking every message queued, misses a press released before its
# next pass (on a busy machine a pass can take long); held until the program
# shows that it acted, the press cannot be missed.
hold_key() { # KEY SECONDS COMMAND...
  local key=$1 seconds=$2 seen=0
  shift 2
  xdotool keydown "$key"
  wait_for "$seconds" "$@" || seen=1
  xdotool keyup "$key"
  return $seen
}

# Answers a message box with KEY. A box may not take keys before it is ready,
# so the key is sent again every few seconds while the box stays open.
answer_box() { # TITLE KEY
  local title=$1 key=$2 deadline
  wait_window "$title"
  deadline=$((SECONDS + $(scaled_seconds 60)))
  while viewable_window "$title" >/dev/null; do
    [ $SECONDS -ge $deadline ] && fail "the \"$title\" box does not take $key"
    box_key "$window_id" "$key"
    wait_for 2 window_gone "$window_id"
    window_id=$(viewable_window "$title") || break
  done
}

# Sends KEY to the box (a harness may redefine it).
box_key() { xdotool key --window "$1" "$2" 2>/dev/null; }

# Whether the program's window (window_id) shows a drawn frame: the floor
# covers the middle of the lower half of the picture, which is black before
# the first frame.
frame_drawn() {
  local colour
  colour=$(import -window "$window_id" -crop 1x1+320+300 -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}')
  [ -n "$colour" ] && [ "$colour" != "#000000" ]
}

expect_frame_drawn() { wait_for 60 frame_drawn || fail "the window shows no frame"; }

# A checksum of what the window shows now.
window_picture() { import -window "$1" -depth 8 rgb:- 2>/dev/null | md5sum; }

picture_differs() { [ "$(window_picture "$1")" != "$2" ]; } # WINDOW PICTURE

# Waits until the program, whose window has just been given the focus, has
# reported that focus to itself. SDL reports a focus that arrives soon after a
# display-mode change only on its first pass over its events some 200 ms
# later. The program passes over its events before each frame it draws: one
# new frame shows that it has seen the focus arrive, and a frame that is new
# on a picture taken a quarter of a second after that one, that it has passed
# over its events since.
wait_focus_taken() { # WINDOW
  local picture seen taken
  picture=$(window_picture "$1")
  wait_for 60 picture_differs "$1" "$picture" || fail "the window draws no new frame"
  seen=$EPOCHREALTIME
  while :; do
    taken=$EPOCHREALTIME
    picture=$(window_picture "$1")
    awk -v a="$seen" -v b="$taken" 'BEGIN {exit !(b - a >= 0.25)}' && break
  done
  wait_for 60 picture_differs "$1" "$picture" || fail "the window draws no new frame"
}
