#!/usr/bin/env bash
# Renders one frame of the scene with Mesa's fixed-function pipeline
# (quellor-snapshot) and through quellor_fixedgl (quellor-fixedgl-frames), and
# compares the two pictures, which stay in OUT_DIR for a look.
# Usage: compare-frames.sh NAME OUT_DIR TEXTURE_DIR SNAPSHOT FRAMES DIFF
#                          CHANNEL_STEP MIN_FRACTION MAX_MEAN -- SNAPSHOT_OPTIONS...
set -euo pipefail
name=$1 out=$2 textures=$3 snapshot=$4 frames=$5 diff=$6 step=$7 fraction=$8 mean=$9
shift 10

mkdir -p "$out"
"$snapshot" --out "$out/mesa-$name.png" --textures "$textures" "$@"
"$frames" --out "$out/fixedgl-$name.png" --textures "$textures" "$@"
"$diff" "$out/mesa-$name.png" "$out/fixedgl-$name.png" "$step" "$fraction" "$mean"
