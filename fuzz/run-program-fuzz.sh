#!/usr/bin/env bash
# Fuzzes the whole program for SECONDS (default 600) with AddressSanitizer and
# UndefinedBehaviorSanitizer: builds the program's libFuzzer target with the
# fuzz preset (clang) and runs it, seeded from fuzz/program-seeds and
# fuzz/program-regressions. Each input is one run of WinMain on the headless
# backend (fuzz/program/ProgramSequence.h). An input that finds a fault is
# saved under build/fuzz/program-artifacts/; once the fault is mended, add it
# to fuzz/program-regressions/, whose files every test run replays. The
# corpus the run grows is kept in build/fuzz/program-corpus/ for the next run.
# Further arguments go to libFuzzer (e.g. -len_control=0 for long sequences
# from the start).
set -euo pipefail
seconds=${1:-600}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake --preset fuzz -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build --preset fuzz --target quellor_program_fuzz -j2

# Absolute paths: the target runs the program in a directory of its own.
corpus=$root/build/fuzz/program-corpus
artifacts=$root/build/fuzz/program-artifacts
mkdir -p "$corpus" "$artifacts"
seeds=("$root/fuzz/program-seeds")
if [ -d "$root/fuzz/program-regressions" ]; then
  seeds+=("$root/fuzz/program-regressions")
fi

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build/fuzz/bin/quellor_program_fuzz -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
  -max_len=256 -artifact_prefix="$artifacts/" -print_final_stats=1 "$@" "$corpus" \
  "${seeds[@]}"
