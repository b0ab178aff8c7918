#!/usr/bin/env bash
# Holds the Linux loader (our own DIB conversion) against the Windows build of
# the same loader running on GDI under Wine: for every bitmap file, both builds
# of quellor-texcheck must print the same text, end with the same status and
# write byte-identical pictures. A file on which they differ must be listed,
# with the reason, in the differences file; a listed file on which they agree
# is an error too, so the list stays true.
#
#   compare-loaders.sh WINDOWS_TEXCHECK LINUX_TEXCHECK DIFFERENCES_FILE DIR...
#
# Skipped (status 77) when the Windows tool was not built.
set -uo pipefail

scenario=compare-loaders
windows_tool=${1:?Windows quellor-texcheck.exe}
linux_tool=${2:?Linux quellor-texcheck}
differences_file=${3:?differences file}
shift 3
# shellcheck source=differences.sh
source "$(dirname "$0")/differences.sh"
need_windows_build "$windows_tool" quellor-texcheck
windows_tool=$(realpath "$windows_tool")
linux_tool=$(realpath "$linux_tool")

# shellcheck source=wine-session.sh
source "$(dirname "$0")/wine-session.sh"
[ -x "$linux_tool" ] || fail "no Linux quellor-texcheck at $linux_tool"

samples=$workdir/samples
bash "$(dirname "$0")/make-loader-samples.sh" "$samples" || fail "the sample files could not be made"

read_differences "$differences_file"
start_wine_session

results=$workdir/results
mkdir -p "$results"

# shellcheck source=../../support/tool-runs.sh
source "$(dirname "$0")/../../support/tool-runs.sh"

same_result() {
  cmp -s "$results/linux.status" "$results/windows.status" &&
    cmp -s "$results/linux.txt" "$results/windows.txt" || return 1
  if [ -f "$results/linux.ppm" ] || [ -f "$results/windows.ppm" ]; then
    cmp -s "$results/linux.ppm" "$results/windows.ppm" || return 1
  fi
}

describe_difference() {
  echo "    Linux   (status $(cat "$results/linux.status")): $(head -c 200 "$results/linux.txt")"
  echo "    Windows (status $(cat "$results/windows.status")): $(head -c 200 "$results/windows.txt")"
  if [ -f "$results/linux.ppm" ] && [ -f "$results/windows.ppm" ]; then
    echo "    pictures: $(cmp "$results/linux.ppm" "$results/windows.ppm" 2>&1 | head -1)"
  fi
}

check_file() { # FOLDER NAME LABEL
  local folder=$1 name=$2 label=$3
  run_tool linux "$folder" "$name" "$linux_tool"
  run_tool windows "$folder" "$name" timeout "$(scaled_seconds 60)" wine "$windows_tool"
  same_result
  judge "$label" $? describe_difference
}

for dir in "$@" "$samples"; do
  [ -d "$dir" ] || fail "no folder $dir"
  base=$(basename "$dir")
  while IFS= read -r path; do
    check_file "$(dirname "$path")" "$(basename "$path")" "$base/${path#"$dir"/}"
  done < <(find "$dir" -type f -iname '*.bmp' | sort)
done
# A name that does not exist.
check_file "$samples" no-such-file.bmp samples/no-such-file.bmp

finish_comparison files 1
