#!/usr/bin/env bash
# The program on the Linux desktops it meets: X without a window manager,
# message boxes where SDL cannot show one, and fullscreen where the display
# mode cannot be switched (scaled, with black bars), on Xvfb and on the
# Wayland compositors weston, mutter and sway. Everything started here is
# stopped on exit.
#
#   run-wayland-tests.sh SCENARIO PROGRAM
#
# X without a window manager (Xvfb alone, keys typed with XTest into the
# focused window, as a keyboard would):
#   nowm-boxes   F1 asks the fall-back question and the boxes take the keys
#   nowm-toggle  F1 both ways with a real 640x480 mode
# Boxes (Xvfb with openbox):
#   own-box      SDL's box made to fail: the backend's own box asks, and Tab
#                moves between its buttons
#   no-box       no box can be shown at all: the program starts windowed
# Fullscreen that cannot switch the mode (Xvfb 1280x800 with openbox, the
# backend told that the display cannot switch):
#   scaled       the scene fills the screen's height, 4:3, centred; Space
#                swaps the camera; F1 both ways
# Weston (its X11 backend, a 1280x800 window on an Xvfb whose keyboard
# types into it) with XWayland:
#   weston-xwayland  the question, fullscreen filling the output scaled and
#                    centred, Space swapping the camera, F1 both ways, Escape
#   weston-xwayland-close  the question answered No: windowed; the close
#                    button of weston's frame ends the program with 0
# Weston itself, the program on SDL's Wayland driver (no X display for it):
#   weston       the question, scaled fullscreen, Space, F1 both ways and back
#                (each F1 used to crash inside libdecor), Escape
#   weston-own-box  the same with the backend's own box asking the question
#   mutter       the same on mutter (nested, in a D-Bus session of its own;
#                leaving fullscreen used to crash showing the cursor)
#   weston-escape, mutter-escape  the question answered No: windowed;
#                Escape ends the program with 27
#   weston-close, mutter-close  the question answered No: windowed;
#                minimised (weston: the minimise button; mutter: Super+H) and
#                back (Super+Tab; Alt+Tab); the window's close button (weston)
#                or Alt+F4 (mutter) ends the program with 0
# Sway (1.7, headless, run as a user of its own: it refuses root; keys typed
# with wtype, pictures taken with grim):
#   sway         the question in the backend's own box, scaled fullscreen,
#                Space, F1 both ways, Escape
#   sway-close   windowed, the window closed by sway: 0
#   sway-escape  windowed, Escape: 27
# Exits 77 (skipped) when a tool or compositor the scenario needs is missing.
#
# Environment: QUELLOR_SNAPSHOT (default: quellor-snapshot beside PROGRAM).
set -uo pipefail

scenario=${1:?scenario}
program=$(realpath "${2:?program}")
appdir=$(dirname "$program")
snapshot_tool=${QUELLOR_SNAPSHOT:-$appdir/quellor-snapshot}
workdir=$(mktemp -d)
xvfb_pid=
openbox_pid=
weston_pid= # the compositor: weston, sway, or mutter's D-Bus session
sway_keyboard= # on sway: the wtype whose keyboard stays plugged in
sway_keys= # on sway: the wtype holding a key down
keys_display= # where keys are typed: the display itself, or the one
# a nested compositor's window is on
app_pid=
app_status=
unset DISPLAY WAYLAND_DISPLAY QUELLOR_SDL_MESSAGE_BOX QUELLOR_SDL_FULLSCREEN
# The GL driver and D-Bus libraries that SDL unloads at exit leave blocks
# the leak checker cannot attribute; memory errors are still reported.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
# shellcheck source=../../../support/x11-display.sh
source "$(dirname "$(realpath "$0")")/../../../support/x11-display.sh"

cleanup() { stop_all "$sway_keys" "$sway_keyboard" "$app_pid" "$weston_pid" "$openbox_pid" "$xvfb_pid"; }
trap cleanup EXIT

need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "no $tool"
  done
}

# Xvfb at SIZE (default 1024x768), on a display number it picks itself.
start_xvfb_sized() {
  Xvfb -displayfd 5 -screen 0 "${1:-1024x768}x24" -noreset -nolisten tcp \
    5>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 10 test -s "$workdir/display" || fail "Xvfb did not start"
  DISPLAY=":$(head -n1 "$workdir/display")"
  export DISPLAY
  wait_for 10 xdpyinfo || fail "Xvfb does not answer on $DISPLAY"
  # A held key goes down once: the program toggles once per key-down.
  xset r off
  keys_display=$DISPLAY
}

# Weston as a 1280x800 window on the Xvfb, with its XWayland, whose display
# becomes DISPLAY (weston takes the first free display number and logs it).
# Keys go on being typed into the Xvfb, where the pointer rests on weston's
# window.
start_weston_xwayland() {
  start_weston --xwayland
  wait_for 20 grep -q "xserver listening on display" "$workdir/weston.log" ||
    fail "weston's XWayland did not start"
  local xwayland
  xwayland=$(grep -o "listening on display :[0-9]*" "$workdir/weston.log" | grep -o ":[0-9]*")
  export DISPLAY=$xwayland
  wait_for 10 xdpyinfo || fail "XWayland does not answer on $DISPLAY"
}

start_weston() { # WESTON_OPTION...
  start_xvfb_sized 1280x800
  export XDG_RUNTIME_DIR=$workdir/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # No key repeat: a key held until the program reacts goes down once.
  printf '[core]\nidle-time=0\n[keyboard]\nrepeat-delay=100000\n' >"$workdir/weston.ini"
  weston --config="$workdir/weston.ini" --backend=x11-backend.so "$@" --width=1280 \
    --height=800 --socket=quellor-wayland --log="$workdir/weston.log" >/dev/null 2>&1 &
  weston_pid=$!
  wait_for 20 test -S "$XDG_RUNTIME_DIR/quellor-wayland" || fail "weston did not start"
  xdotool mousemove 640 400
}

# mutter as a nested 1280x800 compositor on the Xvfb, in a D-Bus session of
# its own.
start_mutter() {
  start_xvfb_sized 1280x800
  export XDG_RUNTIME_DIR=$workdir/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # No key repeat (mutter's clients repeat keys themselves, at the pace it
  # gives them): a key held until the program reacts goes down once.
  mkdir -p "$workdir/config/glib-2.0/settings"
  printf '[org/gnome/desktop/peripherals/keyboard]\nrepeat=false\n' \
    >"$workdir/config/glib-2.0/settings/keyfile"
  GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME=$workdir/config MUTTER_DEBUG_DUMMY_MODE_SPECS=1280x800 \
    dbus-run-session -- mutter --nested --wayland --no-x11 \
    --wayland-display=quellor-wayland >"$workdir/mutter.log" 2>&1 &
  weston_pid=$!
  wait_for 30 test -S "$XDG_RUNTIME_DIR/quellor-wayland" || fail "mutter did not start"
  xdotool mousemove 640 400
}

# Sway with a headless 1280x800 output, as a user of its own (made here once;
# sway refuses to run as root), in a runtime directory owned by it. Sway's
# windows are listed by swaymsg, pictures are taken with grim and keys typed
# with wtype, all as the harness's user.
sway_user=quellor-wayland
start_sway() {
  local run_as=()
  if [ "$(id -u)" = 0 ]; then
    id -u "$sway_user" >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin "$sway_user" ||
      skip "cannot add the user sway runs as"
    run_as=(setpriv --reuid="$sway_user" --regid="$(id -g "$sway_user")" --clear-groups)
  fi
  chmod 711 "$workdir"
  export XDG_RUNTIME_DIR=$workdir/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  [ "$(id -u)" = 0 ] && chown "$sway_user" "$XDG_RUNTIME_DIR"
  # No key repeat, as on the other compositors.
  printf '%s\n' 'xwayland disable' 'output HEADLESS-1 resolution 1280x800 position 0 0' \
    'input type:keyboard repeat_delay 100000' >"$workdir/sway.config"
  chmod 644 "$workdir/sway.config"
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${run_as[@]}" env HOME="$XDG_RUNTIME_DIR" sway -c "$workdir/sway.config" \
    >"$workdir/sway.log" 2>&1 &
  weston_pid=$!
  sway_socket() { compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock"; }
  wait_for 30 sway_socket || fail "sway did not start: $(tail -n3 "$workdir/sway.log")"
  SWAYSOCK=$(sway_socket)
  WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]")")
  export SWAYSOCK WAYLAND_DISPLAY
  # A keyboard that stays, as a person's does. Each wtype run adds one of its
  # own; were it the only one, the seat would lose and regain its keyboard
  # capability with every run, and a program slow to bind the new keyboard
  # (on a busy machine) would get the held key only in the focus event's
  # list of keys already down, which SDL ignores, not as a key press.
  wtype -s 600000 &
  sway_keyboard=$!
}

# Sway's view with this title: "WIDTHxHEIGHT+X+Y FULLSCREEN" (1 or 0).
sway_view() { # TITLE
  swaymsg -t get_tree | jq -r --arg t "$1" '[recurse(.nodes[]?, .floating_nodes[]?) |
    select(.name == $t and .visible)][0] // empty |
    "\(.rect.width)x\(.rect.height)+\(.rect.x)+\(.rect.y) \(.fullscreen_mode)"' | grep .
}

sway_view_gone() { ! sway_view "$1"; }

sway_fullscreen() { [[ "$(sway_view Quellor)" == *" 1" ]]; }

# The window, not fullscreen, shows a frame (its part of the output is not
# black).
sway_windowed_drawn() {
  local view
  view=$(sway_view Quellor) && [[ "$view" == *" 0" ]] && output_picture now &&
    [ "$(convert "$workdir/now.png" -crop "${view% *}" -format '%[fx:maxima]' info:)" != 0 ]
}

# wtype adds a keyboard for each run; the pause lets the client take that
# keyboard's keymap before the key comes.
sway_key() { wtype -s 300 -k "$1"; }

# Answers the backend's own box with KEY, typed once.
sway_answer_box() { # TITLE KEY
  wait_for 20 sway_view "$1" || fail "no \"$1\" box"
  sway_key "$2"
  wait_for 10 sway_view_gone "$1" || fail "the \"$1\" box did not take $2"
}

# A picture of the whole output (the Xvfb weston's window is on).
output_picture() {
  if [ -n "${SWAYSOCK:-}" ]; then
    grim "$workdir/$1.png"
  else
    DISPLAY=$keys_display import -window root "$workdir/$1.png"
  fi
}

output_differs_from() { # PICTURE
  output_picture now && ! compare -metric AE "$workdir/now.png" "$1" null: >/dev/null 2>&1
}

# Black bars on both sides of the 4:3 middle, where a scaled fullscreen
# picture leaves them (the desktop shows there otherwise).
bars_black() {
  output_picture now &&
    [ "$(convert "$workdir/now.png" -crop 160x800+0+0 -format '%[fx:maxima]' info:)" = 0 ] &&
    [ "$(convert "$workdir/now.png" -crop 160x800+1120+0 -format '%[fx:maxima]' info:)" = 0 ]
}

start_app() {
  (cd "$appdir" && exec "$program") >"$workdir/app.out" 2>"$workdir/app.err" &
  app_pid=$!
}

app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

expect_status() {
  wait_for 20 app_ended || fail "the program did not end"
  wait "$app_pid"
  app_status=$?
  app_pid=
  [ "$app_status" = "$1" ] || fail "exit status $app_status, expected $1"
}

window_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# A window shows something other than black (a box drawn, a frame rendered).
drawn() { # WINDOW
  [ "$(import -window "$1" -format '%[fx:maxima]' info: 2>/dev/null)" != 0 ]
}

# Answers a box with a key typed into whatever has the keyboard focus, as a
# user would: the box must have taken the focus itself.
answer_box() { # TITLE KEY...
  local title=$1
  shift
  wait_window "$title"
  # shellcheck disable=SC2154 # window_id: set by wait_window
  local box=$window_id
  wait_for 10 drawn "$box" || fail "the \"$title\" box shows nothing"
  DISPLAY=$keys_display xdotool key "$@"
  wait_for 10 window_gone "$box" || fail "the \"$title\" box did not take $*"
}

# Holds KEY down until CONDITION holds (the program acts on a key while it
# is down in a frame pass), then lets it go.
hold_key_until() { # KEY CONDITION...
  local key=$1
  shift
  if [ -n "${SWAYSOCK:-}" ]; then
    # Held while wtype runs; sway lets the key go when its keyboard goes.
    wtype -s 300 -P "$key" -s 600000 &
    sway_keys=$!
  else
    DISPLAY=$keys_display xdotool keydown "$key"
  fi
  wait_for 30 "$@"
  local met=$?
  if [ -n "${SWAYSOCK:-}" ]; then
    stop "$sway_keys"
    sway_keys=
  else
    DISPLAY=$keys_display xdotool keyup "$key"
  fi
  [ $met = 0 ] || fail "$key held: the program did not react (waited for: $*)"
}

client_geometry() { # WIDTHxHEIGHT+X+Y of a window's client area
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}

# GEOMETRY may leave out the position (a window manager's frame moves the
# client area).
geometry_is() { [[ "$(client_geometry "$1")" == "$2"* ]]; }

# The program's window, viewable, with this client geometry and a frame
# drawn in it.
expect_window() { # GEOMETRY
  wait_window Quellor
  wait_for 10 geometry_is "$window_id" "$1" ||
    fail "the window is $(client_geometry "$window_id"), expected $1"
  wait_for 20 drawn "$window_id" || fail "the window shows no frame"
}

another_window() { other_viewable_window Quellor "$1"; }

# --- Scaled fullscreen ------------------------------------------------------
# The bounding box (WIDTHxHEIGHT+X+Y) of what is not black in a picture.
lit_box() { convert "$1" -fuzz 2% -format '%@' info:; }

near() { [ $(($1 > $2 ? $1 - $2 : $2 - $1)) -le "$3" ]; }

# Where the lit part of quellor-snapshot's frame (reference.png) falls on a
# screen SCREEN_WIDTH x SCREEN_HEIGHT: scaled by the screen's height / 480 and
# centred between the bars (WIDTHxHEIGHT+X+Y).
scaled_reference_box() { # SCREEN_WIDTH SCREEN_HEIGHT
  local sh=$2 rw rh rx ry
  local left=$((($1 - sh * 4 / 3) / 2))
  IFS='x+' read -r rw rh rx ry <<<"$(lit_box "$workdir/reference.png")"
  echo "$((rw * sh / 480))x$((rh * sh / 480))+$((left + rx * sh / 480))+$((ry * sh / 480))"
}

# Whether the bars outside the 4:3 middle of a screenshot are black.
bars_black_in() { # SCREENSHOT SCREEN_WIDTH SCREEN_HEIGHT
  local sh=$3
  local left=$((($2 - sh * 4 / 3) / 2))
  # The scaled picture's edge may blur a pixel into the bars.
  [ "$(convert "$1" \( +clone -crop "$((left - 2))x${sh}+0+0" +repage \) \
    \( -clone 0 -crop "$((left - 2))x${sh}+$((left + sh * 4 / 3 + 2))+0" +repage \) -delete 0 \
    -append -format '%[fx:maxima]' info:)" = 0 ]
}

# Whether a screenshot shows the scene as quellor-snapshot renders it at
# 640x480, scaled by the screen's height / 480 and centred: what is lit in the
# snapshot is lit at the scaled place, and both sides outside the 4:3 middle
# are black bars. Says why not.
scaled_scene_in() { # SCREENSHOT SCREEN_WIDTH SCREEN_HEIGHT
  local shot=$1 sw=$2 sh=$3
  bars_black_in "$shot" "$sw" "$sh" || { echo "the bars beside the 4:3 picture are not black"; return 1; }
  local expected shown ew eh ex ey w h x y
  expected=$(scaled_reference_box "$sw" "$sh")
  shown=$(lit_box "$shot")
  IFS='x+' read -r ew eh ex ey <<<"$expected"
  IFS='x+' read -r w h x y <<<"$shown"
  # Within a few pixels (the cubes have moved since the snapshot's frame, but
  # stay within the still scene's bounds).
  if ! { near "$x" "$ex" 8 && near "$y" "$ey" 8 && near "$w" "$ew" 16 && near "$h" "$eh" 16; }; then
    echo "the scene's lit box is $shown; the snapshot's scaled would be $expected"
    return 1
  fi
}

# Whether a scaled fullscreen screenshot shows the scene through the camera
# that follows the wandering cube. The fixed camera's lit box (the floor's)
# never changes: quellor-snapshot's 1501 frames of a whole cycle all light
# the same 518x330+61+85 at 640x480. The follow camera's box, 440x329 or
# larger there, lies more than 15 pixels (25 on an 800-high screen) from that
# box in 94% of the cycle's frames (61 in the median; within 15 only near
# frame 300, where the cube passes the fixed point). So the box must be off
# by more than 25 pixels at 800, yet still a picture of the floor.
follow_camera_in() { # SCREENSHOT SCREEN_WIDTH SCREEN_HEIGHT
  local shot=$1 sw=$2 sh=$3 ew eh ex ey w h x y
  bars_black_in "$shot" "$sw" "$sh" || return 1
  IFS='x+' read -r ew eh ex ey <<<"$(scaled_reference_box "$sw" "$sh")"
  IFS='x+' read -r w h x y <<<"$(lit_box "$shot")"
  local off=$((sh * 15 / 480))
  [ "$w" -ge $((sh * 384 / 480)) ] && [ "$h" -ge $((sh * 288 / 480)) ] &&
    ! { near "$x" "$ex" $off && near "$y" "$ey" $off && near "$w" "$ew" $off && near "$h" "$eh" $off; }
}

# Waits until CAPTURE, which writes SCREENSHOT, shows the scaled scene: the
# first pictures after a switch may still hold what was there before.
expect_scaled_scene() { # SCREENSHOT SCREEN_WIDTH SCREEN_HEIGHT CAPTURE...
  local shot=$1 sw=$2 sh=$3
  shift 3
  "$snapshot_tool" --textures "$appdir" --frames 1 --out "$workdir/reference.png" \
    >"$workdir/snapshot.log" 2>&1 || fail "quellor-snapshot failed: $(cat "$workdir/snapshot.log")"
  local deadline=$((SECONDS + $(scaled_seconds 20))) why="no screenshot"
  until "$@" >/dev/null 2>&1 && why=$(scaled_scene_in "$shot" "$sw" "$sh"); do
    [ $SECONDS -ge $deadline ] && fail "$why"
    sleep 0.2
  done
}

# Space swaps the camera: held until the scaled fullscreen picture on the
# 1280x800 output shows the camera that follows the wandering cube.
swap_camera() {
  follow_camera_shown() { output_picture now && follow_camera_in "$workdir/now.png" 1280 800; }
  hold_key_until space follow_camera_shown
}

# From the scaled fullscreen window: F1 to a 640x480 window, F1 back to one
# covering the 1280x800 screen, and Escape ending the program with 27.
toggle_and_escape() {
  local fullscreen=$window_id windowed
  hold_key_until F1 another_window "$fullscreen"
  expect_window 640x480
  windowed=$window_id
  hold_key_until F1 another_window "$windowed"
  expect_window 1280x800+0+0
  hold_key_until Escape app_ended
  expect_status 27
}

# --- The window on a Wayland desktop ---------------------------------------
# Where no window list is at hand, the window is what differs from the
# empty desktop's picture (desktop.png) below weston's 32-pixel panel (whose
# clock changes): its region, decorations included.
window_region() {
  local w h x y
  IFS='x+' read -r w h x y < <(convert "$workdir/desktop.png" "$workdir/now.png" \
    -crop 1280x768+0+32 +repage -compose difference -composite -threshold 12% -format '%@' info:)
  echo "${w}x$h+$x+$((y + 32))"
}

# The window, windowed, shows a frame: its region is at least 640x480 but
# not the whole output, and not black (weston once filled the whole output with red
# after leaving fullscreen).
windowed_drawn() {
  local w h
  output_picture now || return 1
  region=$(window_region)
  IFS='x+' read -r w h _ <<<"$region"
  [ "$w" -ge 640 ] && [ "$h" -ge 480 ] && { [ "$w" -lt 1280 ] || [ "$h" -lt 800 ]; } &&
    [ "$(convert "$workdir/now.png" -crop "$region" -format '%[fx:maxima]' info:)" != 0 ]
}

# Minimised: nothing window-sized differs from the empty desktop (mutter's
# pointer may), and the program still runs.
window_hidden() {
  local w h
  ! app_ended && output_picture now &&
    IFS='x+' read -r w h _ <<<"$(window_region 2>/dev/null)" && { [ "$w" -lt 640 ] || [ "$h" -lt 480 ]; }
}

# The question: a box appears on the desktop (no window list to wait for
# there); KEY answers it, typed again until the box has had the focus and
# CONDITION shows the answer taken. The wait between tries is long enough
# for a nested compositor to show the window on a busy machine: a key typed
# again into the program could end it (Escape), which is then said.
answer_question() { # KEY CONDITION...
  local key=$1 tries=0
  shift
  wait_for 20 output_differs_from "$workdir/desktop.png" || fail "no question shown"
  until "$@"; do
    app_ended && fail "the program ended while $key was typed into the question"
    [ $tries -ge 4 ] && return 1
    DISPLAY=$keys_display xdotool key "$key"
    tries=$((tries + 1))
    wait_for 20 "$@" && return 0
  done
  # The condition held at the loop's test (the loop's own status is its body's).
  return 0
}

# Clicks at X,Y of weston's output until CONDITION holds: a click weston
# takes before its pointer has entered the button is lost.
click_until() { # X Y CONDITION...
  local x=$1 y=$2 tries=0
  shift 2
  until "$@"; do
    [ $tries -ge 5 ] && return 1
    # weston's X11 backend moves its pointer by the X pointer's motion, not
    # to its place: the pointer is pushed into the top-left corner first.
    DISPLAY=$keys_display xdotool mousemove --sync 1279 799 mousemove --sync 0 0 \
      mousemove --sync "$x" "$y" click 1
    tries=$((tries + 1))
    wait_for 4 "$@" && return 0
  done
  # The condition held at the loop's test (the loop's own status is its body's).
  return 0
}

# weston or mutter nested on an Xvfb.
start_nested() { # COMPOSITOR
  if [ "$1" = weston ]; then
    start_weston
  else
    need dbus-run-session
    start_mutter
  fi
}

# The empty desktop's picture, once weston's shell has drawn it: weston
# fills the output red where nothing is drawn, until the shell's grey
# background comes (mutter's desktop stays black).
desktop_picture() {
  if [ -n "$weston_pid" ] && [ -z "${SWAYSOCK:-}" ] && grep -q weston "/proc/$weston_pid/cmdline"; then
    desktop_drawn() { output_picture desktop && [ "$(convert "$workdir/desktop.png" \
      -format '%[fx:mean > 0.1 && mean.r - mean.g < 0.1]' info:)" = 1 ]; }
    wait_for 20 desktop_drawn || fail "weston's desktop is not drawn"
  else
    output_picture desktop
  fi
}

start_wayland_app() {
  (cd "$appdir" && exec env -u DISPLAY WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-quellor-wayland}" \
    SDL_VIDEODRIVER=wayland "$program") >"$workdir/app.out" 2>"$workdir/app.err" &
  app_pid=$!
}

# Minimises the program's window on $compositor (weston or mutter), brings it
# back with a frame drawn, and closes it.
minimise_restore_and_close() {
  # libdecor's buttons on weston's title bar: close 16 pixels in from its
  # right end, maximise and minimise 32 and 64 pixels further in. The frame
  # is 640x504 with the title bar, in the middle of the region (which has
  # some of the frame's shadow around it).
  title_bar_end() {
    IFS='x+' read -r w h x y <<<"$region"
    right=$((x + w / 2 + 320))
    title=$((y + h / 2 - 240))
  }
  title_bar_end
  if [ "$compositor" = weston ]; then
    click_until $((right - 80)) "$title" window_hidden || fail "the minimise button did nothing"
    DISPLAY=$keys_display xdotool keydown super key Tab keyup super
  else
    DISPLAY=$keys_display xdotool key super+h
    wait_for 30 window_hidden || fail "the window was not minimised: $(window_region)"
    DISPLAY=$keys_display xdotool key alt+Tab
  fi
  wait_for 30 windowed_drawn || fail "the window did not come back: $(window_region)"
  if [ "$compositor" = weston ]; then
    title_bar_end
    click_until $((right - 16)) "$title" app_ended || fail "the close button did nothing"
  else
    DISPLAY=$keys_display xdotool key alt+F4
  fi
}

case "$scenario" in
nowm-boxes)
  # No 640x480 mode: F1 asks the fall-back question. The window that had the
  # focus is gone by then, so only a box that takes the focus hears keys.
  need Xvfb xdotool xwininfo import
  start_xvfb_sized
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_window 640x480+0+0
  first=$window_id
  hold_key_until F1 viewable_window "Okenni mod?"
  answer_box "Okenni mod?" Return
  wait_for 10 another_window "$first" || fail "no new window after F1"
  expect_window 640x480+0+0
  second=$window_id
  hold_key_until F1 viewable_window "Okenni mod?"
  answer_box "Okenni mod?" Escape
  answer_box CHYBA Return
  expect_status 1
  window_gone "$second" || fail "the window stayed"
  ;;
nowm-toggle)
  need Xvfb xdotool xwininfo import xrandr
  start_xvfb_sized
  add_640x480_mode
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_window 640x480+0+0
  hold_key_until F1 screen_is 640x480
  expect_window 640x480+0+0
  fullscreen=$window_id
  hold_key_until F1 screen_is 1024x768
  wait_for 10 another_window "$fullscreen" || fail "no window after F1 from fullscreen"
  expect_window 640x480+0+0
  hold_key_until Escape app_ended
  expect_status 27
  ;;
own-box)
  # SDL's box made to fail: the backend's own box (428x100 for this text,
  # grey) asks; Tab moves to No.
  need Xvfb openbox xdotool xwininfo import
  start_xvfb_sized
  start_window_manager
  export QUELLOR_SDL_MESSAGE_BOX=own
  start_app
  wait_window "Cela obrazovka?"
  geometry=$(client_geometry "$window_id")
  [ "${geometry%%+*}" = 428x100 ] || fail "the box is $geometry, not the backend's own"
  answer_box "Cela obrazovka?" Tab Return
  expect_window 640x480
  hold_key_until Escape app_ended
  expect_status 27
  ;;
no-box)
  # Neither SDL's box nor the backend's can be shown: the question nobody
  # saw is taken as No, the program starts windowed and says on standard
  # error what it asked.
  need Xvfb openbox xdotool xwininfo import wmctrl
  start_xvfb_sized
  start_window_manager
  export QUELLOR_SDL_MESSAGE_BOX=none
  start_app
  expect_window 640x480
  grep -qF "Cela obrazovka?: Prejete si celoobrazovkovy rezim?" "$workdir/app.err" ||
    fail "standard error lacks the question"
  screen_is 1024x768 || fail "the display mode changed"
  wmctrl -c Quellor
  expect_status 0
  ;;
scaled)
  need Xvfb openbox xdotool xwininfo import convert
  start_xvfb_sized 1280x800
  start_window_manager
  export QUELLOR_SDL_FULLSCREEN=desktop
  start_app
  answer_box "Cela obrazovka?" Return
  # The window covers the screen, whose mode stays.
  expect_window 1280x800+0+0
  screen_is 1280x800 || fail "the display mode changed"
  expect_scaled_scene "$workdir/fullscreen.png" 1280 800 import -window root "$workdir/fullscreen.png"
  swap_camera
  toggle_and_escape
  ;;
weston-xwayland)
  # XWayland cannot switch modes: the window covers the output and the
  # picture is scaled.
  need Xvfb weston Xwayland xdotool xwininfo import convert
  start_weston_xwayland
  start_app
  answer_box "Cela obrazovka?" Return
  expect_window 1280x800+0+0
  wait_for 20 drawn root || fail "nothing shown"
  expect_scaled_scene "$workdir/now.png" 1280 800 output_picture now
  swap_camera
  toggle_and_escape
  ;;
weston-xwayland-close)
  # Windowed (No), then closed with the close button of the frame weston's
  # X window manager draws: on its title bar, 14 pixels above the client
  # area and 14 in from its right edge (weston 10). Alt+F4 would end the
  # program too, but through the program's own handling of the key.
  need Xvfb weston Xwayland xdotool xwininfo import convert
  start_weston_xwayland
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_window 640x480
  IFS='x+' read -r w h x y <<<"$(client_geometry "$window_id")"
  click_until $((x + w - 14)) $((y - 14)) app_ended || fail "the close button did nothing"
  expect_status 0
  ;;
weston | weston-own-box | mutter)
  need Xvfb "${scenario%-own-box}" xdotool import convert compare
  if [ "$scenario" = weston-own-box ]; then
    export QUELLOR_SDL_MESSAGE_BOX=own
  fi
  start_nested "${scenario%-own-box}"
  desktop_picture
  start_wayland_app
  answer_question Return bars_black || fail "no fullscreen picture after Yes"
  expect_scaled_scene "$workdir/now.png" 1280 800 output_picture now
  swap_camera
  # Windowed again, showing the scene, or ended (a crash).
  left_fullscreen() { app_ended || ! bars_black; }
  hold_key_until F1 left_fullscreen
  app_ended && fail "the program ended at F1"
  wait_for 20 windowed_drawn || fail "the window does not show the scene: $(window_region)"
  hold_key_until F1 bars_black
  app_ended && fail "the program ended at F1"
  hold_key_until Escape app_ended
  expect_status 27
  ;;
weston-close | mutter-close | weston-escape | mutter-escape)
  # Windowed (No typed into the question until the window shows), then
  # Escape in the window ends the program with 27, or the window is minimised,
  # brought back and closed as a user would, which ends it with 0.
  compositor=${scenario%-*}
  need Xvfb "$compositor" xdotool import convert
  start_nested "$compositor"
  desktop_picture
  start_wayland_app
  answer_question Escape windowed_drawn || fail "no window after No: $(window_region)"
  if [ "${scenario#*-}" = escape ]; then
    hold_key_until Escape app_ended
    expect_status 27
  else
    minimise_restore_and_close
    expect_status 0
  fi
  ;;
sway | sway-close | sway-escape)
  need sway swaymsg wtype grim jq convert
  start_sway
  # zenity's box does not take wtype's keys: the backend's own box asks.
  export QUELLOR_SDL_MESSAGE_BOX=own
  start_wayland_app
  if [ "$scenario" != sway ]; then
    sway_answer_box "Cela obrazovka?" Escape
    wait_for 20 sway_windowed_drawn || fail "no window after No"
    if [ "$scenario" = sway-close ]; then
      swaymsg '[title="^Quellor$"] kill' >/dev/null || fail "swaymsg kill failed"
      expect_status 0
    else
      hold_key_until Escape app_ended
      expect_status 27
    fi
  else
    sway_answer_box "Cela obrazovka?" Return
    wait_for 20 sway_fullscreen || fail "not fullscreen after Yes: $(sway_view Quellor)"
    wait_for 20 bars_black || fail "no scaled picture"
    expect_scaled_scene "$workdir/now.png" 1280 800 output_picture now
    swap_camera
    hold_key_until F1 sway_windowed_drawn
    hold_key_until F1 sway_fullscreen
    wait_for 20 bars_black || fail "no scaled picture after F1"
    hold_key_until Escape app_ended
    expect_status 27
  fi
  ;;
*)
  fail "unknown scenario"
  ;;
esac
echo "PASS [$scenario]"
