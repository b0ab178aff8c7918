#!/usr/bin/env bash
# Times two builds of the SDL program side by side under Xvfb with openbox:
# from answering the start question to the first drawn frame, and from F1 to
# the first frame of the recreated (fullscreen) window. Each program runs in
# turn, RUNS times (default 5), through the desktop harness's timing scenario;
# the medians are printed. Each program is started in its own folder, beside
# its textures.
#
#   compare-desktop-timings.sh BEFORE_PROGRAM AFTER_PROGRAM [RUNS]
set -euo pipefail
before=$(realpath "${1:?before program}")
after=$(realpath "${2:?after program}")
runs=${3:-5}
harness=$(dirname "$(realpath "$0")")/../../tests/platform/sdl/run-desktop-tests.sh
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

for _ in $(seq "$runs"); do
  for which in before after; do
    program=$before
    [ "$which" = after ] && program=$after
    "$harness" timing "$program" >"$results/run.txt" 2>&1 || {
      cat "$results/run.txt" >&2
      exit 1
    }
    sed -n 's/.*to first frame: \([0-9]*\) ms.*/\1/p' "$results/run.txt" >>"$results/$which.first"
    sed -n 's/.*to first fullscreen frame: \([0-9]*\) ms.*/\1/p' "$results/run.txt" \
      >>"$results/$which.recreation"
  done
done

median() { sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

printf '%-34s %10s %10s\n' "median of $runs runs (ms)" before after
printf '%-34s %10s %10s\n' "answer to first frame" "$(median "$results/before.first")" \
  "$(median "$results/after.first")"
printf '%-34s %10s %10s\n' "F1 to first fullscreen frame" "$(median "$results/before.recreation")" \
  "$(median "$results/after.recreation")"
