#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them. Extra arguments go to Google Benchmark,
# e.g. --benchmark_filter=Kana.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMELIVANT_BUILD_BENCHMARKS=ON
cmake --build build-bench
build-bench/bench/conversion_bench --benchmark_counters_tabular=true "$@"
