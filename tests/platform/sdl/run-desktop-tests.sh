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
#   toggle  sigterm  alt-f4  missing-textures  no-display  stalled-f1
# What the user sees, compared with frames that quellor-snapshot renders:
#   textured-scene  space-follows  toggle-textured
# Broken textures (in a folder of copies, one of them spoiled):
#   missing-tex2  bad-tex3  empty-tex1
# scene-reference: renders the frames the picture scenarios compare with.
# backend: PROGRAM is the backend's GoogleTest program.
# conformance: PROGRAM is the conformance suite built for the SDL backend;
#   exits 77 (skipped) where Xvfb, openbox or xrandr is missing.
# timing: prints start-up and F1 recreation times (not a test).
#
# Environment: QUELLOR_SNAPSHOT (default: quellor-snapshot beside PROGRAM),
# QUELLOR_SCENE_REFERENCE (where scene-reference leaves its pictures; without
# it each picture scenario renders its own), QUELLOR_SHOW_MESSAGE_BOX (the
# test program that shows a box with a given text).
set -uo pipefail

scenario=${1:?scenario}
program=$(realpath "${2:?program}")
workdir=$(mktemp -d)
appdir=$(dirname "$program") # where the program runs: beside its textures
xvfb_pid=
openbox_pid=
reference_box_pid=
unset DISPLAY WAYLAND_DISPLAY
# In AddressSanitizer builds: the GL driver and D-Bus libraries that SDL
# unloads at exit leave blocks the leak checker can no longer attribute to
# anything; memory errors are still reported.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
# shellcheck source=../../support/x11-display.sh
source "$(dirname "$(realpath "$0")")/../../support/x11-display.sh"

cleanup() { stop_all "$reference_box_pid" "$app_pid" "$openbox_pid" "$xvfb_pid"; }
trap cleanup EXIT

start_app() { start_app_in "$appdir" "$program"; }

# Message boxes are answered with answer_box (x11-display.sh): Return presses
# the first button (Yes/OK), Escape the last (No/OK).

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

# Keys go to the program's window (window_id) through the server's input and
# are held until the program has acted on them (hold_key, x11-display.sh).

# Escape and Alt+F4 end the program, F1 recreates its window: each takes the
# window down first. The status after Escape is the wParam of the last
# message taken, so the key goes in only once the program has taken the
# window's focus (a WM_ACTIVATE after the key would give its wParam).
press_escape() {
  activate_window "$window_id"
  wait_focus_taken "$window_id"
  hold_key Escape 60 window_gone "$window_id" || fail "Escape did not take the window down"
}

# Escape ends the program with its key code as the status.
end_with_escape() {
  press_escape
  expect_status 27
}

press_closing_key() { # KEY
  activate_window "$window_id"
  hold_key "$1" 60 window_gone "$window_id" || fail "$1 did not take the window down"
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
  wait_for 60 windowed_ok ||
    fail "window at $(outer_origin "$window_id") with client $(client_geometry "$window_id")"
  screen_is 1024x768 || fail "screen is $(screen_size) in windowed mode"
}

fullscreen_ok() { [ "$(client_geometry "$window_id")" = 640x480+0+0 ]; }

expect_fullscreen_window() {
  wait_for 60 screen_is 640x480 || fail "the display did not switch to 640x480"
  wait_window Quellor
  wait_for 60 fullscreen_ok || fail "fullscreen window is $(client_geometry "$window_id")"
}

# Starts the program and answers its question No (Escape): its window.
start_windowed() {
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_windowed_window
}

# Starts the program and answers its question Yes (Return): fullscreen.
start_fullscreen() {
  start_app
  answer_box "Cela obrazovka?" Return
  expect_fullscreen_window
}

# F1 from fullscreen: the desktop's mode and a window again.
f1_to_windowed() {
  press_closing_key F1
  wait_for 60 screen_is 1024x768 || fail "F1 did not restore the display"
  expect_windowed_window
}

# The desktop's 1024x768 is back.
expect_mode_restored() { screen_is 1024x768 || fail "display mode not restored: $(screen_size)"; }

# The window manager's close button: the program ends with status 0.
close_window() {
  wmctrl -c Quellor
  expect_status 0
}

now_ms() { date +%s%3N; }

# --- Pictures -------------------------------------------------------------
# The scene's camera is fixed, so every frame of the program shows the same
# floor, pillar and wall, and only the cubes move. quellor-snapshot renders
# the same scene offscreen: one of its frames is the reference for the still
# part, and the pixels that change anywhere in a whole cycle of the cubes'
# movement (a frame every 20, widened by 10 pixels to cover the frames in
# between) make the mask of the moving part.
snapshot_tool=${QUELLOR_SNAPSHOT:-$(dirname "$program")/quellor-snapshot}
reference_dir=${QUELLOR_SCENE_REFERENCE:-$workdir/reference}
reference=$reference_dir/frame.png
moving_mask=$reference_dir/moving.png

make_scene_reference() {
  local frames=$workdir/frames
  mkdir -p "$frames" "$reference_dir"
  "$snapshot_tool" --textures "$appdir" --frames 1600 --every 20 \
    --out "$frames/frame.png" >"$workdir/snapshot.log" 2>&1 ||
    fail "quellor-snapshot failed: $(cat "$workdir/snapshot.log")"
  cp "$frames/frame-00300.png" "$reference"
  convert "$frames"/frame-*.png -evaluate-sequence max "$frames/max.png" &&
    convert "$frames"/frame-*.png -evaluate-sequence min "$frames/min.png" &&
    convert "$frames/max.png" "$frames/min.png" -compose difference -composite \
      -colorspace gray -threshold 0 -morphology Dilate Disk:10 "$moving_mask" ||
    fail "could not make the mask of the moving part"
  rm -rf "$frames"
}

need_scene_reference() { [ -s "$moving_mask" ] || make_scene_reference; }

# Takes a picture of the program's window (its client area) as NAME.png.
screenshot() {
  import -window "$window_id" "$workdir/$1.png" 2>/dev/null || fail "no screenshot of the window"
  [ "$(identify -format %wx%h "$workdir/$1.png")" = 640x480 ] ||
    fail "the screenshot is $(identify -format %wx%h "$workdir/$1.png"), not 640x480"
}

# Takes a picture of the window as NAME.png, or fails quietly (for polling).
try_screenshot() { import -window "$window_id" "$workdir/$1.png" 2>/dev/null; }

# Whether the cubes moved between picture FIRST and a new picture SECOND.
cubes_moved_since() { # FIRST SECOND
  try_screenshot "$2" &&
    [ "$(changed_pixels "$workdir/$1.png" "$workdir/$2.png" moving)" -ge 200 ]
}

# Whether the still part moved, by at least 1%, between picture FIRST and a
# new picture SECOND: the camera follows the cube.
view_moved_since() { # FIRST SECOND
  try_screenshot "$2" &&
    [ "$(changed_pixels "$workdir/$1.png" "$workdir/$2.png" still)" -ge $(($(still_pixels) / 100)) ]
}

# Whether the window shows the scene from elsewhere than the floor's centre
# (5% of the still part differs from the reference), or from the centre (at
# most 1% differs).
view_turned() {
  try_screenshot now &&
    [ "$(changed_pixels "$workdir/now.png" "$reference" still)" -ge $(($(still_pixels) / 20)) ]
}
view_at_centre() {
  try_screenshot now &&
    [ "$(changed_pixels "$workdir/now.png" "$reference" still)" -le $(($(still_pixels) / 100)) ]
}

# How many pixels of two pictures differ by more than 3% of grey, counted in
# the still or the moving part of the scene.
changed_pixels() { # PICTURE PICTURE still|moving
  local masking=minus_src
  [ "$3" = moving ] && masking=multiply
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 3% \
    "$moving_mask" -compose "$masking" -composite -format '%[fx:round(mean*w*h)]' info:
}

still_pixels() { convert "$moving_mask" -format '%[fx:round((1-mean)*w*h)]' info:; }

# Colour classes, on hue (r), saturation (g) and lightness (b) in 0..1: the
# floor's grey stone, the bricks' red and the crates' brown wood.
stone='g < 0.12 && b > 0.2 && b < 0.85'
brick='(r < 0.045 || r > 0.95) && g > 0.2 && b > 0.08'
wood='r >= 0.045 && r < 0.12 && g > 0.12 && b > 0.08'

# The share (0..1) of a region's pixels that are of a colour class.
colour_share() { # PICTURE GEOMETRY CLASS
  convert "$1" -crop "$2" +repage -colorspace HSL -fx "$3 ? 1 : 0" -colorspace gray \
    -format '%[fx:mean]' info:
}

# How many pixels of the moving part are of a colour class.
moving_colour_pixels() { # PICTURE CLASS
  local box
  box=$(convert "$moving_mask" -format %@ info:)
  convert "$1" "$moving_mask" -compose multiply -composite -crop "$box" +repage \
    -colorspace HSL -fx "$2 ? 1 : 0" -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

at_least() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a >= b)}'; }

# Regions of the picture, fixed by the camera: the front face of the wall,
# the pillar, the floor's near strip (which the cubes never reach) and the
# middle, where the camera's target is drawn.
wall_region=60x160+95+190
pillar_region=16x50+438+95
floor_region=360x36+140+350
middle_region=100x100+270+190

# The picture shows the scene as quellor-snapshot renders it from the floor's
# centre: textured, lit and in place. The still part must match the
# reference, and independently of it (a broken loader would spoil both) each
# object must show its texture's colours.
expect_scene_picture() { # NAME
  local picture=$workdir/$1.png share changed spread wood_pixels
  spread=$(convert "$picture" -colorspace gray -format '%[fx:standard_deviation]' info:)
  at_least "$spread" 0.05 || fail "$1 is nearly uniform (deviation $spread)"
  changed=$(changed_pixels "$picture" "$reference" still)
  [ "$changed" -le $(($(still_pixels) / 100)) ] ||
    fail "$1: $changed pixels of the still part differ from quellor-snapshot's frame"
  share=$(colour_share "$picture" $floor_region "$stone")
  at_least "$share" 0.85 || fail "$1: the floor is not grey stone (share $share)"
  share=$(colour_share "$picture" $wall_region "$brick")
  at_least "$share" 0.35 || fail "$1: the wall is not brick red (share $share)"
  share=$(colour_share "$picture" $pillar_region "$brick")
  at_least "$share" 0.35 || fail "$1: the pillar is not brick red (share $share)"
  wood_pixels=$(moving_colour_pixels "$picture" "$wood")
  [ "$wood_pixels" -ge 800 ] || fail "$1: only $wood_pixels crate-coloured pixels where the cubes move"
}

# --- Dialogs --------------------------------------------------------------
# SDL draws a message box's text itself, so it cannot be read from the
# display; instead the program's box is compared with one that
# quellor_show_message_box shows with the expected text. A box with a text
# one character off must differ, which shows that the text is in the pixels.
message_box_tool=${QUELLOR_SHOW_MESSAGE_BOX:-}

# Shows TEXT in a box of our own titled TITLE and takes its picture as NAME.png.
reference_box_picture() { # TITLE TEXT NAME EXCEPT_ID
  local id
  [ -x "$message_box_tool" ] || fail "QUELLOR_SHOW_MESSAGE_BOX is not set to the box program"
  "$message_box_tool" "$1" "$2" >/dev/null 2>&1 &
  reference_box_pid=$!
  wait_for 60 other_viewable_window "$1" "$4" || fail "the reference box did not appear"
  id=$(other_viewable_window "$1" "$4")
  import -window "$id" "$workdir/$3.png" 2>/dev/null || fail "no picture of the reference box"
  xdotool key --window "$id" Return
  wait_process_end "$reference_box_pid" 30 || stop "$reference_box_pid"
  wait "$reference_box_pid" 2>/dev/null
  reference_box_pid=
}

same_picture() { compare -metric AE "$1" "$2" null: >/dev/null 2>&1; }

expect_box_text() { # TITLE TEXT
  wait_window "$1"
  local box=$window_id
  # A button under the pointer is drawn lit.
  xdotool mousemove 1023 767
  import -window "$box" "$workdir/box.png" 2>/dev/null || fail "no picture of the \"$1\" box"
  reference_box_picture "$1" "$2" expected "$box"
  reference_box_picture "$1" "${2/./!}" unexpected "$box"
  same_picture "$workdir/box.png" "$workdir/expected.png" ||
    fail "the \"$1\" box does not say \"$2\""
  same_picture "$workdir/expected.png" "$workdir/unexpected.png" &&
    fail "boxes with different texts look the same: the text cannot be checked"
  window_id=$box
}

box_titles=(Error ERROR CHYBA "Okenni mod?")

any_box_shown() {
  local title
  for title in "${box_titles[@]}"; do
    viewable_window "$title" >/dev/null && return 0
  done
  return 1
}

ended_or_box_shown() { ! app_running || any_box_shown; }

# Waits for the program to end with STATUS, failing as soon as any of its
# boxes appears or it writes a message to standard error.
expect_silent_exit() { # STATUS
  local title
  wait_for 60 ended_or_box_shown || fail "the program did not end"
  for title in "${box_titles[@]}"; do
    viewable_window "$title" >/dev/null && fail "a box titled \"$title\" appeared"
  done
  expect_status "$1"
  if grep -qE '^(Error|ERROR|CHYBA|Okenni mod\?): ' "$workdir/app.err"; then
    fail "the program wrote a message to standard error"
  fi
}

# The program runs in a folder of its own, beside copies of its textures
# that a scenario may spoil.
use_texture_copies() {
  appdir=$workdir/textures
  mkdir "$appdir" && cp "$(dirname "$program")"/tex[123].bmp "$appdir"/ ||
    fail "could not copy the textures"
}

case "$scenario" in
windowed-escape)
  start_display
  start_windowed
  expect_frame_drawn
  press_escape
  # The status is the wParam of the last message taken: Escape's key code.
  expect_status 27
  ;;
windowed-close)
  start_display
  start_windowed
  close_window
  ;;
fallback-yes)
  start_display
  start_app
  answer_box "Cela obrazovka?" Return
  answer_box "Okenni mod?" Return
  expect_windowed_window
  close_window
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
  start_fullscreen
  expect_frame_drawn
  end_with_escape
  expect_mode_restored
  ;;
toggle)
  start_display
  add_640x480_mode
  start_windowed
  press_closing_key F1
  expect_fullscreen_window
  f1_to_windowed
  close_window
  ;;
stalled-f1)
  # A frame pass that takes long, as on a busy machine, must not lose a key
  # press: here the program is stopped for two seconds while F1 goes down,
  # and then takes every queued message before its next frame pass. The
  # harness holds the key until the program has acted on it.
  start_display
  add_640x480_mode
  start_windowed
  expect_frame_drawn
  activate_window "$window_id"
  kill -STOP "$app_pid"
  hold_key F1 60 window_gone "$window_id" &
  press_pid=$!
  sleep 2 # the stall itself, not a wait for anything
  kill -CONT "$app_pid"
  wait "$press_pid" || fail "F1 was lost while the program was stalled"
  expect_fullscreen_window
  f1_to_windowed
  close_window
  ;;
sigterm)
  # SIGTERM closes the program like the close button, and the display mode
  # comes back.
  start_display
  add_640x480_mode
  start_fullscreen
  kill -TERM "$app_pid"
  expect_status 0
  expect_mode_restored
  ;;
alt-f4)
  start_display
  start_windowed
  press_closing_key alt+F4
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
  expect_mode_restored
  ;;
no-display)
  # Without a display every message goes to standard error and start-up
  # fails; the question nobody saw is taken as No, so no display mode is
  # tried.
  start_app
  expect_status 1
  for text in "Cela obrazovka?: Prejete si celoobrazovkovy rezim?" \
    "CHYBA: Chyba pri vytvareni okna."; do
    grep -qF "$text" "$workdir/app.err" || fail "standard error lacks \"$text\""
  done
  grep -qF "Okenni mod?" "$workdir/app.err" && fail "the fall-back question was asked"
  ;;
textured-scene)
  # The first picture matches quellor-snapshot's frame in its still part and
  # shows every texture; a second one a second later differs only where the
  # cubes move.
  need_scene_reference
  start_display
  start_windowed
  expect_frame_drawn
  screenshot first
  expect_scene_picture first
  wait_for 60 cubes_moved_since first second ||
    fail "only $(changed_pixels "$workdir/first.png" "$workdir/second.png" moving) pixels changed where the cubes move"
  changed=$(changed_pixels "$workdir/first.png" "$workdir/second.png" still)
  [ "$changed" -le 50 ] || fail "$changed pixels changed in the still part"
  end_with_escape
  ;;
space-follows)
  # After space the camera follows the wandering cube: the crate stays in the
  # middle of the picture while the still part turns away from the reference
  # and keeps moving; space again brings back the view of the floor's centre.
  need_scene_reference
  start_display
  start_windowed
  expect_frame_drawn
  screenshot centre
  expect_scene_picture centre
  activate_window "$window_id"
  hold_key space 60 view_turned || fail "space did not turn the view to the cube"
  screenshot following1
  wait_for 60 view_moved_since following1 following2 ||
    fail "the view does not follow the cube ($(changed_pixels "$workdir/following1.png" "$workdir/following2.png" still) pixels)"
  still=$(still_pixels)
  for picture in following1 following2; do
    wood_share=$(colour_share "$workdir/$picture.png" $middle_region "$wood")
    at_least "$wood_share" 0.10 || fail "$picture: no crate in the middle (share $wood_share)"
  done
  # One of the two may by chance be taken while the cube passes the floor's
  # centre, not both: the view moved between them.
  turned1=$(changed_pixels "$workdir/following1.png" "$reference" still)
  turned2=$(changed_pixels "$workdir/following2.png" "$reference" still)
  [ "$turned1" -ge $((still / 20)) ] || [ "$turned2" -ge $((still / 20)) ] ||
    fail "the view did not turn: $turned1 and $turned2 pixels of $still differ"
  hold_key space 60 view_at_centre || fail "space again did not bring back the view of the centre"
  screenshot back
  expect_scene_picture back
  end_with_escape
  ;;
toggle-textured)
  # Each new window loads the textures again. Without a 640x480 mode F1 asks
  # the fall-back question and, answered Yes, opens a new window; with the
  # mode (added before a second start: the backend reads the display's modes
  # once), F1 goes fullscreen. Escape restores the display mode.
  need_scene_reference
  start_display
  start_windowed
  expect_frame_drawn
  first_window=$window_id
  press_closing_key F1
  answer_box "Okenni mod?" Return
  wait_for 60 other_viewable_window Quellor "$first_window" || fail "no new window after F1"
  window_id=$(other_viewable_window Quellor "$first_window")
  wait_for 60 windowed_ok || fail "the new window is $(client_geometry "$window_id")"
  expect_frame_drawn
  screenshot recreated
  expect_scene_picture recreated
  end_with_escape
  add_640x480_mode
  start_windowed
  expect_frame_drawn
  press_closing_key F1
  expect_fullscreen_window
  expect_frame_drawn
  screenshot fullscreen
  expect_scene_picture fullscreen
  end_with_escape
  expect_mode_restored
  ;;
missing-tex2)
  # A texture file that cannot be opened ends start-up silently.
  start_display
  use_texture_copies
  rm "$appdir/tex2.bmp"
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_silent_exit 1
  ;;
bad-tex3)
  use_texture_copies
  echo "This is not a bitmap." >"$appdir/tex3.bmp"
  start_display
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_box_text Error "Unknown DIB file format."
  answer_box Error Return
  expect_status 1
  ;;
empty-tex1)
  # A file that can be opened but not mapped: the loader's open-failure text
  # names it.
  use_texture_copies
  : >"$appdir/tex1.bmp"
  start_display
  start_app
  answer_box "Cela obrazovka?" Escape
  expect_box_text Error $'Failed to open DIB file tex1.bmp.\n'
  answer_box Error Return
  expect_status 1
  ;;
scene-reference)
  make_scene_reference
  ;;
backend)
  start_display
  add_640x480_mode
  "$program" || fail "backend tests failed"
  ;;
conformance)
  tool=$(missing_tool Xvfb openbox xrandr xdpyinfo) && skip "no $tool"
  start_display
  add_640x480_mode
  "$program" || fail "conformance tests failed"
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
  wait_for 60 screen_is 640x480 || fail "F1 did not switch the display"
  switched=$(now_ms)
  wait_window Quellor
  expect_frame_drawn
  drawn=$(now_ms)
  xdotool keyup F1
  echo "F1 to display switched: $((switched - pressed)) ms, to first fullscreen frame: $((drawn - pressed)) ms"
  close_window
  ;;
*)
  fail "unknown scenario"
  ;;
esac
echo "PASS [$scenario]"
