#!/usr/bin/env bash
# Runs quellor-snapshot as a user would and checks its exit status, messages
# and files. Usage: snapshot-tool-test.sh CASE TOOL TEXTURE_DIR
set -uo pipefail

case_name=$1
tool=$2
textures=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run EXPECTED_STATUS ARGS...: runs the tool, keeping its output in out.txt and
# err.txt.
run() {
  local expected=$1
  shift
  "$tool" "$@" >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq "$expected" ] ||
    fail "'$*' exited $status, expected $expected; stderr: $(cat err.txt)"
}

mentions() {
  grep -q -- "$2" "$1" || fail "$1 does not mention '$2': $(cat "$1")"
}

# png_size FILE: the width and height from the PNG header, e.g. "640 480".
png_size() {
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$1 is no PNG"
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

case $case_name in
help)
  run 0 --help
  mentions out.txt "Usage: quellor-snapshot --out FILE.png"
  for option in --frames --space-at --every --textures; do mentions out.txt "$option"; done
  ;;
bad-options)
  run 2
  mentions err.txt "--out FILE.png is required"
  mentions err.txt "--help"
  run 2 --out a.png --frames 0
  mentions err.txt "'0'"
  run 2 --out a.png --colour red
  mentions err.txt "unknown option '--colour'"
  [ -z "$(ls)" ] || [ "$(ls)" = "$(printf 'err.txt\nout.txt')" ] || fail "files written: $(ls)"
  ;;
missing-textures)
  run 1 --out a.png --textures "$scratch/nowhere"
  mentions err.txt "cannot read textures from $scratch/nowhere"
  mkdir empty
  run 1 --out a.png --textures empty
  mentions err.txt "cannot set up the scene"
  mentions err.txt "empty"
  [ ! -e a.png ] && [ ! -e empty/a.png ] || fail "a picture was written without textures"
  ;;
every)
  # A relative --out stays relative to where the tool was started.
  mkdir shots
  run 0 --out shots/run.png --frames 5 --every 2 --space-at 3 --textures "$textures"
  [ "$(ls shots)" = "$(printf 'run-00002.png\nrun-00004.png')" ] || fail "files: $(ls shots)"
  [ "$(png_size shots/run-00002.png)" = "640 480" ] || fail "size $(png_size shots/run-00002.png)"
  cmp -s shots/run-00002.png shots/run-00004.png && fail "frames 2 and 4 are the same picture"
  # The working directory is where the textures are read by default.
  (cd "$textures" && "$tool" --out "$scratch/last.png" --frames 2) || fail "default texture directory"
  [ "$(png_size last.png)" = "640 480" ] || fail "last.png"
  ;;
thread-count)
  # llvmpipe splits the frame among its threads; the picture must not depend
  # on how many there are.
  LP_NUM_THREADS=1 run 0 --out one.png --frames 300 --space-at 20 --textures "$textures"
  LP_NUM_THREADS=3 run 0 --out three.png --frames 300 --space-at 20 --textures "$textures"
  cmp one.png three.png || fail "pictures rendered with 1 and 3 threads differ"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
