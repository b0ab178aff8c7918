#!/usr/bin/env bash
# End-to-end checks of the Windows program under Wine. Each scenario gets its
# own Xvfb display, openbox and Wine prefix, starts quellor.exe beside its
# textures, drives it as a user would and checks the windows, the screen and
# the exit status.
#
#   run-wine-tests.sh SCENARIO WINDOWS_BIN_DIR [LINUX_SNAPSHOT_TOOL]
#
# Scenarios: windowed-escape  windowed-close  fallback-yes  fallback-no
#            fullscreen  toggle  missing-texture  bad-texture  same-pixels
#            zip-package
# The scenario is skipped (status 77) when WINDOWS_BIN_DIR holds no
# quellor.exe, that is when the Windows build was not configured.
set -uo pipefail

scenario=${1:?scenario}
windows_bin=${2:?folder of quellor.exe}
snapshot_tool=${3:+$(realpath "$3")}
if [ ! -f "$windows_bin/quellor.exe" ]; then
  echo "SKIP [$scenario]: no Windows build in $windows_bin (cmake --preset mingw)"
  exit 77
fi
windows_bin=$(realpath "$windows_bin")
virtual_desktop=
case "$scenario" in fullscreen | toggle) virtual_desktop=1024x768 ;; esac

# shellcheck source=wine-session.sh
source "$(dirname "$0")/wine-session.sh"

# The program runs in a folder of its own holding the three textures, so that
# scenarios can remove or spoil one.
game_dir=$workdir/game
mkdir -p "$game_dir"
cp "$windows_bin/quellor.exe" "$windows_bin"/tex[123].bmp "$game_dir/" ||
  fail "quellor.exe or its textures are missing in $windows_bin"

start_quellor() { start_windows_program "$game_dir" quellor.exe; }

# Number of distinct colours in a picture.
colour_count() { convert "$1" -format '%k' info:; }

size_is() { [ "$(client_size "$1")" = "$2" ]; }

# Where a window's client area lies on the screen, as X,Y.
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    END {print x "," y}'
}

# Screenshot of a window's client area.
grab_window() { import -window "$1" "$2" 2>/dev/null; }

# Whether a new screenshot of the window, as PICTURE, shows a textured, lit
# picture (many colours): the program is drawing its scene.
scene_shown() { grab_window "$1" "$2" && [ "$(colour_count "$2")" -ge 500 ]; } # WINDOW PICTURE

pixels_changed() { compare -metric AE "$1" "$2" null: 2>&1; }

# Whether a new screenshot of the window, as PICTURE, differs from BEFORE in
# more than 50 pixels: the scene moved.
scene_moved() { # WINDOW BEFORE PICTURE
  grab_window "$1" "$3" || return 1
  local moved
  moved=$(pixels_changed "$2" "$3")
  [ "${moved%% *}" -gt 50 ] 2>/dev/null
}

# The windowed scene: a 640x480 client area titled "Quellor" that shows a
# textured, lit picture (many colours) which moves from one moment to the next.
# frame2.png is then a picture of it that is not its first frame.
expect_windowed_scene() {
  wait_window Quellor
  wait_for 60 size_is "$window_id" 640x480 ||
    fail "client area is $(client_size "$window_id"), expected 640x480"
  [ "$(screen_size)" = 1024x768 ] || fail "screen is $(screen_size) in windowed mode"
  # The window is placed at the screen's corner, so only its frame (drawn by
  # the window manager, a few pixels wide and one title bar high) lies
  # between the corner and the client area.
  local origin
  origin=$(client_origin "$window_id")
  [ "${origin%,*}" -lt 16 ] && [ "${origin#*,}" -lt 40 ] ||
    fail "the client area starts at $origin: the window is not at the top-left corner"
  wait_for 60 scene_shown "$window_id" "$workdir/frame1.png" ||
    fail "the window shows only $(colour_count "$workdir/frame1.png") colours: no textured scene"
  wait_for 60 scene_moved "$window_id" "$workdir/frame1.png" "$workdir/frame2.png" ||
    fail "the scene does not move ($(pixels_changed "$workdir/frame1.png" "$workdir/frame2.png") pixels changed)"
  if [ -n "${QUELLOR_WINE_SCREENSHOTS:-}" ]; then
    cp "$workdir/frame2.png" "$QUELLOR_WINE_SCREENSHOTS/$scenario.png"
  fi
}

# Starts the program and answers its question No: the windowed scene.
start_windowed_scene() {
  start_quellor
  answer_box "Cela obrazovka?" n
  expect_windowed_scene
}

# Escape ends the program with its key code as the status, as on Linux (the
# wParam of the last message taken).
end_with_escape() {
  press_closing_key "$window_id" Escape
  expect_status 27
}

# The window manager's close button: the program ends with status 0.
close_window() {
  wmctrl -c Quellor || fail "the window could not be closed"
  expect_status 0
}

case "$scenario" in
windowed-escape)
  start_wine_session
  start_windowed_scene
  end_with_escape
  ;;
windowed-close)
  start_wine_session
  start_windowed_scene
  close_window
  ;;
fallback-yes)
  # Plain Xvfb offers no 640x480x16 mode, so the switch is refused.
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" y
  answer_box "Okenni mod?" y
  expect_windowed_scene
  end_with_escape
  ;;
fallback-no)
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" y
  answer_box "Okenni mod?" n
  answer_box CHYBA Return
  expect_status 1
  ;;
fullscreen)
  # Inside Wine's virtual desktop the mode change really resizes the desktop.
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" y
  wait_window Quellor
  desktop=$(desktop_window)
  [ -n "$desktop" ] || fail "no Wine virtual desktop window"
  wait_for 60 size_is "$desktop" 640x480 ||
    fail "the virtual desktop is $(client_size "$desktop"), expected 640x480"
  wait_for 60 scene_shown "$desktop" "$workdir/fullscreen.png" ||
    fail "the desktop shows only $(colour_count "$workdir/fullscreen.png") colours: no scene"
  if [ -n "${QUELLOR_WINE_SCREENSHOTS:-}" ]; then
    cp "$workdir/fullscreen.png" "$QUELLOR_WINE_SCREENSHOTS/$scenario.png"
  fi
  end_with_escape
  wait_for 60 size_is "$desktop" "$virtual_desktop" ||
    fail "the desktop stayed $(client_size "$desktop") after the end, expected $virtual_desktop"
  ;;
toggle)
  # F1 recreates the window in the other mode, textures and all, each time.
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" n
  wait_window Quellor
  desktop=$(desktop_window)
  [ -n "$desktop" ] || fail "no Wine virtual desktop window"
  [ "$(client_size "$desktop")" = "$virtual_desktop" ] || fail "windowed start changed the desktop"
  # Inside the desktop the window's X window includes the frame Wine draws.
  windowed_size=$(client_size "$window_id")
  press_closing_key "$window_id" F1
  wait_for 60 size_is "$desktop" 640x480 || fail "F1 did not switch to 640x480"
  wait_window Quellor
  wait_for 60 scene_shown "$desktop" "$workdir/toggled.png" || fail "no scene after F1"
  press_closing_key "$window_id" F1
  wait_for 60 size_is "$desktop" "$virtual_desktop" || fail "F1 did not restore the desktop"
  wait_window Quellor
  wait_for 60 size_is "$window_id" "$windowed_size" ||
    fail "the window is $(client_size "$window_id") after F1, at start $windowed_size"
  end_with_escape
  ;;
missing-texture)
  # A texture that cannot be opened ends start-up silently with status 1: a
  # message box would hold the program until someone answered it.
  rm "$game_dir/tex2.bmp"
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" n
  expect_status 1
  ;;
bad-texture)
  # A file that is not a bitmap: the loader's message, then status 1.
  echo "not a bitmap at all" >"$game_dir/tex3.bmp"
  start_wine_session
  start_quellor
  answer_box "Cela obrazovka?" n
  answer_box Error Return
  expect_status 1
  ;;
same-pixels)
  # A frame on screen under Wine and the same scene rendered on Linux (both
  # with Mesa's llvmpipe) agree everywhere but where the moving cubes are. The
  # Linux frame is a later one: the first frame of a context lights the floor
  # with OpenGL's initial normal, every later one with the cubes' last.
  [ -x "$snapshot_tool" ] || fail "no Linux snapshot tool given"
  start_wine_session
  start_windowed_scene
  (cd "$game_dir" && "$snapshot_tool" --frames 100 --out "$workdir/linux.png") \
    >"$workdir/snapshot.log" 2>&1 || fail "the Linux snapshot failed"
  convert "$workdir/frame2.png" -alpha off "$workdir/wine.png"
  convert "$workdir/linux.png" -alpha off "$workdir/linux-rgb.png"
  differing=$(compare -metric AE -fuzz 6% "$workdir/wine.png" "$workdir/linux-rgb.png" null: 2>&1)
  differing=${differing%% *}
  echo "pixels differing by more than 6%: $differing of 307200"
  if [ -n "${QUELLOR_WINE_SCREENSHOTS:-}" ]; then
    cp "$workdir/linux-rgb.png" "$QUELLOR_WINE_SCREENSHOTS/$scenario-linux.png"
  fi
  [[ "$differing" =~ ^[0-9]+$ ]] || fail "the pictures could not be compared: $differing"
  # The two cubes, drawn at two different moments, cover at most 8% of the
  # picture; a change in lighting, texturing or projection moves far more.
  [ "$differing" -le 24576 ] || fail "$differing pixels differ between the Wine and Linux frames"
  end_with_escape
  ;;
zip-package)
  # The Windows package, unpacked as a user would, runs as the build does.
  cpack -G ZIP -B "$workdir/package" --config "$windows_bin/../CPackConfig.cmake" \
    >"$workdir/cpack.log" 2>&1 || fail "cpack could not make the archive"
  unzip -q "$workdir"/package/*.zip -d "$workdir/unzipped" || fail "the archive does not unpack"
  game_dir=$(dirname "$(find "$workdir/unzipped" -name quellor.exe)")
  start_wine_session
  start_windowed_scene
  close_window
  ;;
*)
  fail "unknown scenario"
  ;;
esac
echo "PASS [$scenario]"
