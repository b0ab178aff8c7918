#!/usr/bin/env bash
# Holds the bitmap loader built for node (WebAssembly, the page's platform)
# against the native build: for every file, both builds of quellor-texcheck
# must print the same text, end with the same status and write byte-identical
# pictures. There is no list of allowed differences.
#
#   compare-loaders.sh NATIVE_TEXCHECK SOURCE_DIR
#
# The files: every file under tests/data/bmpsuite and fuzz/regressions, the
# samples that tests/platform/wine/make-loader-samples.sh writes, a name that does not
# exist, an empty file, a named pipe without a writer (refused at once, never
# waited on: each run has a deadline) and pictures at the head of sparse files
# of more than 4 GiB. The node tool is $QUELLOR_WEB_TOOLS_DIR/
# quellor-texcheck.js (default build/emscripten/tools of SOURCE_DIR). Each
# tool runs in the file's folder and is given the file's bare name, so that a
# message naming the file names it alike in both. Set QUELLOR_KEEP_RESULTS=1
# to keep the work folder (its path is printed).
set -uo pipefail

native_tool=${1:?native quellor-texcheck}
source_dir=${2:?source folder}
source_dir=$(realpath "$source_dir")
node_tool=${QUELLOR_WEB_TOOLS_DIR:-$source_dir/build/emscripten/tools}/quellor-texcheck.js

fail() {
  echo "FAIL: $*"
  exit 1
}
[ -x "$native_tool" ] || fail "no native quellor-texcheck at $native_tool"
[ -f "$node_tool" ] || fail "no node quellor-texcheck at $node_tool"
native_tool=$(realpath "$native_tool")
node_tool=$(realpath "$node_tool")

workdir=$(mktemp -d "${TMPDIR:-/tmp}/quellor-web-loader.XXXXXX")
if [ "${QUELLOR_KEEP_RESULTS:-0}" = 1 ]; then
  echo "results kept in $workdir"
else
  trap 'rm -rf "$workdir"' EXIT
fi
results=$workdir/results
extra=$workdir/extra
mkdir -p "$results" "$extra"

samples=$workdir/samples
bash "$source_dir/tests/platform/wine/make-loader-samples.sh" "$samples" ||
  fail "the sample files could not be made"
: >"$extra/empty-file.bmp"
mkfifo "$extra/named-pipe.bmp" || fail "no named pipe could be made"
for name in rgb24.bmp pal8rle.bmp; do
  cp "$source_dir/tests/data/bmpsuite/g/$name" "$extra/sparse-$name" &&
    truncate -s 4294979641 "$extra/sparse-$name" || fail "no sparse file could be made"
done

# shellcheck source=../../../support/tool-runs.sh
source "$(dirname "$0")/../../../support/tool-runs.sh"

# Both must agree, and both must have run the loader: status 0 or 1, never
# the usage status or a crash of either.
same_result() {
  local status
  status=$(cat "$results/native.status")
  [ "$status" = 0 ] || [ "$status" = 1 ] || return 1
  cmp -s "$results/native.status" "$results/node.status" &&
    cmp -s "$results/native.txt" "$results/node.txt" || return 1
  if [ -f "$results/native.ppm" ] || [ -f "$results/node.ppm" ]; then
    cmp -s "$results/native.ppm" "$results/node.ppm" || return 1
  fi
  # A file that loads gives a picture; one that is refused gives none.
  if [ "$status" = 0 ]; then [ -s "$results/native.ppm" ]; else [ ! -f "$results/native.ppm" ]; fi
}

describe_difference() {
  local side
  for side in native node; do
    printf '    %-6s (status %s): %s\n' "$side" "$(cat "$results/$side.status")" \
      "$(head -c 200 "$results/$side.txt")"
    if [ -s "$results/$side.err" ]; then
      printf '    %-6s stderr: %s\n' "$side" "$(head -c 200 "$results/$side.err")"
    fi
  done
  if [ -f "$results/native.ppm" ] && [ -f "$results/node.ppm" ]; then
    echo "    pictures: $(cmp "$results/native.ppm" "$results/node.ppm" 2>&1 | head -1)"
  else
    echo "    pictures: native $([ -f "$results/native.ppm" ] && echo written || echo none)," \
      "node $([ -f "$results/node.ppm" ] && echo written || echo none)"
  fi
}

identical=0
loaded=0
problems=0
check_file() { # FOLDER NAME LABEL
  local folder=$1 name=$2 label=$3
  run_tool native "$folder" "$name" timeout 60 "$native_tool"
  run_tool node "$folder" "$name" timeout 60 node "$node_tool"
  if same_result; then
    identical=$((identical + 1))
    if [ "$(cat "$results/native.status")" = 0 ]; then loaded=$((loaded + 1)); fi
  else
    echo "DIFFERS $label"
    describe_difference
    problems=$((problems + 1))
  fi
}

start=$SECONDS
for dir in "$source_dir/tests/data/bmpsuite" "$source_dir/fuzz/regressions" "$samples"; do
  [ -d "$dir" ] || fail "no folder $dir"
  count=0
  base=$(basename "$dir")
  while IFS= read -r path; do
    check_file "$(dirname "$path")" "$(basename "$path")" "$base/${path#"$dir"/}"
    count=$((count + 1))
  done < <(find "$dir" -type f | sort)
  [ $count -gt 0 ] || fail "no files in $dir"
done
check_file "$extra" no-such-file.bmp "a name that does not exist"
check_file "$extra" empty-file.bmp "an empty file"
check_file "$extra" named-pipe.bmp "a named pipe"
check_file "$extra" sparse-rgb24.bmp "a 24-bit picture at the head of a sparse file of 4 GiB"
check_file "$extra" sparse-pal8rle.bmp "a run-length picture at the head of a sparse file of 4 GiB"

total=$((identical + problems))
echo "$total files in $((SECONDS - start)) s: $identical identical ($loaded loaded, $((identical - loaded)) refused), $problems differ"
[ $problems -eq 0 ] || fail "$problems files differ between the native and the node loader"
echo "PASS: $identical files identical"
