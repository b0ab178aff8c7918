#!/usr/bin/env bash
# Regenerates docs/performance.md and docs/loader-throughput.png: builds the
# default preset, runs the loader and frame benchmarks and quellor-perf-probe
# with repetitions, builds the page (web preset) and measures it in headless
# Chromium beside the native program (bench/web/web-figures.mjs), and writes
# the medians. QUELLOR_PERF_REPETITIONS sets the repetitions (default 5).
# Takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/../.."
./scripts/setup
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target quellor_loader_bench quellor_frame_bench \
  quellor-perf-probe quellor-snapshot quellor_textures_files
cmake --preset web >/dev/null
cmake --build --preset web -j2

repetitions=${QUELLOR_PERF_REPETITIONS:-5}
bin=$PWD/build/default/bin
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

echo "loader benchmark..."
"$bin/quellor_loader_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_out="$results/loader.json" \
  --benchmark_out_format=json >"$results/loader.txt"
echo "frame benchmark..."
"$bin/quellor_frame_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_out="$results/frame.json" \
  --benchmark_out_format=json >"$results/frame.txt"

echo "program timings..."
cd "$bin"
for _ in $(seq "$repetitions"); do
  ./quellor-perf-probe first-frame >>"$results/probe.txt"
  ./quellor-perf-probe peak-memory >>"$results/probe.txt"
done
./quellor-perf-probe recreation 50 >>"$results/probe.txt"
echo "loader by image size..."
./quellor-perf-probe loader-sizes "$repetitions" >>"$results/probe.txt"
cd - >/dev/null
echo "browser figures..."
QUELLOR_WEB_PAGE_DIR=$PWD/build/web QUELLOR_NATIVE_BIN=$bin node bench/web/web-figures.mjs \
  --repetitions "$repetitions" --json "$results/web.json" >"$results/web.txt"

python3 tools/perf-report/write-report.py "$results" docs
echo "wrote docs/performance.md and docs/loader-throughput.png"
