#!/usr/bin/env bash
# Makes the README's pictures of the scene with quellor-snapshot, from the
# textures the build draws:
#   docs/quellor.png  frame 300, 640x480
#   docs/quellor.gif  every 40th of the first 1,600 frames (a whole round of
#                     both cubes), 320x240, looping
# Builds the snapshot tool and the textures first (the default preset, or the
# build folder given) and needs ImageMagick's convert.
# Usage: tools/readme-pictures/make-readme-pictures.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
if [ $# -gt 0 ]; then
  build=$(realpath "$1")
  [ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
else
  build=$root/build/default
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target quellor-snapshot quellor_textures_files -j2

bin=$build/bin
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

"$bin/quellor-snapshot" --textures "$bin" --frames 300 --out "$root/docs/quellor.png"
"$bin/quellor-snapshot" --textures "$bin" --frames 1600 --every 40 --out "$frames/frame.png"
# 40 frames at a tenth of a second each: about the pace of the program on a
# software renderer.
convert -delay 10 -loop 0 "$frames"/frame-*.png -resize 320x240 -layers Optimize \
  "$root/docs/quellor.gif"
echo "wrote docs/quellor.png ($(du -k docs/quellor.png | cut -f1) KiB)" \
  "and docs/quellor.gif ($(du -k docs/quellor.gif | cut -f1) KiB)"
