#!/usr/bin/env bash
# Holds our window system against Windows' as Wine gives it: the window probe
# (tests/platform/wine/probe) runs its scenarios once as a Windows program under Wine
# and once natively on our platform's headless backend, and prints what its
# window procedure gets. Scenario by scenario, the two logs must be the same;
# a scenario on which they differ must be listed, with the reason, in the
# differences file, and a listed scenario on which they agree is an error
# too, so the list stays true.
#
#   compare-windows.sh WINDOWS_PROBE NATIVE_PROBE DIFFERENCES_FILE
#
# Skipped (status 77) when the Windows probe was not built.
set -uo pipefail

scenario=compare-windows
windows_probe=${1:?Windows quellor-window-probe.exe}
native_probe=${2:?native quellor-window-probe}
differences_file=${3:?differences file}
# shellcheck source=differences.sh
source "$(dirname "$0")/differences.sh"
need_windows_build "$windows_probe" "the window probe"
windows_probe=$(realpath "$windows_probe")
native_probe=$(realpath "$native_probe")

# shellcheck source=wine-session.sh
source "$(dirname "$0")/wine-session.sh"
[ -x "$native_probe" ] || fail "no native window probe at $native_probe"
read_differences "$differences_file"

"$native_probe" >"$workdir/native.log" 2>"$workdir/native.err" ||
  fail "the native probe failed (status $?)"

start_wine_session
(cd "$workdir" && timeout 120 wine "$windows_probe" </dev/null >"$workdir/windows.log" 2>"$workdir/wine.err")
status=$?
[ $status -eq 0 ] || fail "the probe under Wine failed (status $status)"
tr -d '\r' <"$workdir/windows.log" >"$workdir/windows.txt"

# The block of one scenario: its lines up to the next scenario.
block() { awk -v name="$2" '/^scenario / {on = ($2 == name); next} on' "$1"; }

mapfile -t scenarios < <(awk '/^scenario / {print $2}' "$workdir/native.log")
mapfile -t wine_scenarios < <(awk '/^scenario / {print $2}' "$workdir/windows.txt")
[ "${scenarios[*]}" = "${wine_scenarios[*]}" ] ||
  fail "the probes ran different scenarios: ${scenarios[*]} / ${wine_scenarios[*]}"

# The two logs' lines for scenario NAME that differ.
describe_difference() { # NAME
  echo "    (< ours, > Wine)"
  diff <(block "$workdir/native.log" "$1") <(block "$workdir/windows.txt" "$1") | sed 's/^/    /'
}

for name in "${scenarios[@]}"; do
  diff -q <(block "$workdir/native.log" "$name") <(block "$workdir/windows.txt" "$name") >/dev/null
  judge "$name" $? describe_difference "$name"
done
finish_comparison scenarios 2
