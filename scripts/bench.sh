#!/usr/bin/env bash
# Builds and runs the benchmarks: several repetitions of each, medians reported, then the speed-up
# of every engine algorithm over the literal one. Extra arguments go to the benchmark program
# (for example --benchmark_filter=table/NUMS).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIX_DEBUG_INFO=OFF -DQUADRIX_BENCH=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target bench_stats
"$BUILD/bin/bench_stats" --benchmark_repetitions="${REPETITIONS:-5}" --benchmark_report_aggregates_only=true "$@"
