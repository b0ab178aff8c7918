# shellcheck shell=bash
# Shared by the Wine checks (sourced, not run): a private Xvfb display with
# openbox, a fresh Wine prefix for that display, and the clean-up of both.
# Every process started here is stopped on exit, and no Wine process keeps
# the caller's standard output or error open.
#
# The caller sets `scenario` (for messages) and may set `virtual_desktop` to
# WIDTHxHEIGHT before calling start_wine_session.

workdir=$(mktemp -d /tmp/quellor-wine.XXXXXX)
xvfb_pid=
openbox_pid=
unset DISPLAY WAYLAND_DISPLAY WINELOADER
# shellcheck source=../../support/x11-display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../support/x11-display.sh"
# Wine starts its windows more slowly than the SDL program.
window_timeout=90
export WINEPREFIX=$workdir/prefix
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs during wineboot.
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  if [ -d "$WINEPREFIX" ]; then
    stop_wine_server
  fi
  stop_all "$app_pid" "$openbox_pid" "$xvfb_pid"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL [$scenario]: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    echo "--- windows on $DISPLAY" >&2
    xwininfo -root -tree 2>/dev/null | grep '^ *0x' | grep -v '(has no name)' >&2
  fi
  for f in "$workdir"/*.log "$workdir"/*.out "$workdir"/*.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; tail -20 "$f" >&2; }
  done
  exit 1
}

# Settings for the prefix: a crashing program ends at once instead of waiting
# on a debugger dialog, and optionally every program runs inside one virtual
# desktop, where display-mode changes really resize the desktop.
write_registry_file() {
  {
    echo "REGEDIT4"
    echo
    echo "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]"
    echo "\"Debugger\"=\"\""
    echo "\"Auto\"=\"0\""
    if [ -n "${virtual_desktop:-}" ]; then
      echo
      echo "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]"
      echo "\"Desktop\"=\"Default\""
      echo
      echo "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]"
      echo "\"Default\"=\"$virtual_desktop\""
    fi
  } >"$workdir/settings.reg"
}

# A fresh prefix for this display. Every Wine process gets its output sent to
# a file, so that the helper processes it leaves behind hold no pipe of the
# caller's.
start_wine_session() {
  local tool
  tool=$(missing_tool Xvfb openbox wmctrl xdotool xwininfo xdpyinfo wine wineserver convert \
    compare) && fail "$tool is not installed (scripts/setup installs it)"
  # Window closing and focus go through a window manager, as on a desktop; it
  # also spares Wine its slow unmanaged window tear-down.
  start_display
  # Once, in a run on a busy machine, a fresh prefix failed at once ("could
  # not load kernel32.dll"): its server is stopped, and the prefix made once
  # more from nothing, the first attempt's log kept.
  if ! boot_prefix; then
    mv "$workdir/wineboot.log" "$workdir/wineboot-first.log"
    stop_wine_server
    rm -rf "$WINEPREFIX"
    boot_prefix || fail "wineboot -i failed"
  fi
  write_registry_file
  timeout "$(scaled_seconds 60)" wine reg import "$(winepath_of "$workdir/settings.reg")" \
    </dev/null >"$workdir/registry.log" 2>&1 || fail "the prefix settings could not be written"
  # The desktop process that wineboot started read the old settings: stop
  # the whole session (the registry is saved) and start a persistent server.
  stop_wine_server
  wineserver -p </dev/null >/dev/null 2>&1
}

# Ends the prefix's server and every Wine process in it, and waits until
# they are gone.
stop_wine_server() {
  timeout "$(scaled_seconds 60)" wineserver -k >/dev/null 2>&1
  timeout "$(scaled_seconds 60)" wineserver -w >/dev/null 2>&1
}

boot_prefix() {
  timeout "$(scaled_seconds 180)" wine wineboot -i </dev/null >"$workdir/wineboot.log" 2>&1
}

winepath_of() { echo "Z:${1//\//\\}"; }

# Starts a Windows program in FOLDER with its output captured in the work
# folder.
start_windows_program() { # FOLDER PROGRAM ARGUMENT...
  local folder=$1
  shift
  start_app_in "$folder" wine "$@"
}

# The X window of Wine's virtual desktop, when there is one.
desktop_window() { xwininfo -root -tree 2>/dev/null | awk '/Wine desktop/ {print $1; exit}'; }

# Brings a window to the front as a click would. Inside a virtual desktop the
# program's windows are children of the desktop's X window, which is the one
# the window manager activates.
activate_window() {
  local target=$1
  [ -n "${virtual_desktop:-}" ] && target=$(desktop_window)
  timeout "$(scaled_seconds 60)" xdotool windowactivate --sync "$target" >/dev/null 2>&1
}

# Message boxes are answered with answer_box (x11-display.sh): Wine's boxes
# take y, n and Return, once they have the focus.
box_key() {
  activate_window "$1"
  xdotool key --window "$1" "$2" 2>/dev/null
}

client_size() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# Keys go through the X server's input (XTEST) to the focused window and are
# held until the program has acted on them (hold_key, x11-display.sh): both
# halves go the same way, since a release sent to a window that the program
# has meanwhile destroyed would leave the key held down.
# Escape ends the program, F1 recreates its window: each takes the window down
# first.
press_closing_key() { # WINDOW KEY
  activate_window "$1"
  hold_key "$2" 60 window_gone "$1" || fail "$2 did not take the window down"
}
