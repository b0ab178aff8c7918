# shellcheck shell=bash
# Answering the program's message boxes on the private X display (sourced
# after x11-display.sh, whose wait_for, wait_window and viewable_window it
# uses; the caller defines `fail`).

# Answers a message box: Return presses the first button (Yes/OK), Escape the
# last (No/OK). The key is sent again while the box stays open.
answer_box() {
  local title=$1 key=$2 tries=0
  wait_window "$title"
  while viewable_window "$title" >/dev/null; do
    [ $tries -ge 20 ] && fail "the \"$title\" box does not take $key"
    # shellcheck disable=SC2154 # window_id: set by wait_window
    xdotool key --window "$window_id" "$key"
    tries=$((tries + 1))
    wait_for 1 bash -c "! xwininfo -id $window_id 2>/dev/null | grep -q IsViewable"
  done
}
