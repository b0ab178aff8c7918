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
if [ ! -f "$windows_tool" ]; then
  echo "SKIP [$scenario]: no Windows build of quellor-texcheck ($windows_tool)"
  exit 77
fi
windows_tool=$(realpath "$windows_tool")
linux_tool=$(realpath "$linux_tool")
differences_file=$(realpath "$differences_file")

# shellcheck source=wine-session.sh
source "$(dirname "$0")/wine-session.sh"
[ -x "$linux_tool" ] || fail "no Linux quellor-texcheck at $linux_tool"

samples=$workdir/samples
bash "$(dirname "$0")/make-loader-samples.sh" "$samples" || fail "the sample files could not be made"

# The listed differences: "NAME  REASON" per line, # starts a comment.
declare -A explained=()
while read -r name reason; do
  [ -z "$name" ] || [[ "$name" == \#* ]] && continue
  explained[$name]=$reason
done <"$differences_file"

start_wine_session

identical=0
expected=0
problems=0
results=$workdir/results
mkdir -p "$results"

# shellcheck source=../support/tool-runs.sh
source "$(dirname "$0")/../support/tool-runs.sh"

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
  if same_result; then
    if [ -n "${explained[$label]+listed}" ]; then
      echo "STALE   $label: listed as a difference, but both builds agree"
      problems=$((problems + 1))
    else
      identical=$((identical + 1))
    fi
  elif [ -n "${explained[$label]+listed}" ]; then
    echo "KNOWN   $label: ${explained[$label]}"
    describe_difference
    expected=$((expected + 1))
  else
    echo "DIFFERS $label"
    describe_difference
    problems=$((problems + 1))
  fi
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

total=$((identical + expected + problems))
echo "$total files: $identical identical, $expected explained differences, $problems problems"
[ $total -gt 0 ] || fail "no files were compared"
[ $problems -eq 0 ] || fail "$problems unexplained or stale results"
echo "PASS [$scenario]"
