#!/usr/bin/env bash
# Renders the scene tests' reference pictures again with quellor-snapshot, one
# for each line of tests/scene/references/pictures.txt. Run it after a wanted
# change of how the scene looks, and look at the pictures before keeping them.
# Usage: tools/quellor-snapshot/update-references.sh [BUILD_DIR]  (default: build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/default}
references=$root/tests/scene/references

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target quellor-snapshot quellor_textures_files -j2

while read -r file options; do
  case $file in '' | '#'*) continue ;; esac
  # shellcheck disable=SC2086 # the options are words
  "$build/bin/quellor-snapshot" --out "$references/$file" --textures "$build/bin" $options
  echo "wrote $references/$file"
done <"$references/pictures.txt"
