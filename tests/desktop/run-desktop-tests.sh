#!/usr/bin/env bash
# Desktop end-to-end checks. Each scenario gets a private Xvfb display with the
# openbox window manager, starts the program (or the desktop backend's test
# program) on it, drives it as a user would and checks what appears on the
# screen and how the program ends. Everything started here is stopped on exit.
#
#   run-desktop-tests.sh SCENARIO PROGRAM
#
# Scenarios using the program (run in PROGRAM's folder, beside its textures):
#   windowed-escape  windowed-close  fallback-yes  fallback-no  fullscreen
#   toggle  sigterm  alt-f4  missing-textures  no-display
# backend: PROGRAM is the backend's GoogleTest program.
# timing: prints start-up and F1 recreation times (not a test).
set -uo pipefail

scenario=${1:?scenario}
program=$(realpath "${2:?program}")
workdir=$(mktemp -d)
appdir=$(dirname "$program") # where the program runs: beside its textures
xvfb_pid=
openbox_pid=
app_pid=
app_status=
unset DISPLAY WAYLAND_DISPLAY
# In AddressSanitizer builds: the GL driver and D-Bus libraries that SDL
# unloads at exit leave blocks the leak checker can no longer attribute to
# anything; memory errors are still reported.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

# Ends a process this script started: politely, then (say, when it is stuck
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

cleanup() {
  stop "$app_pid"
  stop "$openbox_pid"
  stop "$xvfb_pid"
  rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
  echo "FAIL [$scenario]: $*" >&2
  for f in "$workdir"/app.out "$workdir"/app.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; cat "$f" >&2; }
  done
  exit 1
}

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

start_display() {
  # Xvfb picks a free display number itself and writes it to descriptor 5,
  # so parallel runs never race for one. Without -noreset clients fail to
  # connect at random.
  Xvfb -displayfd 5 -screen 0 1024x768x24 -noreset -nolisten tcp \
    5>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 10 test -s "$workdir/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$workdir/display")"
  wait_for 10 xdpyinfo || fail "Xvfb does not answer on $DISPLAY"
  # Focus, minimising and closing windows need a window manager.
  openbox >"$workdir/openbox.log" 2>&1 &
  openbox_pid=$!
  wait_for 10 wmctrl -m || fail "openbox did not start"
}

# Xvfb offers only its own screen size; this adds 640x480 to its modes.
add_640x480_mode() {
  xrandr --newmode 640x480_q 25.175 640 656 752 800 480 490 492 525 -hsync -vsync &&
    xrandr --addmode screen 640x480_q || fail "could not add the 640x480 mode"
}

screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }

screen_is() { [ "$(screen_size)" = "$1" ]; }

start_app() {
  (cd "$appdir" && exec "$program") >"$workdir/app.out" 2>"$workdir/app.err" &
  app_pid=$!
}

app_running() { kill -0 "$app_pid" 2>/dev/null; }

# Waits for the program to end and sets app_status.
wait_app_exit() {
  wait_for "${1:-20}" bash -c "! kill -0 $app_pid" || fail "the program did not end"
  wait "$app_pid"
  app_status=$?
  app_pid=
}

expect_status() {
  wait_app_exit
  [ "$app_status" = "$1" ] || fail "exit status $app_status, expected $1"
}

# The id of the first viewable top-level window with this exact title. SDL's
# dialogs are not found by `xdotool search --name`, but xwininfo lists them.
viewable_window() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" 'index($0, t) {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && { echo "$id"; return 0; }
  done
  return 1
}

window_id=
wait_window() {
  wait_for "${2:-20}" viewable_window "$1" || fail "no window titled \"$1\""
  window_id=$(viewable_window "$1")
}

# Answers a message box: Return presses the first button (Yes/OK), Escape the
# last (No/OK). The key is sent again while the box stays open.
answer_box() {
  local title=$1 key=$2 tries=0
  wait_window "$title"
  while viewable_window "$title" >/dev/null; do
    [ $tries -ge 20 ] && fail "the \"$title\" box does not take $key"
    xdotool key --window "$window_id" "$key"
    tries=$((tries + 1))
    wait_for 1 bash -c "! xwininfo -id $window_id 2>/dev/null | grep -q IsViewable"
  done
}

client_geometry() { # WIDTHxHEIGHT+X+Y of a window's client area
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}

# The window's outer top-left corner: its client position less the frame the
# window manager put around it.
outer_origin() {
  local extents left top
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r left _ top _ <<<"$extents"
  local geometry
  geometry=$(client_geometry "$1")
  local x=${geometry#*+}
  local y=${x#*+}
  x=${x%%+*}
  echo "$((x - left)),$((y - top))"
}

# Holds a key long enough for the program to see it down in a frame pass
# (a tap whose release is handled before the next frame is not acted on).
# SDL reports a window's focus a little late; the pause keeps that report
# (a WM_ACTIVATE, whose wParam would become the exit status) ahead of the key.
press_key() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1
  sleep 0.5
  xdotool keydown "$2"
  sleep 0.3
  xdotool keyup "$2"
}

windowed_ok() {
  local geometry
  geometry=$(client_geometry "$window_id") &&
    [ "${geometry%%+*}" = 640x480 ] && [ "$(outer_origin "$window_id")" = 0,0 ]
}

# A 640x480 client area in a window whose frame is at the screen's top-left,
# on the unchanged 1024x768 screen.
expect_windowed_window() {
  wait_window Quellor
  wait_for 10 windowed_ok ||
    fail "window at $(outer_origin "$window_id") with client $(client_geometry "$window_id")"
  screen_is 1024x768 || fail "screen is $(screen_size) in windowed mode"
}

fullscreen_ok() { [ "$(client_geometry "$window_id")" = 640x480+0+0 ]; }

expect_fullscreen_window() {
  wait_for 20 screen_is 640x480 || fail "the display did not switch to 640x480"
  wait_window Quellor
  wait_for 10 fullscreen_ok || fail "fullscreen window is $(client_geometry "$window_id")"
}

# Whether the window shows a drawn frame: the floor covers the middle of the
# lower half of the picture, which is black before the first frame.
frame_drawn() {
  local colour
  colour=$(import -window "$window_id" -crop 1x1+320+300 -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}')
  [ -n "$colour" ] && [ "$colour" != "#000000" ]
}

expect_frame_drawn() { wait_for 20 frame_drawn || fail "the window shows no frame"; }

now_ms() { date +%s%3N; }

case "$scenario" in
windowed-escape)
  start_display
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_windowed_window
  expect_frame_drawn
  press_key "$window_id" Escape
  # The status is the wParam of the last message taken: Escape's key code.
  expect_status 27
  ;;
windowed-close)
  start_display
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_windowed_window
  wmctrl -c Quellor
  expect_status 0
  ;;
fallback-yes)
  start_display
  start_app
  answer_box "Cela obrazovka?" Return
  answer_box "Okenni mod?" Return
  expect_windowed_window
  wmctrl -c Quellor
  expect_status 0
  ;;
fallback-no)
  start_display
  start_app
  answer_box "Cela obrazovka?" Return
  answer_box "Okenni mod?" Escape
  answer_box CHYBA Return
  expect_status 1
  ;;
fullscreen)
  start_display
  add_640x480_mode
  start_app
  answer_box "Cela obrazovka?" Return
  expect_fullscreen_window
  expect_frame_drawn
  press_key "$window_id" Escape
  expect_status 27
  screen_is 1024x768 || fail "display mode not restored: $(screen_size)"
  ;;
toggle)
  start_display
  add_640x480_mode
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_windowed_window
  press_key "$window_id" F1
  expect_fullscreen_window
  press_key "$window_id" F1
  wait_for 20 screen_is 1024x768 || fail "F1 did not restore the display"
  expect_windowed_window
  wmctrl -c Quellor
  expect_status 0
  ;;
sigterm)
  # SIGTERM closes the program like the close button, and the display mode
  # comes back.
  start_display
  add_640x480_mode
  start_app
  answer_box "Cela obrazovka?" Return
  expect_fullscreen_window
  kill -TERM "$app_pid"
  expect_status 0
  screen_is 1024x768 || fail "display mode not restored: $(screen_size)"
  ;;
alt-f4)
  start_display
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_windowed_window
  press_key "$window_id" alt+F4
  expect_status 0
  ;;
missing-textures)
  # Start-up fails after the display was switched; the mode still comes back
  # when the process ends.
  start_display
  add_640x480_mode
  appdir=$workdir/empty
  mkdir "$appdir"
  start_app
  answer_box "Cela obrazovka?" Return
  expect_status 1
  screen_is 1024x768 || fail "display mode not restored: $(screen_size)"
  ;;
no-display)
  # Without a display every message goes to standard error and start-up
  # fails.
  start_app
  expect_status 1
  for text in "Cela obrazovka?: Prejete si celoobrazovkovy rezim?" "Okenni mod?: " \
    "CHYBA: Program bude nyni ukoncen."; do
    grep -qF "$text" "$workdir/app.err" || fail "standard error lacks \"$text\""
  done
  ;;
backend)
  start_display
  add_640x480_mode
  "$program" || fail "backend tests failed"
  ;;
timing)
  start_display
  add_640x480_mode
  started=$(now_ms)
  start_app
  wait_window "Cela obrazovka?"
  asked=$(now_ms)
  answer_box "Cela obrazovka?" Escape
  answered=$(now_ms)
  wait_window Quellor
  shown=$(now_ms)
  expect_frame_drawn
  drawn=$(now_ms)
  echo "start to question shown: $((asked - started)) ms"
  echo "answer to window shown: $((shown - answered)) ms, to first frame: $((drawn - answered)) ms"
  xdotool windowactivate --sync "$window_id" >/dev/null 2>&1
  pressed=$(now_ms)
  xdotool keydown F1
  wait_for 20 screen_is 640x480 || fail "F1 did not switch the display"
  switched=$(now_ms)
  wait_window Quellor
  expect_frame_drawn
  drawn=$(now_ms)
  xdotool keyup F1
  echo "F1 to display switched: $((switched - pressed)) ms, to first fullscreen frame: $((drawn - pressed)) ms"
  wmctrl -c Quellor
  expect_status 0
  ;;
*)
  fail "unknown scenario"
  ;;
esac
echo "PASS [$scenario]"
