#!/usr/bin/env bash
# Fuzzes the bitmap loader for SECONDS (default 120) with AddressSanitizer and
# UndefinedBehaviorSanitizer: builds the loader's libFuzzer target with the
# fuzz preset (clang) and runs it, seeded from the BMP Suite (tests/data/bmpsuite) and
# fuzz/regressions. An input that finds a fault is saved under
# build/fuzz/loader-artifacts/; once the fault is mended, add it to
# fuzz/regressions/, whose files every test run replays.
set -euo pipefail
seconds=${1:-120}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake --preset fuzz -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build --preset fuzz --target quellor_loader_fuzz -j2

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
artifacts=build/fuzz/loader-artifacts
mkdir -p "$artifacts"
seeds=("$root/fuzz/regressions")
seeds+=("$root/tests/data/bmpsuite")

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build/fuzz/bin/quellor_loader_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=70000 -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" "${seeds[@]}"
