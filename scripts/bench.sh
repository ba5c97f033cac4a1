#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Builds the benchmarks in release mode and runs them: the conversions beside fresh copies of their
# answers, memcpy and ICU; one press of Begin beside the bare text-box cost, with peak memory
# (offscreen); start-up to the first painted window, and the idle program's processor use after
# large lyrics (under Xvfb); the kanji readings' speed, and their accuracy on bench/kanji_eval.txt.
# Extra arguments go to Google Benchmark, e.g. --benchmark_filter=Kana. With `readings` first,
# only the kanji readings' benchmarks and accuracy are built and run, without the window.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = readings ]; then
  shift
  scripts/install-deps.sh bench
  cmake -S . -B build-bench-readings -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DMELIVANT_BUILD_BENCHMARKS=ON -DMELIVANT_BUILD_UI=OFF
  cmake --build build-bench-readings --target readings_bench kanji_accuracy
  build-bench-readings/bench/readings_bench "$@"
  build-bench-readings/bench/kanji_accuracy bench/kanji_eval.txt
  exit
fi

scripts/install-deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMELIVANT_BUILD_BENCHMARKS=ON
cmake --build build-bench

build-bench/bench/conversion_bench "$@"
build-bench/bench/readings_bench "$@"
build-bench/bench/kanji_accuracy bench/kanji_eval.txt
QT_QPA_PLATFORM=offscreen build-bench/bench/window_bench "$@"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bench/startup_bench "$@"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  bench/idle_cpu.sh build-bench/ui/melivant-helper build-bench/bench/write_lyrics
